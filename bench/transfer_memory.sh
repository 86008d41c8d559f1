#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Peak resident memory of kerova-engine import, export and copy on one large
# document, beside the document's size: a generated store of MODELS models
# with LEVELS levels each (100,000 × 8 gives about 300 MB of JSON) is
# imported into an empty SQLite store, imported again over it from standard
# input, exported from it and copied into a second one; GNU time reports each
# process's maximum resident set.
#
#   bench/transfer_memory.sh BUILD_DIR [MODELS [LEVELS]]   (defaults 100000 8)
#
# Needs python3, GNU time (/usr/bin/time) and bash 5. Build Release to measure.
set -euo pipefail
build=$(realpath "$1")
models=${2:-100000}
levels=${3:-8}
engine=$build/tools/kerova-engine/kerova-engine
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export LC_ALL=C.UTF-8 KEROVA_ENGINE_CONFIG=$work/engine.ini
printf '[MODEL]\ndriver=sqlite\npath=%s\n[COPY]\ndriver=sqlite\npath=%s\n' \
    "$work/model.sqlite" "$work/copy.sqlite" >"$KEROVA_ENGINE_CONFIG"

python3 - "$models" "$levels" >"$work/in.json" <<'PY'
import json, sys
models, levels = int(sys.argv[1]), int(sys.argv[2])
out = sys.stdout
out.write('{"format": "kerova-store", "version": 1, "models": [\n')
for m in range(1, models + 1):
    out.write(('' if m == 1 else ',\n') + json.dumps(
        {"MODID": m, "MODNAME": "Модель %d" % m, "MODCOMMENT": "Комментарий к модели %d" % m},
        ensure_ascii=False))
out.write('\n], "levels": [\n')
first = True
for m in range(1, models + 1):
    for l in range(1, levels + 1):
        row = {"MODID": m, "LVLID": l, "LVLNUMBER": l, "LVLNAME": "Уровень %d модели %d" % (l, m),
               "LVLNODEAMOUNT": 4 * l, "LVLTSKDCSTIME": 3, "LVLTSKFLOWINT": 1000,
               "LVLTSKFLOWDIST": 0.3, "LVLNODECOSTDELAY": 10, "LVLNODECOSTUSE": 100,
               "MODIDHIER": None, "LVLIDHIER": None, "LVLCOSTLIMIT": 10000.5,
               "LVLNODECOSTDELAY_DCSINT": 2, "LVLNODECOSTDELAY_DCSINT2": 0.5,
               "RTLVLNODEAMOUNT": None}
        out.write(('' if first else ',\n') + json.dumps(row, ensure_ascii=False))
        first = False
out.write('\n]}\n')
PY

size=$(stat -c %s "$work/in.json")
peak() { # command... ; prints the peak resident set in MiB
    /usr/bin/time -f '%M' -o "$work/time" "$@" >/dev/null 2>"$work/err" || {
        cat "$work/err" >&2
        exit 1
    }
    echo $(($(tail -1 "$work/time") / 1024))
}
printf 'document: %d MiB (%d models, %d levels each)\n' $((size >> 20)) "$models" "$levels"
printf 'import: %s MiB\n' "$(peak "$engine" import -i "$work/in.json")"
printf 'import from standard input: %s MiB\n' \
    "$(peak sh -c 'exec "$1" import --replace <"$2"' sh "$engine" "$work/in.json")"
printf 'export: %s MiB\n' "$(peak "$engine" export -o "$work/out.json")"
printf 'copy:   %s MiB\n' "$(peak "$engine" copy MODEL COPY)"
