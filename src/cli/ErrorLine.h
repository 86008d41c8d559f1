// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One line of a tool on standard error, as GNU tools write them: the
// program's name, ": ", the text. Lines that follow it to detail it (a list)
// are written as they are.
class ErrorLine
{
public:
    static void write(const QString& text);
    // "<program>: <text>" without the line end, for a message built further.
    static QString prefixed(const QString& text);
};
