#!/usr/bin/env bash
# Sets up a Debian 12 machine for Tickforge, builds it, then starts the program
# ("run", the default) or runs every test through CTest ("test").
set -euo pipefail

mode=${1:-run}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TICKFORGE_BUILD_DIR:-$root/build}

packages=(
  cmake make ninja-build g++ pkg-config
  qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools libqt5network5
  qttranslations5-l10n
  qtbase5-private-dev
  libqt5svg5 qt5-image-formats-plugins
  fonts-liberation fonts-wqy-zenhei fontconfig
  xvfb xauth x11-utils
  gcc gcc-arm-none-eabi libnewlib-arm-none-eabi
  openssl libssl-dev ca-certificates curl
  desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl
  help2man dpkg-dev file poppler-utils binutils
  librsvg2-bin libxml2-utils
  python3
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"

case "$mode" in
  run)
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "No display found: starting Tickforge under a virtual X server (xvfb-run)."
      exec xvfb-run -a "$build/app/tickforge"
    fi
    exec "$build/app/tickforge"
    ;;
  test)
    cd "$build"
    exec ctest --output-on-failure -j"$(nproc)"
    ;;
  *)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
