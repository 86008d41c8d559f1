// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/TForm.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TChartControl;
class TRadioGroup;

// The result chart window: the chart of the last calculation and three
// display settings (value scale, point spacing, 3D) applied by "Применить".
// The chart's context menu saves the current view as PNG, SVG or PDF and
// copies it as a picture.
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
    // "Сохранить изображение…": the format by the file's suffix.
    void saveImage();
    // "Копировать изображение".
    void copyImage();

    QAction* saveImageAction() const { return m_saveImage; }
    QAction* copyImageAction() const { return m_copyImage; }

private:
    void createControls();
    void createActions();
    void layOut();
    void connectHandlers();

    QAction* m_saveImage = nullptr;
    QAction* m_copyImage = nullptr;
};

extern TfrmOutput* frmOutput;
