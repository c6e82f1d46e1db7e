#!/usr/bin/env bash
# Builds the windowed program, starts it on a virtual X display with its own settings
# folder, and saves a picture of the main window as build/screenshots/main-window.png (main-window-SIZE.png with a font size).
#   scripts/screenshot.sh [FONT_SIZE]   (the status line and folder font size, 4..32)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ordonna_install_missing xvfb xauth imagemagick xdotool

# ORDONNA_BUILD_DIR: an existing build folder to use instead of build/.
build=${ORDONNA_BUILD_DIR:-$root/build}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORDONNA_BUILD_TESTS=OFF >/dev/null
fi
ninja -C "$build" ordonna ordonna-cli

shots="$build/screenshots"
suffix=
mkdir -p "$shots"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
# Fresh settings; a font size given is written into its byte (MainFontSize, file offset
# 2,309 + 181).
"$build/cli/ordonna-cli" config init "$home/ordonna.ini" >/dev/null
if [ -n "${1:-}" ]; then
  printf "\\x$(printf %02x "$1")" | dd of="$home/ordonna.ini" bs=1 seek=2490 conv=notrunc status=none
  suffix="-$1"
fi

cat >"$home/shoot.sh" <<'EOF'
set -euo pipefail
"$ORDONNA_EXE" &
pid=$!
window=
for _ in $(seq 100); do
  window=$(xdotool search --name '^ Ordonna$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the main window did not appear" >&2; kill "$pid"; exit 1; }
sleep 1  # let the folder tree fill in
import -window "$window" "$ORDONNA_SHOT"
xdotool getwindowgeometry "$window"
kill "$pid"
EOF
# Another virtual display starting at the same moment can take the number xvfb-run picked:
# then the program cannot connect, and a second attempt gets a free number.
for attempt in 1 2 3; do
  if ORDONNA_HOME="$home" XDG_DATA_HOME="$home/data" ORDONNA_EXE="$build/ui/ordonna" \
     ORDONNA_SHOT="$shots/main-window$suffix.png" \
     xvfb-run -a -s "-screen 0 1280x1024x24" bash "$home/shoot.sh"; then
    echo "Saved $shots/main-window$suffix.png"
    exit 0
  fi
  echo "attempt $attempt failed" >&2
done
exit 1
