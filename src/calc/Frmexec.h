// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/SetupCommands.h"
#include "calccore/SweepInput.h"
#include "toolkit/TForm.h"

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class BackgroundSweep;
class TRadioGroup;

// The calculation window "Расчеты": the X and Y indicators with their ranges
// and levels, the quantity to compute and its level K, for the levels of the
// model current in the model window, whose name it shows. "Расчет" sweeps the
// two indicators and writes every result into the chart of frmOutput and the
// table of frmTblOut; three buttons show the result and listing windows.
// Inputs that cannot give a result are refused with one box, the focus put
// into the field to correct. The inputs can be saved as a setup file and
// opened again, and are kept between runs (SetupCommands).
// The windows it writes to are looked up when a handler runs: they are
// created after this one.
class TfrmExecute : public TForm
{
    Q_OBJECT

public:
    explicit TfrmExecute(QWidget* parent = nullptr);
    // Keeps the inputs for the next run.
    ~TfrmExecute() override;

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
    QLabel* lblModel;
    QProgressBar* pbrCalc;
    QPushButton* btnOpenSetup;
    QPushButton* btnSaveSetup;

    // «Расчет»; while a calculation runs the button reads «Прервать» and stops it.
    void btnCalcClick();
    void btnGoChartClick();
    void btnTableClick();
    void btnParamClick();
    // «Открыть расчет…» (Ctrl+O) and «Сохранить расчет…» (Ctrl+S).
    void btnOpenSetupClick();
    void btnSaveSetupClick();
    // Stops a running calculation, saying so; Esc does the same, and closes the window otherwise.
    void interrupt();
    // Ends the chart's loading and a running calculation; the window hides.
    void FormClose();

    // The texts of the nine edits and the items of the three radio groups.
    SweepInput input() const;
    // Puts the inputs into the fields and radio groups.
    void setInput(const SweepInput& input);
    // The control of an input field, where a refusal puts the focus.
    QWidget* fieldControl(SweepField field) const;
    // One box naming the field and what is wrong; then the field takes the focus.
    void refuse(const SweepRefusal& refusal);

protected:
    void FormShow() override;
    void FormHide() override;

private:
    // The key of the model current in the model window, or nothing (after a
    // box saying what to do, when report is set) when there is no stored one.
    std::optional<int> chosenModel(bool report) const;
    void showModelName();
    void showModelLine(const QString& line);
    bool compute(BackgroundSweep& sweep);
    void escape();
    void createControls();
    void createSetupButtons();
    void connectHandlers();

    bool m_calculating = false;
    // The calculation computing now, and whether «Прервать» stopped it.
    BackgroundSweep* m_sweep = nullptr;
    bool m_interrupted = false;
    // Whether a calculation has completed: the listing then shows its levels.
    bool m_calculated = false;
    SetupCommands m_setup{*this};
};

extern TfrmExecute* frmExecute;
