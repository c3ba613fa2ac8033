#!/usr/bin/env bash
# Takes the README's picture of the main window: starts the built Tickforge
# under a virtual X server with an example QXC330 design open and saves the
# screen.
#   tools/screenshot.sh [OUTPUT.png]     (default: docs/images/main-window.png)
# Needs a build in build/ (or $TICKFORGE_BUILD_DIR) and xvfb, xdotool and
# imagemagick; openbox, when installed, maximises the window as a desktop would.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TICKFORGE_BUILD_DIR:-$root/build}
out=${1:-$root/docs/images/main-window.png}
design=$root/docs/manual/designs/QXC330_USB.TFCC
width=1600 height=900

for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "screenshot: $tool is missing" >&2; exit 1; }
done
[ -x "$build/app/tickforge" ] || { echo "screenshot: build Tickforge first ($build/app/tickforge)" >&2; exit 1; }

# The first display number nobody uses.
display=90
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
  display=$((display + 1))
done

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

Xvfb ":$display" -screen 0 "${width}x${height}x24" -nolisten tcp &
pids+=($!)
export DISPLAY=":$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

if command -v openbox >/dev/null; then
  openbox >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
fi

# English texts, whatever the machine's language.
XDG_CONFIG_HOME="$(mktemp -d)" LANG=C.UTF-8 LC_ALL=C.UTF-8 "$build/app/tickforge" -geometry "${width}x${height}+0+0" "$design" &
pids+=($!)
xdotool search --sync --onlyvisible --class tickforge >/dev/null
sleep 2 # let the drawing settle

mkdir -p "$(dirname "$out")"
import -window root "$out"
# A palette keeps the picture small enough for the repository.
convert "$out" -strip -colors 256 -define png:compression-level=9 "PNG8:$out"
echo "screenshot: wrote $out"
