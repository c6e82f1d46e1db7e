#!/usr/bin/env bash
# Installs what is missing, builds Ordonna and runs its main job: the window when a display
# is available, otherwise a scan of FOLDER (default: the Music folder) printed as a list.
#   scripts/run.sh [FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ordonna_install_missing

build="$root/build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORDONNA_BUILD_TESTS=OFF >/dev/null
ninja -C "$build"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$build/ui/ordonna" ]; then
  exec "$build/ui/ordonna"
fi

folder=${1:-$HOME/Music}
[ -d "$folder" ] || folder=$HOME
list=$(mktemp --suffix=.ordl)
trap 'rm -f "$list"' EXIT
"$build/cli/ordonna-cli" scan -o "$list" "$folder"
"$build/cli/ordonna-cli" list "$list"
