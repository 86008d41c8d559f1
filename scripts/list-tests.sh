#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the CTest entries of a build folder: what a test run just ran.
set -euo pipefail
echo "CTest entries in $1:"
ctest --test-dir "$1" -N | sed -n 's/^ *Test *#[0-9]*: /  /p'
