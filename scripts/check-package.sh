#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package that scripts/package.sh built against Debian's
# rules: lintian reports no error, and every warning it reports is listed with
# its reason in packaging/lintian-warnings; the three programs pass
# hardening-check (PIE, stack protector, full RELRO, bind-now).
#   scripts/check-package.sh BUILD_DIR     (the folder scripts/package.sh built in)
set -euo pipefail
build=$1
deb=$(ls "$build"/kerova_*.deb)
known=$(dirname "$0")/../packaging/lintian-warnings
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

lintian --tag-display-limit 0 "$deb" >"$root/lintian.log" 2>/dev/null || true
grep -E '^E: ' "$root/lintian.log" >&2 && fail "lintian reports errors"
while read -r tag; do
  grep -qE "^$tag( |$)" "$known" || fail "lintian warning neither mended nor listed in packaging/lintian-warnings: $tag"
done < <(sed -n 's/^W: [^ ]*: \([^ ]*\).*/\1/p' "$root/lintian.log" | sort -u)

# hardening-check cannot see _FORTIFY_SOURCE in these programs: the compiler
# only puts the checked variants where it knows a buffer's size, and here the
# remaining memcpy/memset calls all work on buffers of run-time size. So the
# flag itself is checked on every compile command of the package build.
# Control-flow protection is not among the flags Debian 12 builds with.
dpkg-deb -x "$deb" "$root/tree"
for program in kerova kerova-sweep kerova-engine; do
  hardening-check --nofortify --nocfprotection "$root/tree/usr/bin/$program" >"$root/hardening.log" 2>&1 ||
    fail "hardening-check $program: $(grep -vE ': (yes|unknown)|ignored' "$root/hardening.log")"
done
unfortified=$(python3 -c '
import json, sys
for c in json.load(open(sys.argv[1])):
    if "-D_FORTIFY_SOURCE=2" not in c["command"] or "-O2" not in c["command"]:
        print(c["file"])' "$build/compile_commands.json" | head -3)
[ -z "$unfortified" ] || fail "compiled without -D_FORTIFY_SOURCE=2 -O2: $unfortified"

exit $failed
