# Shared by the export and import benchmarks (sourced): builds ordonna-cli in Release and
# writes generated lists and an option file with every column.
#   bench_build_cli ROOT BUILD
#   bench_work_folder                 sets `work` to a temporary folder removed at exit, with
#                                     ORDONNA_HOME inside it
#   bench_write_list PATH ENTRIES     realistic names, every field determined, sorted by path;
#                                     dates whose day is above 12 on most lines, as in a real list
#   bench_every_column_options CLI PATH   every info column and the enumeration, dates as
#                                     dd.mm.yyyy.

bench_build_cli() {
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORDONNA_BUILD_GUI=OFF -DORDONNA_BUILD_CLI=ON \
    -DORDONNA_BUILD_TESTS=OFF >/dev/null
  ninja -j2 -C "$2" ordonna-cli >/dev/null
}

bench_work_folder() {
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  export ORDONNA_HOME="$work/home"
  mkdir "$ORDONNA_HOME"
}

bench_write_list() {
  python3 - "$1" "$2" <<'PY'
import struct, sys
path, count = sys.argv[1], int(sys.argv[2])
with open(path, "wb") as f:
    f.write(b"\x03Ord\x07")  # sorted by path
    for i in range(count):
        name = ("Artist %05d - Song title number %d (live)" % (i // 12, i)).encode()
        folder = ("/home/user/Music/Artist %05d/Album %06d" % (i // 12, i // 12)).encode()
        label = b"MUSIC"
        record = b"".join(bytes([len(t)]) + t for t in (name, folder, label))
        record += struct.pack("<BiiBBii", 1 + i % 14, 3000 + i % 9000, 5000 + i % 20000, i % 4, i % 3,
                              36000 + i % 9000, 44000 + i % 1000)
        f.write(record)
PY
}

bench_every_column_options() {
  "$1" config init "$2" >/dev/null
  python3 - "$2" <<'PY'
import sys
path = sys.argv[1]
data = bytearray(open(path, "rb").read())
for offset in (0, 1, 5, 6, 7, 8, 9, 10, 11, 13):  # the nine Info flags and Enumerate
    data[offset] = 1
data[28] = 1  # DateStyle dd.mm.yyyy.
open(path, "wb").write(data)
PY
}
