#pragma once

#include "toolkit/TForm.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TChartControl;
class TRadioGroup;

// The result chart window: the chart of the last calculation and three
// display settings (value scale, point spacing, 3D) applied by "Применить".
class TfrmOutput : public TForm
{
    Q_OBJECT

public:
    explicit TfrmOutput(QWidget* parent = nullptr);

    TChartControl* Chart1;
    QPushButton* btnApply;
    QPushButton* btnExit;
    QGroupBox* GroupBox3;
    QLineEdit* edtScaleZ;
    QLabel* Label1;
    QLineEdit* edtPixFactor;
    QLabel* Label2;
    TRadioGroup* rgrChart3D;

    void btnApplyClick();
    void btnExitClick();

private:
    void createControls();
    void layOut();
    void connectHandlers();
};

extern TfrmOutput* frmOutput;
