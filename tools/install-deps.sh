#!/usr/bin/env bash
# Installs the Debian packages Quilo needs to build, run and test. Quiet when all are there.
set -euo pipefail

packages=(
    # build
    make cmake ninja-build g++ pkg-config ccache clang-format
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6test6
    libvlc-dev libcurl4-openssl-dev libcpp-httplib-dev libgtest-dev libgmock-dev
    # the player chooses its sound output: is a PulseAudio server there, does ALSA open a device
    libpulse-dev libasound2-dev
    # whether an X11 desktop composites its windows
    libxcb1-dev
    # run: the media engine with its codecs and outputs, Korean fonts
    vlc-plugin-base vlc-plugin-video-output fonts-nanum
    # test: a private X display, window manager, tray host, screenshots and window queries
    xvfb openbox trayer x11-utils xdotool imagemagick pulseaudio pulseaudio-utils
    # test: an X11 compositor, under which the skinned windows turn translucent
    xcompmgr
    # test: a private Wayland desktop (headless Weston, its screenshooter) and Qt's Wayland platform
    weston qt6-wayland
    # test: a real browser for the pages the program opens
    chromium-headless-shell
    # test: a private session bus, and gdbus to call the program on it
    dbus dbus-bin libglib2.0-bin
    # fuzzing (tools/fuzz.sh): clang with libFuzzer and its sanitizer runtimes
    clang libfuzzer-14-dev libclang-rt-14-dev
    # the desktop's secret store for the saved password; a private GNOME Keyring to test it on,
    # and the menu entry's checker for the installed tree
    qtkeychain-qt6-dev dbus-bin gnome-keyring desktop-file-utils
    # test: the accessibility bus, and a reader of it (AT-SPI from Python), as a screen reader
    at-spi2-core python3-pyatspi
    # recording: the Ogg Opus encoder, and opusinfo to read the files back in tests
    libopusenc-dev opus-tools
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
