// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/TForm.h"

class QListWidget;
class QPushButton;

// The parameter listing window: the model and the levels of the last
// calculation (or, before one, of the model current in the model window),
// one line per parameter. The calculation window hands it the lines;
// "ОК" and Esc close it.
class TfrmShowParam : public TForm
{
    Q_OBJECT

public:
    explicit TfrmShowParam(QWidget* parent = nullptr);

    QListWidget* ListBox1;
    QPushButton* btnOK;

    void btnOKClick();
    // Replaces the listing; the selected line stays selected when the listing is the same.
    void setListing(const QStringList& lines);
};

extern TfrmShowParam* frmShowParam;
