// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Dmcom.h"

#include "engine/KeyGenerator.h"

TdmCommon* dmCommon = nullptr;

TdmCommon::TdmCommon(QObject* owner) : QObject(owner)
{
    setObjectName(QStringLiteral("dmCommon"));
    dmCommon = this;
    dbMedic.open();
}

TdmCommon::~TdmCommon()
{
    if (dmCommon == this)
        dmCommon = nullptr;
}

int TdmCommon::TakeKey(const QString& kind)
{
    return KeyGenerator::take(dbMedic, kind);
}
