// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/MasterDetail.h"

#include "engine/DataSet.h"
#include "number/HandlerGuard.h"

void MasterDetail::link(DataSet& detail, DataSet& master, const QString& masterField,
                        const QString& detailField)
{
    detail.setMaster(&master, masterField, detailField);
    const auto follow = [&detail] { runHandler([&detail] { detail.followMaster(); }); };
    QObject::connect(&master, &DataSet::currentChanged, &detail, follow);
    QObject::connect(&master, &DataSet::contentReset, &detail, follow);
}
