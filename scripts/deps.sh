#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing Kerova need.
# Only missing packages are installed; apt-get update runs once, and only then.
set -euo pipefail

PACKAGES=(
  # toolchain, and the formatter the tests check the sources with
  g++ cmake make pkg-config clang-format
  # Qt 6: widgets and printing (both in qt6-base-dev), SQL drivers, charts, 3D bars
  # (needs declarative to configure), SVG export, Designer plugin interface, the
  # platform plugins and translations
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
  qt6-charts-dev qt6-datavisualization-dev qt6-declarative-dev
  qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools qt6-qpa-plugins qt6-translations-l10n
  libgl-dev libgl1-mesa-dri
  # headless display, fonts and Russian locale
  xvfb xauth fonts-dejavu-core locales-all
  # stores, benchmarks (the numpy peer timed by GNU time; an accessibility
  # bus for the application's figures), screenshots
  sqlite3 postgresql libbenchmark-dev python3-numpy time at-spi2-core dbus-x11 imagemagick
  # how a new store file is created (strace, in the store tests)
  strace
  # installing: icons drawn from the SVG, the Debian package (CPack runs
  # dpkg-shlibdeps and file), checks of the desktop entry, metainfo and manuals
  librsvg2-bin dpkg-dev file desktop-file-utils appstream man-db
  # checking the Debian package: Debian's rules (lintian) and hardening (devscripts)
  lintian devscripts
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
