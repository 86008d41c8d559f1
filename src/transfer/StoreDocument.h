// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transfer/RowSink.h"
#include "transfer/StoreContent.h"

#include <QByteArray>
#include <QJsonObject>
#include <array>

class QIODevice;

// The JSON form of a store's content: an object with the format name
// "kerova-store", its version, the time, the source (alias target) and the
// arrays "models" and "levels" of row objects keyed by column name, and the
// object "keys". Numbers are written in their shortest form that reads back
// as the same double.
//
// A document is read from a device twice, a piece at a time, so that one of
// any size is never held: check() reads all of it and finds the first
// problem before anything is written, rows() reads it again and gives each
// row as it comes.
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

    // What check() found in a document that an import takes.
    struct Checked
    {
        std::array<qsizetype, 2> rows{}; // of each table
        KeyGenerator::LastKeys lastKeys;
        size_t digest = 0; // of the document's bytes
    };
    // Reads the device from its start and checks all of it: format and
    // version, every column known, every value of its column's kind, no key
    // twice, every level's model present, the level rules, the optional
    // "keys" whole numbers of known kinds. The first problem raises an
    // EngineError that names its place ("levels[3].LVLNODEAMOUNT"), a lone
    // surrogate escape or a key given twice included; a number that rounds
    // to zero (1e-400) is read as 0.
    static Checked check(QIODevice& in);
    // Reads the checked device again from its start and gives each row, in
    // its canonical form, to sink. Raises when the bytes are not those checked.
    static void rows(QIODevice& in, const Checked& checked, const RowSink& sink);

    // A whole document held in memory, checked as check() does.
    static StoreContent read(const QByteArray& json);
    static StoreContent fromJson(const QJsonObject& document);
};
