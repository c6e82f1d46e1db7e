#!/usr/bin/env bash
# Builds the windowed program, starts it on a virtual X display with its own settings
# folder, and saves pictures of the main window (build/screenshots/main-window.png) and of
# the options window (options-window.png); with a font size, main-window-SIZE.png (the status
# line and folder font) and options-window-SIZE.png (every text of the program in that size).
#   scripts/screenshot.sh [FONT_SIZE]   (4..32)
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
# find_window NAME: the id of the first window whose title matches NAME.
find_window() {
  local found=
  for _ in $(seq 100); do
    found=$(xdotool search --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$found" ] && break
    sleep 0.1
  done
  echo "$found"
}

"$ORDONNA_EXE" &
pid=$!
window=$(find_window '^ Ordonna$')
[ -n "$window" ] || { echo "the main window did not appear" >&2; kill "$pid"; exit 1; }
sleep 1  # let the folder tree fill in
import -window "$window" "$ORDONNA_SHOT"
xdotool getwindowgeometry "$window"
kill "$pid"
wait "$pid" || true

# The options window, opened by the main window's Alt+O; with a font size every text of the
# program takes it (a style sheet given to the toolkit on the command line).
if [ -n "$ORDONNA_FONT_SIZE" ]; then
  echo "* { font-size: ${ORDONNA_FONT_SIZE}pt; }" >"$ORDONNA_HOME/font.qss"
  "$ORDONNA_EXE" -stylesheet "$ORDONNA_HOME/font.qss" &
else
  "$ORDONNA_EXE" &
fi
pid=$!
window=$(find_window '^ Ordonna$')
[ -n "$window" ] || { echo "the main window did not appear" >&2; kill "$pid"; exit 1; }
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers alt+o
options=$(find_window '^ Ordonna - OPTIONS$')
[ -n "$options" ] || { echo "the options window did not appear" >&2; kill "$pid"; exit 1; }
sleep 1
import -window "$options" "$ORDONNA_OPTIONS_SHOT"
xdotool getwindowgeometry "$options"
kill "$pid"
EOF
# Another virtual display starting at the same moment can take the number xvfb-run picked:
# then the program cannot connect, and a second attempt gets a free number.
for attempt in 1 2 3; do
  if ORDONNA_HOME="$home" XDG_DATA_HOME="$home/data" ORDONNA_EXE="$build/ui/ordonna" \
     ORDONNA_SHOT="$shots/main-window$suffix.png" ORDONNA_OPTIONS_SHOT="$shots/options-window$suffix.png" \
     ORDONNA_FONT_SIZE="${1:-}" xvfb-run -a -s "-screen 0 3840x2160x24" bash "$home/shoot.sh"; then
    echo "Saved $shots/main-window$suffix.png and $shots/options-window$suffix.png"
    exit 0
  fi
  echo "attempt $attempt failed" >&2
done
exit 1
