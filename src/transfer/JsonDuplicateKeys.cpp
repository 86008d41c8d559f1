// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/JsonDuplicateKeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <vector>

namespace {

struct Frame
{
    bool object = false;
    bool expectKey = false;
    QSet<QString> keys;
};

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

} // namespace

JsonDuplicateKeys::Duplicate JsonDuplicateKeys::find(const QByteArray& json)
{
    std::vector<Frame> open;
    for (qsizetype i = 0; i < json.size(); ++i) {
        switch (json[i]) {
        case '{':
        case '[':
            open.push_back({json[i] == '{', json[i] == '{', {}});
            break;
        case '}':
        case ']':
            if (!open.empty())
                open.pop_back();
            break;
        case ',':
            if (!open.empty() && open.back().object)
                open.back().expectKey = true;
            break;
        case '"': {
            const qsizetype end = stringEnd(json, i);
            if (!open.empty() && open.back().expectKey) {
                const QString key = decoded(json.mid(i + 1, end - i - 1));
                if (open.back().keys.contains(key))
                    return {key, i};
                open.back().keys.insert(key);
                open.back().expectKey = false;
            }
            i = end;
            break;
        }
        default:
            break;
        }
    }
    return {};
}
