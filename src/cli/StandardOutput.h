// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string_view>

// Standard output of a tool, checked: every write and the final flush. A
// full disk or a closed pipe must not pass for success, so the first
// failure is kept with its reason, nothing is written after it, and finish()
// turns it into an error.
class StandardOutput
{
public:
    // Writes the bytes unless an earlier write failed; false when not all of them were written.
    static bool write(std::string_view bytes);
    // The text in UTF-8.
    static bool write(const QString& text);

    // Flushes standard output and gives the tool's exit status: status when
    // everything written arrived (or when the tool has already reported an
    // error of its own), otherwise 1 after one error line saying what could
    // not be written and why.
    static int finish(int status);

private:
    // errno of the first failed write, 0 while there is none.
    static int s_error;
};
