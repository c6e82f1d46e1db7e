#!/usr/bin/env bash
# Builds the windowed program, starts it on a virtual X display with its own settings
# folder, and saves a picture of the main window as build/screenshots/main-window.png (main-window-SIZE.png with a font size).
# Then it opens the viewer over a generated list of 1,000 entries with every column and saves
# it as viewer-light.png and viewer-dark.png (the Light and Dark colour schemes).
#   scripts/screenshot.sh [FONT_SIZE]   (the status line and folder font size, 4..32)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
source "$root/bench/big_list.sh"
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

# One run: the program (with ORDONNA_ARGS), then the main window or, with ORDONNA_VIEWER, the
# viewer opened by the View key.
cat >"$home/shoot.sh" <<'EOF'
set -euo pipefail
"$ORDONNA_EXE" $ORDONNA_ARGS &
pid=$!
wait_for() {
  window=
  for _ in $(seq 100); do
    window=$(xdotool search --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && return 0
    sleep 0.1
  done
  echo "no window named $1" >&2
  kill "$pid"
  exit 1
}
wait_for '^ Ordonna$'
sleep 1  # let the folder tree fill in and the list load
if [ -n "$ORDONNA_VIEWER" ]; then
  xdotool windowfocus --sync "$window" key --window "$window" alt+v
  wait_for 'Internal List Viewer'
  sleep 1
fi
import -window "$window" "$ORDONNA_SHOT"
xdotool getwindowgeometry "$window"
kill "$pid"
EOF

# shoot NAME [LIST_FILE]: saves NAME.png; with a list file, of the viewer over that list.
shoot() {
  # Another virtual display starting at the same moment can take the number xvfb-run picked:
  # then the program cannot connect, and a second attempt gets a free number.
  for attempt in 1 2 3; do
    if ORDONNA_HOME="$home" XDG_DATA_HOME="$home/data" ORDONNA_EXE="$build/ui/ordonna" \
       ORDONNA_SHOT="$shots/$1.png" ORDONNA_ARGS="${2:-}" ORDONNA_VIEWER="${2:+1}" \
       xvfb-run -a -s "-screen 0 1280x1024x24" bash "$home/shoot.sh"; then
      echo "Saved $shots/$1.png"
      return 0
    fi
    echo "attempt $attempt failed" >&2
  done
  return 1
}

shoot "main-window$suffix"

# The viewer: every column, the window 1,180 x 700 and not maximized.
bench_write_list "$home/thousand.ordl" 1000
rm "$home/ordonna.ini"
bench_every_column_options "$build/cli/ordonna-cli" "$home/ordonna.ini"
for scheme in light:1 dark:2; do
  python3 - "$home/ordonna.ini" "${scheme#*:}" <<'PY'
import struct, sys
path, scheme = sys.argv[1], int(sys.argv[2])
data = bytearray(open(path, "rb").read())
data[38] = scheme                                       # ViewerColorScheme
places = 2189                                           # WindowPlaces
struct.pack_into("<ii", data, places + 40, 1180, 700)  # ViewerWidth, ViewerHeight
struct.pack_into("<ii", data, places + 72, 40, 40)     # ViewerLeft, ViewerTop
data[2309 + 22] = 0                                     # ViewerMaximized
open(path, "wb").write(data)
PY
  shoot "viewer-${scheme%:*}" "$home/thousand.ordl"
done
