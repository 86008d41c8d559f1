#pragma once

#include "toolkit/TForm.h"

class QLineEdit;
class QPushButton;
class TStringGrid;
class TUpDown;

// The result table window: the numbers of the last calculation, X values in
// the fixed row, Y values in the fixed column, and the names of the two
// parameters above the table.
class TfrmTblOut : public TForm
{
    Q_OBJECT

public:
    explicit TfrmTblOut(QWidget* parent = nullptr);

    TStringGrid* tblOut;
    QPushButton* btnClose;
    TUpDown* UpDown1;
    TUpDown* UpDown2;
    QLineEdit* edtX;
    QLineEdit* edtY;

    void btnCloseClick();

private:
    void createControls();
    void layOut();
};

extern TfrmTblOut* frmTblOut;
