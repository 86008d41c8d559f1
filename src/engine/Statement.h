// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// A statement as the driver receives it: table names made canonical (case,
// quotes and ".DB" do not matter) and every ":name" parameter replaced by a
// positional "?", with the parameter names kept in order of appearance.
struct Statement
{
    QString sql;
    QStringList parameters;
    QString firstTable; // canonical name of the first store table named, if any

    static Statement prepare(const QString& text);
};
