// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/TForm.h"

class QListWidget;
class QPushButton;

// The parameter listing window: a fixed listing of a sample model's
// parameters, part of the window's design; nothing changes it.
class TfrmShowParam : public TForm
{
    Q_OBJECT

public:
    explicit TfrmShowParam(QWidget* parent = nullptr);

    QListWidget* ListBox1;
    QPushButton* btnOK;

    // The 27 lines of the listing, trailing blanks included.
    static QStringList listing();
};

extern TfrmShowParam* frmShowParam;
