// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class DataSet;

// Ties a detail data set to its master: whenever the master moves or is
// re-read, the detail re-reads its rows. A store error on the way goes where
// every handler's error goes (runHandler), never through Qt's signal machinery.
class MasterDetail
{
public:
    static void link(DataSet& detail, DataSet& master, const QString& masterField,
                     const QString& detailField);
};
