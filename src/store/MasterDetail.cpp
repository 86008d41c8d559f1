// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/MasterDetail.h"

#include "engine/DataSet.h"
#include "number/Handler.h"

void MasterDetail::link(DataSet& detail, DataSet& master, const QString& masterField,
                        const QString& detailField)
{
    detail.setMaster(&master, masterField, detailField);
    connectHandler(&master, &DataSet::currentChanged, &detail, &DataSet::followMaster);
    connectHandler(&master, &DataSet::contentReset, &detail, &DataSet::followMaster);
}
