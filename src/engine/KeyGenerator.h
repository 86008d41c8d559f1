// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

class Database;

// The store's generator of keys: for each kind of key (MODID of a model,
// LVLID of a level) the last key it gave, in the table KEROVAKEY. A key once
// given is never given again in that store, even after the row that held the
// highest key is deleted. A store without the generator gets it with its
// first new key, seeded from the highest key stored; a generator behind the
// stored keys (rows written by another program) is caught up the same way.
class KeyGenerator
{
public:
    using LastKeys = QMap<QString, qint64>; // by kind
    static const QStringList& kinds();      // "MODID", "LVLID"

    // The last key given of each kind: the generator's or the highest stored,
    // whichever is higher; 0 when none was given. Reads only.
    static LastKeys last(Database& db);
    // The next key of a kind, taken in the caller's write transaction. The
    // generator's row stays locked until the transaction ends, so two saves
    // at once get two keys; a rollback gives the key back.
    static int take(Database& db, const QString& kind);
    // Raises the generator, in the caller's write transaction, to at least
    // the given last keys and the highest keys stored (import, copy).
    static void keepAbove(Database& db, const LastKeys& last);
    // The message of the error raised when no key of the kind is left.
    static QString exhausted(const QString& kind);

private:
    static void createTable(Database& db);
    static std::optional<qint64> lockRow(Database& db, const QString& kind);
    static void provide(Database& db);
    static qint64 highestStored(Database& db, const QString& kind);
    static qint64 generated(Database& db, const QString& kind);
    static void store(Database& db, const QString& kind, qint64 last);
};
