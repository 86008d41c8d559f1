// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/ExecLayout.h"

#include "calc/Frmexec.h"
#include "toolkit/TRadioGroup.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ExecLayout {

// The design places suit a narrow font; where the item captions of a radio
// group need more room in the font in use, the groups (and the window) widen
// so that no caption is cut off.
void fitCaptions(TfrmExecute& w)
{
    const auto shortfall = [](const QWidget* control) {
        return qMax(0, control->sizeHint().width() - control->width());
    };
    const int dx = qMax(shortfall(w.ValX), shortfall(w.ValY));
    const int dc = shortfall(w.rgrCalcType);
    const auto widen = [](QWidget* control, int left, int width) {
        control->setGeometry(control->x() + left, control->y(), control->width() + width,
                             control->height());
    };
    widen(w.ValX, 0, dx);
    widen(w.ValY, dx, dx);
    for (QWidget* control : {w.GroupBox1, w.GroupBox2})
        widen(control, 0, 2 * dx);
    widen(w.gbxCalcValue, 0, qMax(2 * dx, dc));
    widen(w.rgrCalcType, 0, dc);
    for (QWidget* control :
         {static_cast<QWidget*>(w.Label9), static_cast<QWidget*>(w.edtCalcLevel)})
        widen(control, dc, 0);
    w.resize(w.width() + qMax(2 * dx, dc), w.height());
}

// As the controls stand: the two indicators, the X range and the Y range
// left to right, the quantity and its level, then the buttons left to right.
void orderTabs(TfrmExecute& w)
{
    QList<QWidget*> chain;
    for (TRadioGroup* group : {w.ValX, w.ValY})
        for (int i = 0; i < group->itemCount(); ++i)
            chain << group->button(i);
    chain << w.edtMinX << w.edtMaxX << w.edtStepX << w.edtLevelX << w.edtMinY << w.edtMaxY
          << w.edtStepY << w.edtLevelY;
    for (int i = 0; i < w.rgrCalcType->itemCount(); ++i)
        chain << w.rgrCalcType->button(i);
    chain << w.edtCalcLevel << w.btnCalc << w.btnGoChart << w.btnTable << w.btnParam
          << w.btnOpenSetup << w.btnSaveSetup;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

} // namespace ExecLayout
