#!/usr/bin/env bash
# Builds the Debian package of Quilo (optimised, stripped) into build-package/ and checks it:
# lintian on the package, desktop-file-validate on its menu entry. Prints the package's path.
#   tools/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
# the package checkers are needed here only, not to build or test the program
checkers=(lintian desktop-file-utils dpkg-dev)
missing=()
for package in "${checkers[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-package -j"${JOBS:-$(nproc)}" --target quilo quilo-launch quilo-package-docs
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls build-package/quilo_*.deb)

desktop-file-validate packaging/quilo.desktop
# lintian ends non-zero on errors; warnings are printed for the reader
lintian --fail-on error --tag-display-limit 0 "$deb" >&2
echo "$deb"
