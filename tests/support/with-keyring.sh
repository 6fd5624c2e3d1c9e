#!/usr/bin/env bash
# Runs a command on a private D-Bus session bus on which a private GNOME Keyring, unlocked with a
# throw-away password, answers as the Secret Service. Bus and keyring end with the command.
#   tests/support/with-keyring.sh COMMAND [ARGS...]
set -euo pipefail
if [ -z "${QUILO_KEYRING_BUS:-}" ]; then
    exec env QUILO_KEYRING_BUS=1 dbus-run-session -- "$0" "$@"
fi
HOME=$(mktemp -d "${TMPDIR:-/tmp}/quilo-keyring.XXXXXX")
export HOME
trap 'rm -rf "$HOME"' EXIT
printf 'quilo-test' | gnome-keyring-daemon --unlock --components=secrets >/dev/null
# the daemon goes on starting after the command returns: the command begins once the Secret
# Service has its name on the bus
gdbus wait --session org.freedesktop.secrets
"$@"
