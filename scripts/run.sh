#!/usr/bin/env bash
# Installs what is missing, builds Ordonna and runs its main job.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ordonna_install_missing

build="$root/build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORDONNA_BUILD_TESTS=OFF >/dev/null
ninja -C "$build"

home=${ORDONNA_HOME:-$(mktemp -d)}
"$build/cli/ordonna-cli" config init "$home/ordonna.ini"
"$build/cli/ordonna-cli" config show "$home/ordonna.ini"
