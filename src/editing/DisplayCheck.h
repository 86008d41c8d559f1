// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Whether the window system Qt is about to use has a display to connect to,
// decided before Qt tries: without one its xcb and wayland plugins end the
// process with an abort. Only the platform names and the environment are
// looked at, so no connection is opened twice; a display that is named but
// does not answer is still left to Qt.
class DisplayCheck
{
public:
    // platform: the last "-platform" argument, empty when none was given;
    // xDisplay: the "-display" argument of the xcb plugin, empty when none.
    // The platform is that argument, else QT_QPA_PLATFORM, else Qt's default
    // (xcb or wayland); a list "a;b" is tried in order and ":options" after a
    // name do not matter here. xcb needs DISPLAY (or -display), wayland
    // WAYLAND_DISPLAY, the default either; any other plugin (offscreen,
    // minimal, vnc, eglfs, linuxfb) needs none.
    static bool available(const QString& platform, const QString& xDisplay);
    // Whether the windows of the running platform plugin reach a person:
    // offscreen and minimal draw into memory only, so a box there would wait
    // for an answer that never comes.
    static bool seenByPerson(const QString& platformName);
};
