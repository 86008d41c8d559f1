#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command as a screen-reader user runs Kerova: under Xvfb, with a
# session bus and an AT-SPI bus, Qt's accessibility always on, on the xcb
# platform. Example: bench/with-accessibility.sh build-rel/bench/bench_window
exec xvfb-run -a -s "-screen 0 1600x1200x24" dbus-run-session -- bash -c '
/usr/libexec/at-spi-bus-launcher --launch-immediately & sleep 1
/usr/libexec/at-spi2-registryd & sleep 0.5
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$@"' bash "$@"
