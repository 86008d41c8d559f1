// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "samples/CalendarGrid.h"

#include <QDate>

// One month as a 7 x 7 grid: a header row with the abbreviated weekday names
// of the user's locale and six rows of day numbers. The cursor sits on the
// day of the calendar's date; clicking a day makes it the date, and methods
// step the date by month or year.
class TCCalendar : public CalendarGrid
{
    Q_OBJECT
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE setReadOnly)
    Q_PROPERTY(int StartOfWeek READ StartOfWeek WRITE SetStartOfWeek)
    Q_PROPERTY(bool UseCurrentDate READ UseCurrentDate WRITE SetUseCurrentDate)
    Q_PROPERTY(int Year READ Year WRITE setYear STORED false)
    Q_PROPERTY(int Month READ Month WRITE setMonth STORED false)
    Q_PROPERTY(int Day READ Day WRITE setDay STORED false)
    Q_PROPERTY(
        QDate CalendarDate READ CalendarDate WRITE SeTCCalendarDate STORED false NOTIFY OnChange)

public:
    explicit TCCalendar(QWidget* parent = nullptr);

    // Adds the class to the component palette.
    static void Register();

    bool ReadOnly() const { return FReadOnly; }
    void setReadOnly(bool value) { FReadOnly = value; }
    int StartOfWeek() const { return FStartOfWeek; }
    void SetStartOfWeek(int value);
    bool UseCurrentDate() const { return FUseCurrentDate; }
    // Switching it on moves the date to today, reported by OnChange.
    void SetUseCurrentDate(bool value);

    // Year (1), month (2) or day (3) of the date; -1 for any other index.
    int GetDateElement(int index) const;
    // Replaces one element of the date and turns UseCurrentDate off. A new
    // year or month keeps the day, or takes the month's last day where it is
    // shorter. A month outside 1-12 or a day outside the month is refused
    // with an Error; a year <= 0 and an unknown index are ignored; a year
    // beyond 9999 throws ConvertError.
    void SetDateElement(int index, int value);
    // The elements as the property system writes them (Qt Designer, forms):
    // a refusal is shown by the error display instead of crossing Qt.
    int Year() const { return GetDateElement(1); }
    void setYear(int value);
    int Month() const { return GetDateElement(2); }
    void setMonth(int value);
    int Day() const { return GetDateElement(3); }
    void setDay(int value);

    QDate CalendarDate() const { return FDate; }
    // Sets the date and turns UseCurrentDate off; throws ConvertError for an
    // invalid date or a year outside 1-9999.
    void SeTCCalendarDate(const QDate& date);
    bool StoreCalendarDate() const { return !FUseCurrentDate; }

    virtual bool IsLeapYear(int year) const;
    virtual int DaysPerMonth(int year, int month) const;
    virtual int DaysThisMonth() const;
    virtual void UpdateCalendar();
    int monthOffset() const { return FMonthOffset; }

    void ChangeMonth(int delta);
    void NextMonth() { ChangeMonth(1); }
    void PrevMonth() { ChangeMonth(-1); }
    void NextYear() { stepYear(1); }
    void PrevYear() { stepYear(-1); }

    QString GetCellText(int col, int row) const;

Q_SIGNALS:
    // The date changed.
    void OnChange();
    // The user picked a day with the mouse or the keyboard.
    void OnClick();

protected:
    virtual void Change();
    void DrawCell(QPainter& painter, int col, int row, const QRect& rect, CellState state) override;
    bool SelectCell(int col, int row) override;
    void Click() override;
    void updateCellSizes() override;

private:
    void stepYear(int delta);

    QDate FDate;
    int FMonthOffset = 0;
    bool FReadOnly = false;
    int FStartOfWeek = 1;
    bool FUpdating = false;
    bool FUseCurrentDate = true;
};
