// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transfer/StoreContent.h"

#include <QByteArray>
#include <QJsonObject>

// The JSON form of a store's content: an object with the format name
// "kerova-store", its version, the time, the source (alias target) and the
// arrays "models" and "levels" of row objects keyed by column name. Numbers
// are written in their shortest form that reads back as the same double.
class StoreDocument
{
public:
    static constexpr int kVersion = 1;
    // The longest document import reads: 1 GiB.
    static constexpr qint64 kMaxBytes = qint64(1) << 30;
    static QString formatName();
    // The array of each table of the schema: "models", "levels".
    static QString arrayName(std::size_t table);

    static QJsonObject toJson(const StoreContent& content);
    // The object "keys": the last key given of each kind ({"LVLID": 7, "MODID": 3}).
    static QJsonObject keysToJson(const KeyGenerator::LastKeys& lastKeys);
    static QByteArray write(const StoreContent& content);
    // Reads a document and checks all of it: format and version, every column
    // known, every value of its column's kind, no key twice, every level's
    // model present, the optional "keys" whole numbers of known kinds. The first problem raises an
    // EngineError that names its place ("levels[3].LVLNODEAMOUNT"), a lone surrogate escape or a
    // key given twice included; a number that rounds to zero (1e-400) is read as 0.
    static StoreContent read(QByteArray json);
    static StoreContent fromJson(const QJsonObject& document);
};
