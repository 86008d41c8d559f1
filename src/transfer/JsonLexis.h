// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The JSON reader's small lexical pieces: which bytes make a number as JSON
// writes it, and UTF-8 for a character an escape gives.
namespace JsonLexis {

bool isDigit(int c);
// -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
bool validNumber(QByteArrayView text);
void appendUtf8(QByteArray& out, char32_t c);

} // namespace JsonLexis
