#!/usr/bin/env bash
# Converts an XLS export to CSV with ssconvert (Debian package gnumeric). The sheet holds no
# cell format records (every cell names format 0), and Gnumeric drops cells whose format it
# cannot find: then every LABEL record must at least have been read, each with a warning.
# Should Gnumeric show the cells, they must be the exported texts. Skipped (exit 77) when
# ssconvert is not installed.
#   ssconvert_check.sh ORDONNA_CLI PYTHON
set -euo pipefail
cli=$1
python=$2
command -v ssconvert >/dev/null || { echo "ssconvert not installed: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ORDONNA_HOME="$work/home"

"$python" - "$work/list.ordl" <<'PY'
import struct, sys
def record(name, bitrate, size, frames):
    out = b""
    for text in (name, "/music", ""):
        data = text.encode("utf-8")
        out += bytes([len(data)]) + data
    return out + struct.pack("<BiiBBii", bitrate, size, frames, 1, 0, 38082, 38083)
with open(sys.argv[1], "wb") as f:
    f.write(b"\x03Ord\x3f" + record("Sigur R\u00f3s - Svefn-g-englar", 9, 5250, 8613)
            + record("Caf\u00e9, \"quoted\"", 1, 100, 2297))
PY
"$cli" config init "$work/options.ini" >/dev/null   # factory columns: name, time, bitrate, size
"$cli" export --type xls --options "$work/options.ini" "$work/list.ordl" "$work/list.xls"
ssconvert --import-encoding=CP1252 "$work/list.xls" "$work/list.csv" 2>"$work/warnings.txt"
actual=$(tr -d '\r' < "$work/list.csv")
if [ -z "$actual" ]; then
  read_cells=$(grep -c "excel_get_xf" "$work/warnings.txt" || true)
  if [ "$read_cells" -lt 8 ]; then
    echo "ssconvert read $read_cells of 8 cells:"; cat "$work/warnings.txt"
    exit 1
  fi
  echo "ssconvert read all 8 cells and dropped them for want of a cell format record"
  exit 0
fi
expected=$'"Sigur R\u00f3s - Svefn-g-englar",3:45,128,5250\n"Caf\u00e9, ""quoted""",1:00," 32",100'
if [ "$actual" != "$expected" ]; then
  echo "ssconvert read:"; echo "$actual"; echo "expected:"; echo "$expected"
  exit 1
fi
echo "ssconvert read every cell"
