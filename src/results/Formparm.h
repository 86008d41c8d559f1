// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/TForm.h"

#include <QPointer>
#include <QStringList>

class QListWidget;
class QPushButton;
class ResultPin;

// The parameter listing window: the model and the levels of the last
// calculation (or, before one, of the model current in the model window),
// one line per parameter. The calculation window hands it the lines;
// "ОК" and Esc close it. With a result pinned for comparison, the pinned
// calculation's listing follows under «Закрепленный расчет:», and the lines
// whose values differ between the two are marked (bold, on a pale yellow,
// the other calculation's value as tooltip) in both.
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
    // The listing of the current calculation, without the pinned one's.
    const QStringList& listing() const { return m_listing; }
    // The result kept for comparison, shared with the other result windows.
    void setResultPin(ResultPin* pin);
    static QColor differenceBackground();

private:
    void showListing();

    QStringList m_listing;
    QPointer<ResultPin> m_pin;
};

extern TfrmShowParam* frmShowParam;
