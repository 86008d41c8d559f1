// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/TForm.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class PinControls;
class QPushButton;
class ResultPin;
class TChartControl;
class TRadioGroup;

// The result chart window: the chart of the last calculation and three
// display settings (value scale, point spacing, 3D) applied by "Применить".
// The chart's context menu saves the current view as PNG (at a size the
// user chooses), SVG or PDF, copies it as a picture and prints it (Ctrl+P). «Закрепить для
// сравнения» (a button, the context menu, Ctrl+D) keeps the current result, which the flat chart
// then draws dashed beside every later one until «Открепить» (Ctrl+Shift+D).
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
    QPushButton* btnPin;
    QPushButton* btnUnpin;

    void btnApplyClick();
    void btnExitClick();
    // "Сохранить изображение…": the format by the file's suffix.
    void saveImage();
    // "Копировать изображение".
    void copyImage();
    // «Печать…»: the print preview of the chart on one page, its inputs under it.
    void printChart();

    QAction* saveImageAction() const { return m_saveImage; }
    QAction* copyImageAction() const { return m_copyImage; }
    QAction* printAction() const { return m_print; }
    QAction* pinAction() const;
    QAction* unpinAction() const;

    // The result kept for comparison, shared with the other result windows;
    // without one the window offers no pinning.
    void setResultPin(ResultPin* pin);

private:
    void createControls();
    void createActions();
    void layOut();
    void connectHandlers();
    void createPinControls();
    void showPinned();

    QAction* m_saveImage = nullptr;
    QAction* m_copyImage = nullptr;
    QAction* m_print = nullptr;
    PinControls* m_pinControls = nullptr;
};

extern TfrmOutput* frmOutput;
