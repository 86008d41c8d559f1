// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/Ccalendr.h"

#include "number/ConvertError.h"
#include "number/Error.h"
#include "number/HandlerGuard.h"
#include "samples/ComponentPalette.h"

#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, 12> kMonthDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// A date the calendar can hold: a real day in the years 1 to 9999.
QDate encodeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day))
        throw ConvertError(QStringLiteral("Invalid argument to date encode"));
    return QDate(year, month, day);
}

// Refuses a month or day outside 1..last, naming the element and its range.
void checkRange(const QString& element, int value, int last)
{
    if (value < 1 || value > last)
        throw Error(
            QStringLiteral("%1 должен быть от 1 до %2, а не %3").arg(element).arg(last).arg(value));
}

QIcon paletteIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(0, 0, 24, 6), QColor(0, 0, 128));
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 23, 23);
    for (int day = 0; day < 25; ++day) {
        const QRect cell(2 + day % 7 * 3, 8 + day / 7 * 4, 2, 2);
        painter.fillRect(cell, day == 11 ? QColor(Qt::red) : QColor(Qt::black));
    }
    return QIcon(pixmap);
}

} // namespace

TCCalendar::TCCalendar(QWidget* parent) : CalendarGrid(parent), FDate(QDate::currentDate())
{
    setObjectName(QStringLiteral("CCalendar"));
    setAccessibleName(QStringLiteral("Календарь месяца"));
    UpdateCalendar();
}

void TCCalendar::Register()
{
    ComponentPalette::add({QStringLiteral("TCCalendar"), QStringLiteral("Samples"),
                           QStringLiteral("samples/Ccalendr.h"),
                           QStringLiteral("Календарь одного месяца с выбором дня"),
                           [](QWidget* parent) { return new TCCalendar(parent); }, paletteIcon});
}

void TCCalendar::Change()
{
    Q_EMIT OnChange();
}

bool TCCalendar::IsLeapYear(int year) const
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int TCCalendar::DaysPerMonth(int year, int month) const
{
    if (month < 1 || month > 12)
        return 0;
    return kMonthDays[std::size_t(month - 1)] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int TCCalendar::DaysThisMonth() const
{
    return DaysPerMonth(FDate.year(), FDate.month());
}

int TCCalendar::GetDateElement(int index) const
{
    switch (index) {
    case 1:
        return FDate.year();
    case 2:
        return FDate.month();
    case 3:
        return FDate.day();
    default:
        return -1;
    }
}

void TCCalendar::SetDateElement(int index, int value)
{
    int year = FDate.year(), month = FDate.month(), day = FDate.day();
    if (index == 1 && value > 0 && value != year) {
        year = value;
    } else if (index == 2 && value != month) {
        checkRange(QStringLiteral("Месяц"), value, 12);
        month = value;
    } else if (index == 3 && value != day) {
        checkRange(QStringLiteral("День"), value, DaysThisMonth());
        day = value;
    } else {
        return;
    }
    // A new year or month keeps the day where it has one, else takes its last day.
    if (index != 3)
        day = std::min(day, DaysPerMonth(year, month));
    FDate = encodeDate(year, month, day);
    FUseCurrentDate = false;
    UpdateCalendar();
    Change();
}

void TCCalendar::setYear(int value)
{
    runHandler([&] { SetDateElement(1, value); });
}

void TCCalendar::setMonth(int value)
{
    runHandler([&] { SetDateElement(2, value); });
}

void TCCalendar::setDay(int value)
{
    runHandler([&] { SetDateElement(3, value); });
}

void TCCalendar::SeTCCalendarDate(const QDate& date)
{
    if (!date.isValid())
        throw ConvertError(QStringLiteral("Invalid argument to date encode"));
    FDate = encodeDate(date.year(), date.month(), date.day());
    FUseCurrentDate = false;
    UpdateCalendar();
    Change();
}

void TCCalendar::SetStartOfWeek(int value)
{
    if (value < 1 || value > 7)
        value = 1;
    if (value == FStartOfWeek)
        return;
    FStartOfWeek = value;
    UpdateCalendar();
}

void TCCalendar::SetUseCurrentDate(bool value)
{
    if (value == FUseCurrentDate)
        return;
    FUseCurrentDate = value;
    if (!value || FDate == QDate::currentDate())
        return;
    FDate = QDate::currentDate();
    UpdateCalendar();
    Change();
}

void TCCalendar::UpdateCalendar()
{
    FUpdating = true;
    // Weekday of the first of the month, 1 = Sunday ... 7 = Saturday.
    const int first = QDate(FDate.year(), FDate.month(), 1).dayOfWeek() % 7 + 1;
    FMonthOffset = 2 - ((first - FStartOfWeek + 7) % 7);
    if (FMonthOffset == 2)
        FMonthOffset = -5;
    const int cell = FDate.day() - FMonthOffset;
    moveCursor(cell % 7, cell / 7 + 1);
    update();
    FUpdating = false;
}

void TCCalendar::ChangeMonth(int delta)
{
    const int day = FDate.day();
    const QDate start = delta > 0 ? QDate(FDate.year(), FDate.month(), DaysThisMonth())
                                  : QDate(FDate.year(), FDate.month(), 1);
    const QDate moved = start.addDays(delta);
    SeTCCalendarDate(QDate(moved.year(), moved.month(),
                           std::min(day, DaysPerMonth(moved.year(), moved.month()))));
}

void TCCalendar::stepYear(int delta)
{
    if (IsLeapYear(FDate.year()) && FDate.month() == 2 && FDate.day() == 29)
        SetDateElement(3, 28);
    SetDateElement(1, FDate.year() + delta);
}

QString TCCalendar::GetCellText(int col, int row) const
{
    if (row == 0) {
        const int weekday = (FStartOfWeek + col) % 7; // 0 = Sunday
        return QLocale().dayName(weekday == 0 ? 7 : weekday, QLocale::ShortFormat);
    }
    const int day = FMonthOffset + col + (row - 1) * 7;
    if (day < 1 || day > DaysThisMonth())
        return QString();
    return QString::number(day);
}

void TCCalendar::DrawCell(QPainter& painter, int col, int row, const QRect& rect, CellState)
{
    const QString text = GetCellText(col, row);
    const QFontMetrics metrics(font());
    const int x = rect.left() + (rect.width() - metrics.horizontalAdvance(text)) / 2;
    const int y = rect.top() + (rect.height() - metrics.height()) / 2;
    painter.setFont(font());
    painter.drawText(x, y + metrics.ascent(), text);
}

bool TCCalendar::SelectCell(int col, int row)
{
    if (FReadOnly && !FUpdating)
        return false;
    if (GetCellText(col, row).isEmpty())
        return false;
    return CalendarGrid::SelectCell(col, row);
}

void TCCalendar::Click()
{
    const QString text = GetCellText(col(), row());
    if (text.isEmpty())
        return;
    SetDateElement(3, text.toInt());
    Q_EMIT OnClick();
}

void TCCalendar::updateCellSizes()
{
    setDefaultCellSize((width() - 6 * gridLineWidth()) / 7, (height() - 6 * gridLineWidth()) / 7);
}
