// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/ConvertError.h"
#include "samples/Ccalendr.h"
#include "samples/ComponentPalette.h"
#include "testutil/Refusal.h"
#include "testutil/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

// The month calendar on fixed dates: stepping months and years, date
// elements, the layout of the month, clicks and keys, read-only use, sizing
// and what it paints.
class CalendarTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> host;
    TCCalendar* calendar = nullptr;
    QList<QDate> changes;

    void start(const QDate& date, int startOfWeek = 1)
    {
        calendar->SetStartOfWeek(startOfWeek);
        calendar->SeTCCalendarDate(date);
        changes.clear();
    }

    void click(int col, int row)
    {
        QTest::mouseClick(calendar, Qt::LeftButton, {}, calendar->cellRect(col, row).center());
    }

    QPoint cursor() const { return QPoint(calendar->col(), calendar->row()); }

    QImage render() const
    {
        QImage image(calendar->size(), QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(calendar->logicalDpiX() / 0.0254));
        image.setDotsPerMeterY(qRound(calendar->logicalDpiY() / 0.0254));
        calendar->render(&image);
        return image;
    }

    // Columns of a cell holding a pixel other than the cell's background.
    static QPair<int, int> inkColumns(const QImage& image, const QRect& cell, QRgb background)
    {
        int first = -1, last = -1;
        for (int x = cell.left(); x <= cell.right(); ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                if (image.pixel(x, y) != background) {
                    first = first < 0 ? x : first;
                    last = x;
                }
        return {first, last};
    }

private Q_SLOTS:
    void init()
    {
        host = std::make_unique<QWidget>();
        host->resize(400, 300);
        calendar = new TCCalendar(host.get());
        calendar->resize(7 * 40 + 6, 7 * 30 + 6);
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
        changes.clear();
        connect(calendar, &TCCalendar::OnChange, this,
                [this] { changes << calendar->CalendarDate(); });
    }

    void cleanup()
    {
        host.reset();
        QLocale::setDefault(QLocale::c());
    }

    void registersPaletteEntry()
    {
        TCCalendar::Register();
        const ComponentPalette::Entry* entry = ComponentPalette::find(QStringLiteral("TCCalendar"));
        QVERIFY(entry);
        QCOMPARE(entry->page, QStringLiteral("Samples"));
        QCOMPARE(entry->includeFile, QStringLiteral("samples/Ccalendr.h"));
        std::unique_ptr<QWidget> made(entry->create(nullptr));
        QVERIFY(qobject_cast<TCCalendar*>(made.get()));
        QVERIFY(!entry->icon().pixmap(24, 24).isNull());
    }

    void startsOnToday()
    {
        TCCalendar fresh;
        QCOMPARE(fresh.CalendarDate(), QDate::currentDate());
        QCOMPARE(fresh.property("UseCurrentDate").toBool(), true);
        QCOMPARE(fresh.property("ReadOnly").toBool(), false);
        QCOMPARE(fresh.property("StartOfWeek").toInt(), 1);
        QCOMPARE(fresh.property("GridLineWidth").toInt(), 1);
        QCOMPARE(fresh.GetCellText(fresh.col(), fresh.row()),
                 QString::number(QDate::currentDate().day()));
    }

    void steps_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QList<QDate>>("reported");
        QTest::newRow("31 Jan to leap February")
            << QDate(2004, 1, 31) << "next month" << QList<QDate>{{2004, 2, 29}};
        QTest::newRow("31 Jan to common February")
            << QDate(2005, 1, 31) << "next month" << QList<QDate>{{2005, 2, 28}};
        QTest::newRow("31 Mar back to leap February")
            << QDate(2004, 3, 31) << "prev month" << QList<QDate>{{2004, 2, 29}};
        QTest::newRow("31 Mar back to common February")
            << QDate(2005, 3, 31) << "prev month" << QList<QDate>{{2005, 2, 28}};
        QTest::newRow("15 Jan back to December")
            << QDate(2005, 1, 15) << "prev month" << QList<QDate>{{2004, 12, 15}};
        QTest::newRow("December into January")
            << QDate(2004, 12, 31) << "next month" << QList<QDate>{{2005, 1, 31}};
        QTest::newRow("29 Feb next year")
            << QDate(2004, 2, 29) << "next year" << QList<QDate>{{2004, 2, 28}, {2005, 2, 28}};
        QTest::newRow("29 Feb previous year")
            << QDate(2004, 2, 29) << "prev year" << QList<QDate>{{2004, 2, 28}, {2003, 2, 28}};
        QTest::newRow("ordinary next year")
            << QDate(2005, 6, 10) << "next year" << QList<QDate>{{2006, 6, 10}};
        QTest::newRow("no year before 1") << QDate(1, 5, 10) << "prev year" << QList<QDate>{};
    }

    void steps()
    {
        QFETCH(QDate, from);
        QFETCH(QString, step);
        QFETCH(QList<QDate>, reported);
        start(from);
        const QMap<QString, void (TCCalendar::*)()> steps{{"next month", &TCCalendar::NextMonth},
                                                          {"prev month", &TCCalendar::PrevMonth},
                                                          {"next year", &TCCalendar::NextYear},
                                                          {"prev year", &TCCalendar::PrevYear}};
        (calendar->*steps.value(step))();
        QCOMPARE(changes, reported);
        const QDate now = reported.isEmpty() ? from : reported.last();
        QCOMPARE(calendar->CalendarDate(), now);
        QCOMPARE(calendar->GetCellText(calendar->col(), calendar->row()),
                 QString::number(now.day()));
    }

    void dateElements_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("value");
        QTest::addColumn<QDate>("expected");
        QTest::addColumn<bool>("changed");
        const QDate base(2005, 4, 30);
        QTest::newRow("year") << 1 << 2010 << QDate(2010, 4, 30) << true;
        QTest::newRow("month") << 2 << 6 << QDate(2005, 6, 30) << true;
        QTest::newRow("day") << 3 << 1 << QDate(2005, 4, 1) << true;
        QTest::newRow("same day") << 3 << 30 << base << false;
        QTest::newRow("year zero ignored") << 1 << 0 << base << false;
        QTest::newRow("unknown element ignored") << 4 << 7 << base << false;
    }

    void dateElements()
    {
        QFETCH(int, index);
        QFETCH(int, value);
        QFETCH(QDate, expected);
        QFETCH(bool, changed);
        start(QDate(2005, 4, 30));
        calendar->SetDateElement(index, value);
        QCOMPARE(calendar->CalendarDate(), expected);
        QCOMPARE(changes.size(), changed ? 1 : 0);
        QCOMPARE(calendar->UseCurrentDate(), false); // start() set a date
        const QList<int> elements{-1, expected.year(), expected.month(), expected.day()};
        QCOMPARE(calendar->GetDateElement(index), elements.value(index, -1));
        QCOMPARE(calendar->property("Month").toInt(), expected.month());
    }

    void impossibleDate_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("value");
        QTest::newRow("year beyond 9999") << QDate(2004, 6, 1) << 1 << 10000;
    }

    void impossibleDate()
    {
        QFETCH(QDate, from);
        QFETCH(int, index);
        QFETCH(int, value);
        start(from);
        calendar->SetUseCurrentDate(false);
        const QPoint before = cursor();
        try {
            calendar->SetDateElement(index, value);
            QFAIL("no error raised");
        } catch (const ConvertError& error) {
            QCOMPARE(error.message(), QStringLiteral("Invalid argument to date encode"));
        }
        QCOMPARE(calendar->CalendarDate(), from);
        QCOMPARE(cursor(), before);
        QVERIFY(changes.isEmpty());
    }

    void invalidDateRefused()
    {
        start(QDate(2005, 1, 31));
        QVERIFY_THROWS_EXCEPTION(ConvertError, calendar->SeTCCalendarDate(QDate()));
        QCOMPARE(calendar->CalendarDate(), QDate(2005, 1, 31));
    }

    void header_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("startOfWeek");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QStringList>("names");
        const QStringList monday{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
        QTest::newRow("1: Monday first") << "en_US" << 1 << 1 << monday;
        QTest::newRow("7: Sunday first")
            << "en_US" << 7 << 7 << QStringList{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
        QTest::newRow("3: Wednesday first")
            << "en_US" << 3 << 3 << QStringList{"Wed", "Thu", "Fri", "Sat", "Sun", "Mon", "Tue"};
        QTest::newRow("0 treated as 1") << "en_US" << 0 << 1 << monday;
        QTest::newRow("8 treated as 1") << "en_US" << 8 << 1 << monday;
        QTest::newRow("user's locale")
            << "ru_RU" << 1 << 1 << QStringList{"пн", "вт", "ср", "чт", "пт", "сб", "вс"};
    }

    void header()
    {
        QFETCH(QString, locale);
        QFETCH(int, startOfWeek);
        QFETCH(QStringList, names);
        QLocale::setDefault(QLocale(locale));
        calendar->SetStartOfWeek(7);
        calendar->SetStartOfWeek(startOfWeek);
        QTEST(calendar->StartOfWeek(), "stored");
        QStringList header;
        for (int col = 0; col < 7; ++col)
            header << calendar->GetCellText(col, 0);
        QCOMPARE(header, names);
    }

    void monthLayout_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("startOfWeek");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QPoint>("lastDay");
        // 1 January 2024 is a Monday, 1 October 2023 a Sunday.
        QTest::newRow("first day in column 0")
            << QDate(2024, 1, 1) << 1 << 1 << QPoint(0, 1) << QPoint(2, 5);
        QTest::newRow("first day in column 6")
            << QDate(2023, 10, 1) << 1 << -5 << QPoint(6, 1) << QPoint(1, 6);
        QTest::newRow("Sunday first, Sunday the 1st")
            << QDate(2023, 10, 15) << 7 << 1 << QPoint(0, 3) << QPoint(2, 5);
        QTest::newRow("Sunday first, Monday the 1st")
            << QDate(2024, 1, 31) << 7 << 0 << QPoint(3, 5) << QPoint(3, 5);
        QTest::newRow("29 days of February 2004")
            << QDate(2004, 2, 29) << 1 << -5 << QPoint(6, 5) << QPoint(6, 5);
    }

    void monthLayout()
    {
        QFETCH(QDate, date);
        QFETCH(int, startOfWeek);
        QFETCH(QPoint, lastDay);
        start(date, startOfWeek);
        QTEST(calendar->monthOffset(), "offset");
        QTEST(cursor(), "cursor");
        const int days = date.daysInMonth();
        QCOMPARE(calendar->GetCellText(lastDay.x(), lastDay.y()), QString::number(days));
        QStringList texts;
        for (int row = 1; row < 7; ++row)
            for (int col = 0; col < 7; ++col)
                if (!calendar->GetCellText(col, row).isEmpty())
                    texts << calendar->GetCellText(col, row);
        QCOMPARE(texts.size(), days);
        QCOMPARE(texts.first(), QStringLiteral("1"));
    }

    void userMoves_data()
    {
        // 15 October 2023 with Monday first sits in column 6, row 3; the 1st in column 6, row 1.
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("clicks");
        QTest::newRow("click a day") << false << "click 2 2" << 4 << 1;
        QTest::newRow("click the 1st") << false << "click 6 1" << 1 << 1;
        QTest::newRow("click before the 1st") << false << "click 0 1" << 15 << 0;
        QTest::newRow("click after the last day") << false << "click 3 6" << 15 << 0;
        QTest::newRow("click the header") << false << "click 2 0" << 15 << 0;
        QTest::newRow("click the current day") << false << "click 6 3" << 15 << 0;
        QTest::newRow("left") << false << "key left" << 14 << 1;
        QTest::newRow("up") << false << "key up" << 8 << 1;
        QTest::newRow("down") << false << "key down" << 22 << 1;
        QTest::newRow("right at the edge") << false << "key right" << 15 << 0;
        QTest::newRow("home") << false << "key home" << 9 << 1;
        QTest::newRow("page up to the first row") << false << "key pageup" << 1 << 1;
        QTest::newRow("read-only click") << true << "click 2 2" << 15 << 0;
        QTest::newRow("read-only key") << true << "key left" << 15 << 0;
    }

    void userMoves()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, action);
        QFETCH(int, day);
        start(QDate(2023, 10, 15));
        calendar->setReadOnly(readOnly);
        QSignalSpy clicked(calendar, &TCCalendar::OnClick);
        const QStringList parts = action.split(' ');
        const QMap<QString, Qt::Key> keys{{"left", Qt::Key_Left}, {"right", Qt::Key_Right},
                                          {"up", Qt::Key_Up},     {"down", Qt::Key_Down},
                                          {"home", Qt::Key_Home}, {"pageup", Qt::Key_PageUp}};
        if (parts[0] == "click")
            click(parts[1].toInt(), parts[2].toInt());
        else
            QTest::keyClick(calendar, keys.value(parts[1]));
        QCOMPARE(calendar->CalendarDate(), QDate(2023, 10, day));
        QCOMPARE(calendar->GetCellText(calendar->col(), calendar->row()), QString::number(day));
        QCOMPARE(changes.size(), day == 15 ? 0 : 1);
        QTEST(int(clicked.count()), "clicks");
        if (day != 15)
            QCOMPARE(calendar->UseCurrentDate(), false);
    }

    void readOnlyMethodsStillMove()
    {
        start(QDate(2023, 10, 15));
        calendar->setReadOnly(true);
        calendar->NextMonth();
        // 1 November 2023 is a Wednesday: the 15th sits in column 2, row 3.
        QCOMPARE(calendar->CalendarDate(), QDate(2023, 11, 15));
        QCOMPARE(cursor(), QPoint(2, 3));
        calendar->SetDateElement(3, 30);
        QCOMPARE(cursor(), QPoint(3, 5));
    }

    // Each change of the date is reported and turns UseCurrentDate off; a new
    // month or year takes its last day where the day is missing; a month or
    // day out of range is refused with a message (written as a property, by the
    // error display, which adds the full stop). A null "from" starts from
    // the fresh calendar (today, UseCurrentDate on), a null "expected" is today.
    void dateChanges_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QDate>("expected");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("changes");
        QTest::addColumn<bool>("useCurrent");
        const QDate april(2005, 4, 30);
        QTest::newRow("31 Jan, month 2 in a leap year")
            << QDate(2024, 1, 31) << "month 2" << QDate(2024, 2, 29) << "" << 1 << false;
        QTest::newRow("31 Jan, month 2 in a common year")
            << QDate(2023, 1, 31) << "month 2" << QDate(2023, 2, 28) << "" << 1 << false;
        QTest::newRow("31st into a 30-day month")
            << QDate(2005, 1, 31) << "month 4" << april << "" << 1 << false;
        QTest::newRow("29 Feb into a common year")
            << QDate(2004, 2, 29) << "year 2005" << QDate(2005, 2, 28) << "" << 1 << false;
        QTest::newRow("month 13 refused") << april << "month 13" << april
                                          << "Месяц должен быть от 1 до 12, а не 13" << 0 << false;
        QTest::newRow("month 0 refused")
            << april << "month 0" << april << "Месяц должен быть от 1 до 12, а не 0" << 0 << false;
        QTest::newRow("day beyond the month refused")
            << april << "day 31" << april << "День должен быть от 1 до 30, а не 31" << 0 << false;
        QTest::newRow("negative day refused")
            << april << "day -4" << april << "День должен быть от 1 до 30, а не -4" << 0 << false;
        QTest::newRow("day written as a property")
            << april << "property Day 31" << april << "День должен быть от 1 до 30, а не 31." << 0
            << false;
        QTest::newRow("month written as a property")
            << QDate(2024, 1, 31) << "property Month 2" << QDate(2024, 2, 29) << "" << 1 << false;
        QTest::newRow("a date set")
            << QDate() << "date 2001-03-04" << QDate(2001, 3, 4) << "" << 1 << false;
        QTest::newRow("a month stepped")
            << QDate(2001, 3, 3) << "next month" << QDate(2001, 4, 3) << "" << 1 << false;
        QTest::newRow("current date back on moves to today")
            << QDate(2001, 3, 3) << "today" << QDate() << "" << 1 << true;
        QTest::newRow("current date back on at today")
            << QDate() << "today" << QDate() << "" << 0 << true;
    }

    void dateChanges()
    {
        QFETCH(QDate, from);
        QFETCH(QString, action);
        QFETCH(QDate, expected);
        if (from.isValid())
            start(from);
        const QStringList words = action.split(u' ');
        const QMap<QString, int> elements{{"year", 1}, {"month", 2}, {"day", 3}};
        QTEST(refusalOf([&] {
                  if (elements.contains(words[0]))
                      calendar->SetDateElement(elements.value(words[0]), words[1].toInt());
                  else if (words[0] == QLatin1String("property"))
                      calendar->setProperty(qPrintable(words[1]), words[2].toInt());
                  else if (words[0] == QLatin1String("date"))
                      calendar->SeTCCalendarDate(QDate::fromString(words[1], Qt::ISODate));
                  else if (action == QLatin1String("next month"))
                      calendar->NextMonth();
                  else {
                      calendar->SetUseCurrentDate(false);
                      calendar->SetUseCurrentDate(true);
                  }
              }),
              "message");
        const QDate now = expected.isValid() ? expected : QDate::currentDate();
        QCOMPARE(calendar->CalendarDate(), now);
        QTEST(int(changes.size()), "changes");
        QTEST(calendar->UseCurrentDate(), "useCurrent");
        QCOMPARE(calendar->StoreCalendarDate(), !calendar->UseCurrentDate());
        QCOMPARE(calendar->GetCellText(calendar->col(), calendar->row()),
                 QString::number(now.day()));
    }

    void sizing_data()
    {
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("cell");
        QTest::newRow("thin lines") << 1 << QSize(300, 200) << QSize(42, 27);
        QTest::newRow("thick lines") << 2 << QSize(300, 200) << QSize(41, 26);
        QTest::newRow("exact fit") << 1 << QSize(286, 216) << QSize(40, 30);
        QTest::newRow("too small") << 2 << QSize(1, 1) << QSize(0, 0);
    }

    void sizing()
    {
        QFETCH(int, lineWidth);
        QFETCH(QSize, size);
        calendar->setProperty("GridLineWidth", lineWidth);
        calendar->resize(size);
        QTEST(QSize(calendar->defaultColWidth(), calendar->defaultRowHeight()), "cell");
    }

    void paints()
    {
        start(QDate(2023, 10, 15));
        const QImage image = render();
        const QPalette palette = calendar->palette();
        const QRect selected = calendar->cellRect(6, 3);
        QCOMPARE(image.pixel(selected.topLeft()), palette.color(QPalette::Highlight).rgb());
        const QRect header = calendar->cellRect(0, 0);
        QCOMPARE(image.pixel(header.topLeft()), palette.color(QPalette::Button).rgb());
        QCOMPARE(image.pixel(header.right() + 1, header.center().y()),
                 palette.color(QPalette::Mid).rgb());
        const QRgb base = palette.color(QPalette::Base).rgb();
        QCOMPARE(inkColumns(image, calendar->cellRect(0, 1), base), qMakePair(-1, -1));
        // Day numbers are centred: equal margins left and right, give or take a pixel.
        for (const QPoint& cell : {QPoint(0, 2), QPoint(5, 3), QPoint(1, 6)}) {
            const QRect r = calendar->cellRect(cell.x(), cell.y());
            const auto [first, last] = inkColumns(image, r, base);
            QVERIFY(first > r.left());
            QVERIFY2(qAbs((first - r.left()) - (r.right() - last)) <= 1,
                     qPrintable(calendar->GetCellText(cell.x(), cell.y())));
        }
    }
};

KEROVA_TEST(CalendarTest)
#include "CalendarTest.moc"
