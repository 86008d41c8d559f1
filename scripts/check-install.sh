#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a build into a temporary DESTDIR and checks the installed tree as a
# desktop and a user see it: the desktop entry and the AppStream metainfo
# validate and name what is installed, the icons have their sizes, each manual
# renders without warnings and describes every option of its program's --help,
# the programs answer --help, --version and an unknown option in the GNU way
# (kerova without a display too), and
# the installed tools create and calculate on a fresh default store.
#   scripts/check-install.sh BUILD_DIR APP_ID VERSION
set -euo pipefail
build=$1 id=$2 version=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr share=$root/usr/share
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

# Desktop entry and metainfo: valid, and pointing at what is installed.
desktop=$share/applications/$id.desktop metainfo=$share/metainfo/$id.metainfo.xml
out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
appstreamcli validate --no-net --no-color "$metainfo" >"$root/as.log" 2>&1 ||
  fail "appstreamcli validate: $(cat "$root/as.log")"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$usr/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry's icon is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $id.desktop"
for binary in $(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo"); do
  [ -x "$usr/bin/$binary" ] || fail "the metainfo provides $binary, which is not installed"
done

# Icons: the scalable one and each PNG at its own size.
[ -s "$share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
for size in 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$id.png
  file "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not a ${size}x$size PNG"
done

# Manuals: each renders without a warning and names every option of --help.
for program in kerova kerova-sweep kerova-engine; do
  page=$share/man/man1/$program.1.gz
  text=$(MANWIDTH=80 man --warnings -l "$page" 2>"$root/man.err") || fail "man -l $page failed"
  [ -s "$root/man.err" ] && fail "man -l $page: $(cat "$root/man.err")"
  [ -n "$text" ] || fail "man -l $page rendered nothing"
  for option in $("$usr/bin/$program" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -q -- "$option" <<<"$text" || fail "the manual of $program does not describe $option"
  done
done

# The command lines: help and version on standard output with 0, an unknown
# option one line on standard error naming it and --help, with 2. kerova
# answers before it looks for a display, so none is given to it.
for program in kerova kerova-sweep kerova-engine; do
  tool=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/$program")
  # grep reads the whole help: one that stops at the match would end the
  # program's later writes with SIGPIPE and fail the pipeline.
  "${tool[@]}" --help | grep -- "--version" >/dev/null || fail "$program --help does not list --version"
  "${tool[@]}" --version | grep -qx "$program (Kerova) $version" || fail "$program --version: $("${tool[@]}" --version)"
  set +e
  "${tool[@]}" --no-such-option >/dev/null 2>"$root/err"
  rc=$?
  set -e
  [ $rc -eq 2 ] || fail "$program --no-such-option ended with $rc, not 2"
  [ "$(wc -l <"$root/err")" -eq 1 ] && grep -q -- "--no-such-option.*--help" "$root/err" ||
    fail "$program --no-such-option said: $(cat "$root/err")"
done

# The installed tools on a fresh home: the default store is created and calculated on.
export XDG_DATA_HOME=$root/home/data XDG_CONFIG_HOME=$root/home/config
unset KEROVA_ENGINE_CONFIG
"$usr/bin/kerova-engine" init >/dev/null && "$usr/bin/kerova-engine" demo >/dev/null ||
  fail "kerova-engine init/demo on a fresh home"
[ -f "$XDG_DATA_HOME/kerova/model.sqlite" ] || fail "no default store in $XDG_DATA_HOME/kerova"
rows=$("$usr/bin/kerova-sweep" --x-to 30 --y-to 20 2>/dev/null | wc -l) || rows=0
[ "$rows" -eq 3 ] || fail "kerova-sweep on the sample store gave $rows lines, not 3"

exit $failed
