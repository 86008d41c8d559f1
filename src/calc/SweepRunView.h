// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QString>
#include <QtGlobal>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

// How the calculation window looks while a sweep runs in the background:
// the inputs are disabled at once; from about a third of a second on, the
// progress bar takes the place of the model's name, showing the points done
// of all in the user's locale, and the calculate button reads «Прервать».
// Everything is put back when the object goes, whatever ended the sweep; the
// focus returns to the input that had it.
class SweepRunView
{
public:
    static constexpr qint64 ShowAfterMs = 333;

    struct Controls
    {
        QPushButton* button;
        QProgressBar* bar;
        QLabel* covered;
        QList<QWidget*> inputs;
    };
    explicit SweepRunView(const Controls& controls);
    ~SweepRunView();
    SweepRunView(const SweepRunView&) = delete;
    SweepRunView& operator=(const SweepRunView&) = delete;

    static QString stopCaption();
    // "1 250 000 из 25 000 000".
    static QString progressText(qint64 done, qint64 total);
    // Called as the sweep goes on; shows the progress once ShowAfterMs have passed.
    void progress(qint64 done, qint64 total);

private:
    void setCaption(const QString& caption);

    Controls m_controls;
    QString m_caption;
    QPointer<QWidget> m_focus;
    QElapsedTimer m_clock;
};
