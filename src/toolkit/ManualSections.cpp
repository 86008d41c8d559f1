// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ManualSections.h"

#include <QRegularExpression>
#include <QStringList>

QHash<QString, int> ManualSections::headingNumbers(const QString& markdown)
{
    static const QRegularExpression heading(QStringLiteral("^ {0,3}#{1,6}(\\s|$)"));
    static const QRegularExpression fence(QStringLiteral("^ {0,3}(```|~~~)"));
    static const QRegularExpression name(QStringLiteral("<a\\s+name=\"([^\"]+)\"\\s*>"));
    QHash<QString, int> sections;
    QStringList waiting; // names seen since the last heading
    int headings = 0;
    bool inCode = false;
    for (const QString& line : markdown.split(QLatin1Char('\n'))) {
        if (fence.match(line).hasMatch())
            inCode = !inCode;
        if (inCode)
            continue;
        for (auto it = name.globalMatch(line); it.hasNext();)
            waiting << it.next().captured(1);
        if (!heading.match(line).hasMatch())
            continue;
        for (const QString& waitingName : std::as_const(waiting))
            sections.insert(waitingName, headings);
        waiting.clear();
        ++headings;
    }
    return sections;
}
