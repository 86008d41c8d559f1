// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// What QJsonDocument would take silently or wrongly from the text of a JSON
// document, found by scanning the text itself: a key given twice in one
// object (the last value would win), an escape "\uD800" of half a surrogate
// pair without its other half (it would swallow the character after it), and
// a number beyond the range of a double. A number so small that it rounds to
// zero (1e-400) is read as zero: its text is replaced in place by "0" and
// blanks, which QJsonDocument would otherwise refuse. The text is scanned,
// not checked: its syntax is QJsonDocument's to judge.
class JsonTextCheck
{
public:
    struct Problem
    {
        QString place;         // "models[0].MODNAME", the path of the value or key
        QString text;          // what is wrong, empty when nothing is
        qsizetype offset = -1; // byte offset where it was found
    };
    // The first problem of the text; underflowing numbers are made zero on the way.
    static Problem scan(QByteArray& json);
};
