// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct CalculationRecord;
class TableBuffer;
class TfrmTblOut;

// A completed calculation shown in the table window: its string grid tblOut
// takes over the grid the sweep filled in memory, the name fields edtX and
// edtY get the names, and the marks of failed points, the inputs and the
// subject follow the record. Until then the window shows the previous result
// untouched, so a calculation that fails or is stopped leaves it whole.
class SweepTableWindow
{
public:
    static void show(TfrmTblOut& window, TableBuffer& result, const CalculationRecord& record);
};
