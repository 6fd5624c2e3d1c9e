#!/usr/bin/env bash
# Makes the Debian package from the build tree, unpacks it into a throw-away root and checks what
# a listener gets: every file in its place, a valid menu entry, and the program started from the
# entry's Exec line with a fresh HOME working in its per-user folder with the installed skins.
#   tests/package/installed-tree.sh BUILD_DIR   (on an X display)
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/quilo-package.XXXXXX")
pid=""
cleanup() {
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null
deb=$(ls "$work"/out/quilo_*.deb)
dpkg-deb --field "$deb" Section | grep -qx sound || fail "section is not sound"
for needed in libvlc5 vlc-plugin-base vlc-plugin-video-output fonts-nanum libqt6keychain1 \
    qt6-qpa-plugins; do
    dpkg-deb --field "$deb" Depends | grep -q "$needed" || fail "does not depend on $needed"
done
dpkg-deb --contents "$deb" | grep -q quilo-station && fail "the station is in the package"

root="$work/root"
dpkg -x "$deb" "$root"
for file in usr/bin/quilo usr/bin/quilo-launch usr/share/applications/quilo.desktop \
    usr/share/icons/hicolor/{16x16,32x32,48x48,256x256}/apps/quilo.png \
    usr/share/icons/hicolor/scalable/apps/quilo.svg usr/share/quilo/Skins/Quilo2/skininfo.ini \
    usr/share/doc/quilo/copyright usr/share/man/man1/quilo.1.gz; do
    [ -s "$root/$file" ] || fail "$file is missing"
done
desktop-file-validate "$root/usr/share/applications/quilo.desktop"

# installable on a fresh Debian: with no package counted as installed, apt finds the whole chain
# of dependencies in the archive (a simulation: nothing is installed)
: >"$work/no-packages"
apt-get -o Dir::State::status="$work/no-packages" install -s --no-install-recommends "$deb" \
    >"$work/apt.txt" 2>&1 || { cat "$work/apt.txt" >&2; fail "apt cannot install it on a fresh system"; }
grep -q '^Inst quilo ' "$work/apt.txt" || fail "apt would not install quilo"

# started as a menu would: the Exec line, from /, with nothing of the build tree around
home="$work/home"
mkdir -p "$home/run" && chmod 700 "$home/run"
# a service that is not there (port 9 refuses), so that no station of another test is asked
printf '[Service]\nWebServer=http://127.0.0.1:9\nMainSite=http://127.0.0.1:9\nSsoSite=http://127.0.0.1:9\n' \
    >"$work/quilo.conf"
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/quilo.desktop")
cd /
env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$home" XDG_RUNTIME_DIR="$home/run" \
    PATH="$root/usr/bin:$PATH" QUILO_CONF="$work/quilo.conf" $exec_line &
pid=$!
log_dir="$home/.local/share/quilo/Log"
for _ in $(seq 1 150); do
    grep -qs 'Start the QUILO2' "$log_dir"/* && break
    kill -0 "$pid" 2>/dev/null || fail "quilo ended at start"
    read -r -t 0.2 _ <> <(:) || true
done
grep -qs 'Start the QUILO2' "$log_dir"/* || fail "no activity log in the per-user folder"
[ "$(readlink -f "$home/.local/share/quilo/Skins")" = "$(readlink -f "$root/usr/share/quilo/Skins")" ] ||
    fail "the per-user Skins does not lead to the installed skins"
echo "installed tree OK: $deb"
