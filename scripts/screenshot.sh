#!/usr/bin/env bash
# Builds the windowed program, starts it on a virtual X display with its own settings
# folder, and saves pictures in build/screenshots/: the main window (main-window.png), the
# options window (options-window.png), and the viewer over a generated list of 1,000 entries
# with every column in the Light and Dark colour schemes (viewer-light.png, viewer-dark.png),
# and the duplicates windows opened from the viewer over a list with planted duplicates: the
# settings (dup-settings.png) and the progress window asking about a pair (dup-run.png); and
# the comparison windows over the same list set against itself (comp-settings.png, and
# comp-run.png asking about a pair); the editor (editor.png), the find window (find.png) and
# the notice shown when a filter is made (filter-notice.png).
# With a font size: every picture but the viewer's with -SIZE in its name, the main window in
# its status line and folder font, the other windows with every text in that size.
#   scripts/screenshot.sh [FONT_SIZE]   (4..32)
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

# One run: the program (with ORDONNA_ARGS) and a picture of the window reached by the steps
# of ORDONNA_STEPS, every text in ORDONNA_FONT_SIZE points when given. Steps are separated by
# ";": "KEYS" presses keys, "KEYS=TITLE" presses them and waits for the window whose title
# matches TITLE (that window is the one pictured), "type:TEXT" types text.
cat >"$home/shoot.sh" <<'EOF'
set -euo pipefail
if [ -n "$ORDONNA_FONT_SIZE" ]; then
  echo "* { font-size: ${ORDONNA_FONT_SIZE}pt; }" >"$ORDONNA_HOME/font.qss"
  ORDONNA_ARGS="$ORDONNA_ARGS -stylesheet $ORDONNA_HOME/font.qss"
fi
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
IFS=';' read -ra steps <<<"$ORDONNA_STEPS"
for step in "${steps[@]}"; do
  if [[ "$step" == type:* ]]; then
    xdotool type --delay 20 "${step#type:}"
    continue
  fi
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --clearmodifiers "${step%%=*}"
  if [[ "$step" == *=* ]]; then
    wait_for "${step#*=}"
  fi
  sleep 0.7
done
import -window "$window" "$ORDONNA_SHOT"
xdotool getwindowgeometry "$window"
kill "$pid"
wait "$pid" || true
EOF

# shoot NAME [LIST_FILE] [STEPS] [FONT_SIZE]: saves NAME.png.
shoot() {
  # Another virtual display starting at the same moment can take the number xvfb-run picked:
  # then the program cannot connect, and a second attempt gets a free number. The screen is
  # large enough for the options window at 32 points.
  for attempt in 1 2 3; do
    if ORDONNA_HOME="$home" XDG_DATA_HOME="$home/data" ORDONNA_EXE="$build/ui/ordonna" \
       ORDONNA_SHOT="$shots/$1.png" ORDONNA_ARGS="${2:-}" ORDONNA_STEPS="${3:-}" ORDONNA_FONT_SIZE="${4:-}" \
       xvfb-run -a -s "-screen 0 3840x2160x24" bash "$home/shoot.sh"; then
      echo "Saved $shots/$1.png"
      return 0
    fi
    echo "attempt $attempt failed" >&2
  done
  return 1
}

viewer='alt+v=Internal List Viewer'
shoot "main-window$suffix"
font=${1:-}
shoot "options-window$suffix" "" "alt+o=^ Ordonna - OPTIONS$" "$font"

# The viewer: every column, the window 1,180 x 700 and not maximized. (Its grid has a font
# size of its own, so it is pictured at the default size only.)
if [ -z "$font" ]; then
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
    shoot "viewer-${scheme%:*}" "$home/thousand.ordl" "$viewer"
  done
fi

# The duplicates windows over twenty names, every fifth one planted twice.
python3 - "$home/dupes.ordl" <<'PY'
import sys
records = b""
for i in range(20):
    name = ("Planted duplicate %d" % (i // 5)) if i % 5 in (0, 3) else ("Artist %02d - Song title %02d" % (i, i * 7))
    for text in (name.encode(), b"/music/collection", b"DISK"):
        records += bytes([len(text)]) + text
    records += bytes(19)
open(sys.argv[1], "wb").write(b"\x03Ord\x3f" + records)
PY
dup_settings="$viewer;alt+u=^ Duplicates search options$"
shoot "dup-settings$suffix" "$home/dupes.ordl" "$dup_settings" "$font"
# Manual action, then "&GO": the first planted pair waits for an answer.
shoot "dup-run$suffix" "$home/dupes.ordl" "$dup_settings;alt+m;alt+g=Please confirm" "$font"
shoot "editor$suffix" "$home/dupes.ordl" "$viewer;alt+i=^ Editor$" "$font"
shoot "find$suffix" "$home/dupes.ordl" "$viewer;ctrl+f=^ Type text to find:$" "$font"
shoot "filter-notice$suffix" "$home/dupes.ordl" "$viewer;ctrl+f=^ Type text to find:$;type:Planted;alt+l=^ IMPORTANT NOTE:$" "$font"
"$build/cli/ordonna-cli" config set "$home/ordonna.ini" CompareWith=0 CompareAction=7 MatchAction=2 \
  "CompareListFile=$home/dupes.ordl" "CompareSaveFile=$home/matches.txt" >/dev/null
comp_settings="$viewer;alt+c=^ Compare options$"
shoot "comp-settings$suffix" "$home/dupes.ordl" "$comp_settings" "$font"
# The last known files, then "&GO": the first pair waits for an answer.
shoot "comp-run$suffix" "$home/dupes.ordl" "$comp_settings;alt+k;alt+g=Please confirm" "$font"
