// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/JsonTextCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <charconv>
#include <vector>

namespace {

struct Frame
{
    bool object = false;
    bool expectKey = false;
    QSet<QString> keys;
    QString key;         // objects: the key of the current member
    qsizetype index = 0; // arrays: the index of the current element
};

// "models[3].LVLNAME": the members and elements open at this point.
QString placeOf(const std::vector<Frame>& open)
{
    QString place;
    for (std::size_t i = 0; i < open.size(); ++i) {
        if (!open[i].object)
            place += QStringLiteral("[%1]").arg(open[i].index);
        else if (!open[i].key.isEmpty() && !open[i].expectKey)
            place += (place.isEmpty() ? QString() : QStringLiteral(".")) + open[i].key;
    }
    return place.isEmpty() ? QStringLiteral("документ") : place;
}

// The end of the string that starts at the quote at begin: its closing quote.
qsizetype stringEnd(const QByteArray& json, qsizetype begin)
{
    qsizetype i = begin + 1;
    while (i < json.size() && json[i] != '"')
        i += json[i] == '\\' ? 2 : 1;
    return i;
}

// A key as the parser reads it: escapes ("\u0041") decoded.
QString decoded(const QByteArray& raw)
{
    if (!raw.contains('\\'))
        return QString::fromUtf8(raw);
    return QJsonDocument::fromJson("[\"" + raw + "\"]").array().at(0).toString();
}

// The code of a "\uXXXX" escape at i, -1 when there is none.
int escapeAt(const QByteArray& raw, qsizetype i)
{
    if (i + 6 > raw.size() || raw[i] != '\\' || raw[i + 1] != 'u')
        return -1;
    bool ok = false;
    const int code = raw.mid(i + 2, 4).toInt(&ok, 16);
    return ok ? code : -1;
}

// Half a surrogate pair escaped without its other half.
QString surrogateProblem(const QByteArray& raw)
{
    for (qsizetype i = 0; i < raw.size(); i += raw[i] == '\\' ? 2 : 1) {
        const int code = escapeAt(raw, i);
        if (code < 0xD800 || code > 0xDFFF)
            continue;
        const int next = escapeAt(raw, i + 6);
        if (code <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
            i += 10; // the pair, less the step of the loop
            continue;
        }
        return QStringLiteral("в тексте половина суррогатной пары \\u%1 без второй половины: "
                              "такого символа нет")
            .arg(QString::fromLatin1(raw.mid(i + 2, 4)));
    }
    return {};
}

// Checks the number that starts at i and returns its end; one that rounds to
// zero is made "0" in place, one beyond the double gives a problem.
qsizetype number(QByteArray& json, qsizetype i, QString* problem)
{
    qsizetype end = i;
    while (end < json.size() && QByteArrayView("+-.0123456789eE").contains(json[end]))
        ++end;
    double value = 0;
    const auto [ptr, error] = std::from_chars(json.constData() + i, json.constData() + end, value);
    if (error != std::errc::result_out_of_range)
        return end;
    qsizetype exponent = i;
    while (exponent < end && json[exponent] != 'e' && json[exponent] != 'E')
        ++exponent;
    const bool tiny = exponent + 1 < end && json[exponent + 1] == '-';
    if (!tiny) {
        *problem =
            QStringLiteral("число %1 вне диапазона").arg(QString::fromLatin1(json.mid(i, end - i)));
        return end;
    }
    json[i] = '0';
    for (qsizetype k = i + 1; k < end; ++k)
        json[k] = ' ';
    return end;
}

} // namespace

JsonTextCheck::Problem JsonTextCheck::scan(QByteArray& json)
{
    std::vector<Frame> open;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '{' || c == '[') {
            open.push_back({c == '{', c == '{', {}, {}, 0});
        } else if (c == '}' || c == ']') {
            if (!open.empty())
                open.pop_back();
        } else if (c == ',') {
            if (!open.empty() && open.back().object)
                open.back().expectKey = true;
            else if (!open.empty())
                ++open.back().index;
        } else if (c == '"') {
            const qsizetype end = stringEnd(json, i);
            const QByteArray raw = json.mid(i + 1, end - i - 1);
            const bool key = !open.empty() && open.back().expectKey;
            if (key) {
                open.back().key = decoded(raw);
                open.back().expectKey = false;
                if (open.back().keys.contains(open.back().key))
                    return {placeOf(open),
                            QStringLiteral("ключ «%1» указан в одном объекте дважды")
                                .arg(open.back().key),
                            i};
                open.back().keys.insert(open.back().key);
            }
            if (const QString problem = surrogateProblem(raw); !problem.isEmpty())
                return {placeOf(open), problem, i};
            i = end;
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            QString problem;
            const qsizetype end = number(json, i, &problem);
            if (!problem.isEmpty())
                return {placeOf(open), problem, i};
            i = end - 1;
        }
    }
    return {};
}
