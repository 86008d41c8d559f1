#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package kerova_<version>_<arch>.deb with the compiler and
# linker flags Debian builds its own packages with (dpkg-buildflags, every
# hardening feature on: PIE, stack protector, _FORTIFY_SOURCE, full RELRO,
# bind-now). Prints the path of the package.
#   scripts/package.sh [BUILD_DIR]     (default build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}

flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" \
  -DCMAKE_SHARED_LINKER_FLAGS="$(flags LDFLAGS)" \
  -DCMAKE_MODULE_LINKER_FLAGS="$(flags LDFLAGS)" \
  -DKEROVA_BUILD_TESTS=OFF -DKEROVA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target package >/dev/null
ls "$PWD/$build"/kerova_*.deb
