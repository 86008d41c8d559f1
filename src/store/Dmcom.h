// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Database.h"

#include <QObject>

// The common data module: the store connection and key generation.
class TdmCommon : public QObject
{
    Q_OBJECT
public:
    // Connects dbMedic to the store behind the alias MODEL; a failure raises.
    explicit TdmCommon(QObject* owner = nullptr);
    ~TdmCommon() override;

    Database dbMedic{QStringLiteral("MODEL"), QStringLiteral("MODELDB")};

    // The next key of a kind ("MODID", "LVLID") from the store's generator,
    // taken in the write transaction under way: never a key given before,
    // even one whose row was deleted. A failure of the store, or no key
    // left, reaches the caller: no key is better than a wrong one.
    int TakeKey(const QString& kind);
};

extern TdmCommon* dmCommon;
