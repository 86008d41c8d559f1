// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepInput.h"
#include "toolkit/TForm.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TRadioGroup;

// The calculation window "Расчеты": the X and Y indicators with their ranges
// and levels, the quantity to compute and its level K. "Расчет" sweeps the two
// indicators and writes every result into the chart of frmOutput and the
// table of frmTblOut; three buttons show the result and listing windows.
// The windows it writes to are looked up when a handler runs: they are
// created after this one.
class TfrmExecute : public TForm
{
    Q_OBJECT

public:
    explicit TfrmExecute(QWidget* parent = nullptr);

    // Controls, in design order.
    TRadioGroup* ValX;
    TRadioGroup* ValY;
    QGroupBox* GroupBox1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLineEdit* edtMinX;
    QLineEdit* edtMaxX;
    QLineEdit* edtStepX;
    QLineEdit* edtLevelX;
    QGroupBox* GroupBox2;
    QLabel* Label1;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLineEdit* edtMinY;
    QLineEdit* edtMaxY;
    QLineEdit* edtStepY;
    QLineEdit* edtLevelY;
    QGroupBox* gbxCalcValue;
    TRadioGroup* rgrCalcType;
    QLabel* Label9;
    QLineEdit* edtCalcLevel;
    QPushButton* btnCalc;
    QPushButton* btnGoChart;
    QPushButton* btnTable;
    QPushButton* btnParam;

    void btnCalcClick();
    void btnGoChartClick();
    void btnTableClick();
    void btnParamClick();
    // Ends the chart's loading; the window hides.
    void FormClose();

    // The texts of the nine edits and the items of the three radio groups.
    SweepInput input() const;

private:
    void createControls();
    void fitCaptions();
    void orderTabs();
    void connectHandlers();

    bool m_calculating = false;
};

extern TfrmExecute* frmExecute;
