// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/SweepRunView.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>

SweepRunView::SweepRunView(const Controls& controls)
    : m_controls(controls), m_caption(controls.button->text()), m_focus(QApplication::focusWidget())
{
    for (QWidget* input : m_controls.inputs)
        input->setEnabled(false);
    m_clock.start();
}

SweepRunView::~SweepRunView()
{
    for (QWidget* input : m_controls.inputs)
        input->setEnabled(true);
    m_controls.bar->hide();
    m_controls.covered->show();
    setCaption(m_caption);
    if (m_focus && m_focus->isEnabled() && m_focus->isVisible())
        m_focus->setFocus(Qt::OtherFocusReason);
}

QString SweepRunView::stopCaption()
{
    return QStringLiteral("Прервать");
}

QString SweepRunView::progressText(qint64 done, qint64 total)
{
    const QLocale locale;
    return QStringLiteral("%1 из %2").arg(locale.toString(done), locale.toString(total));
}

void SweepRunView::progress(qint64 done, qint64 total)
{
    if (m_clock.elapsed() < ShowAfterMs)
        return;
    QProgressBar* bar = m_controls.bar;
    if (bar->isHidden()) {
        // The counts go up to 32767² points, within an int.
        bar->setRange(0, int(qMax<qint64>(total, 1)));
        m_controls.covered->hide();
        bar->show();
        setCaption(stopCaption());
    }
    bar->setValue(int(qMin(done, total)));
    bar->setFormat(progressText(done, total));
}

void SweepRunView::setCaption(const QString& caption)
{
    m_controls.button->setText(caption);
    m_controls.button->setAccessibleName(caption);
}
