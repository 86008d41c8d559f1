#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer in
# its own build folder and runs every test there. ./test calls it with its
# PostgreSQL server running (KEROVA_TEST_PG*); run alone, it starts its own.
# Leaks are reported, except Qt's and its helper libraries' own allocations
# that live until the process ends (scripts/lsan-qt.supp says which).
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${KEROVA_SANITIZE_BUILD:-build-sanitize}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DKEROVA_WERROR=ON -DKEROVA_SANITIZE=ON \
  -DKEROVA_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

if [ -z "${KEROVA_TEST_PGPORT:-}" ]; then
  source scripts/pg.sh
  trap pg_stop EXIT
  pg_start "$PWD/$BUILD/pg"
fi

# strict_string_checks stays off: libxkbcommon hands strndup a bounded, unterminated
# reply from the X server, which the strict check misreads as an overflow.
# Allocation stacks use the fast unwinder: the slow one, walking the GL
# driver's frames, allocates while holding the system unwinder's lock and
# hangs on it (the 3D tests never end), and it makes every allocation ten
# times slower.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-qt.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The soak's memory figures mean nothing under the sanitizer's quarantine;
# fewer cycles still run every path it repeats, within the tests' time limit.
export KEROVA_SOAK_CYCLES=${KEROVA_SOAK_CYCLES:-500} KEROVA_SOAK_CALCULATIONS=${KEROVA_SOAK_CALCULATIONS:-100}
# Under xvfb-run the 3D view must get OpenGL: its tests fail instead of skipping.
export KEROVA_REQUIRE_OPENGL=1
status=0
xvfb-run -a -s "-screen 0 1600x1200x24" \
  ctest --test-dir "$BUILD" --output-on-failure || status=$?
scripts/list-tests.sh "$BUILD"
exit $status
