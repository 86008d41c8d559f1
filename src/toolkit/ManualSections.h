// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

// The sections of a Markdown manual by name: each `<a name="…">` line names
// the heading that follows it. Qt's Markdown reader drops such raw HTML, so
// the names are read from the source and a section is known by the number of
// its heading (0 is the first heading of the text), which is the order of
// the heading blocks in the document Qt makes from it. Headings are the ATX
// form (`#` … `######`); lines inside fenced code are never headings.
class ManualSections
{
public:
    static QHash<QString, int> headingNumbers(const QString& markdown);
};
