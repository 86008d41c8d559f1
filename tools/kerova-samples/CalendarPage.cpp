// SPDX-License-Identifier: GPL-3.0-or-later
// Gallery page of the month calendar: the calendar with buttons that step
// the month and the year, and its settings.

#include "GalleryPages.h"

#include "samples/Ccalendr.h"
#include "samples/ComponentPalette.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <memory>

namespace {

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(name);
    result->setAccessibleName(caption);
    return result;
}

QWidget* createPage()
{
    TCCalendar::Register();
    auto* page = new QWidget;
    auto* icon = new QLabel(page);
    icon->setPixmap(ComponentPalette::find(QStringLiteral("TCCalendar"))->icon().pixmap(24, 24));
    auto* month = new QLabel(page);
    month->setObjectName(QStringLiteral("lblMonth"));
    QFont big = month->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    month->setFont(big);

    auto* calendar = new TCCalendar(page);
    calendar->setObjectName(QStringLiteral("CCalendar1"));
    calendar->setMinimumSize(360, 240);
    auto* prevYear = button(QStringLiteral("btnPrevYear"), QStringLiteral("« Год"), page);
    auto* prevMonth = button(QStringLiteral("btnPrevMonth"), QStringLiteral("‹ Месяц"), page);
    auto* today = button(QStringLiteral("btnToday"), QStringLiteral("Сегодня"), page);
    auto* nextMonth = button(QStringLiteral("btnNextMonth"), QStringLiteral("Месяц ›"), page);
    auto* nextYear = button(QStringLiteral("btnNextYear"), QStringLiteral("Год »"), page);

    auto* startLabel = new QLabel(QStringLiteral("Первый день недели (1 — пн, 7 — вс):"), page);
    auto* start = new QSpinBox(page);
    start->setObjectName(QStringLiteral("spnStartOfWeek"));
    start->setAccessibleName(startLabel->text());
    start->setRange(1, 7);
    start->setValue(calendar->StartOfWeek());
    startLabel->setBuddy(start);
    auto* readOnly = new QCheckBox(QStringLiteral("Только чтение"), page);
    readOnly->setObjectName(QStringLiteral("chkReadOnly"));
    readOnly->setAccessibleName(readOnly->text());
    auto* status = new QLabel(page);
    status->setObjectName(QStringLiteral("lblStatus"));

    auto changes = std::make_shared<int>(0);
    auto refresh = [=] {
        const QDate date = calendar->CalendarDate();
        month->setText(QLocale().standaloneMonthName(date.month()) + QLatin1Char(' ') +
                       QString::number(date.year()));
        status->setText(
            QStringLiteral("Дата: %1; изменений: %2; текущая дата: %3")
                .arg(QLocale().toString(date, QLocale::LongFormat))
                .arg(*changes)
                .arg(calendar->UseCurrentDate() ? QStringLiteral("да") : QStringLiteral("нет")));
    };
    QObject::connect(calendar, &TCCalendar::OnChange, page, [=] {
        ++*changes;
        refresh();
    });
    QObject::connect(prevYear, &QPushButton::clicked, calendar, &TCCalendar::PrevYear);
    QObject::connect(prevMonth, &QPushButton::clicked, calendar, &TCCalendar::PrevMonth);
    QObject::connect(nextMonth, &QPushButton::clicked, calendar, &TCCalendar::NextMonth);
    QObject::connect(nextYear, &QPushButton::clicked, calendar, &TCCalendar::NextYear);
    QObject::connect(today, &QPushButton::clicked, calendar, [=] {
        calendar->SetUseCurrentDate(true);
        refresh();
    });
    QObject::connect(start, &QSpinBox::valueChanged, calendar, &TCCalendar::SetStartOfWeek);
    QObject::connect(readOnly, &QCheckBox::toggled, calendar, &TCCalendar::setReadOnly);
    refresh();

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(month, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {prevYear, prevMonth, today, nextMonth, nextYear})
        buttons->addWidget(b);
    auto* settings = new QHBoxLayout;
    settings->addWidget(startLabel);
    settings->addWidget(start);
    settings->addSpacing(16);
    settings->addWidget(readOnly);
    settings->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(calendar, 1);
    layout->addLayout(buttons);
    layout->addLayout(settings);
    layout->addWidget(status);
    QWidget::setTabOrder(calendar, prevYear);
    return page;
}

const GalleryPages::Registrar reg(QStringLiteral("Календарь"), createPage);

} // namespace
