// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DataSet.h"
#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/UpdateSql.h"
#include "number/Error.h"
#include "testutil/ErrorRecorder.h"
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"
#include "testutil/TestStore.h"
#include "toolkit/DBEdit.h"
#include "toolkit/DBGrid.h"

#include <QLocale>
#include <QTest>
#include <memory>

// The grid and the edit bound to a data source, over a real store.
class DataBoundControlsTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestStore> store;
    std::unique_ptr<Database> db;
    std::unique_ptr<DataSet> levels;
    std::unique_ptr<DataSource> source;
    std::unique_ptr<UpdateSql> update;

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        store = std::make_unique<TestStore>();
        for (int i = 1; i <= 3; ++i)
            QVERIFY_STORE(
                store->addLevel(1, i, i, QStringLiteral("LVLTSKFLOWDIST"), QStringLiteral("0.5")));
        db = std::make_unique<Database>();
        db->open();
        update = std::make_unique<UpdateSql>(QStringLiteral("upd"));
        levels = std::make_unique<DataSet>(QStringLiteral("levels"));
        levels->setDatabase(db.get());
        levels->setTableName(QStringLiteral("MATHLEVEL"));
        levels->setCachedUpdates(true);
        levels->setUpdateObject(update.get());
        levels->open();
        source = std::make_unique<DataSource>(QStringLiteral("dsr"));
        source->setDataSet(levels.get());
    }
    void cleanup()
    {
        source.reset();
        levels.reset();
        db.reset();
        store.reset();
        QLocale::setDefault(QLocale::c());
    }

    void gridShowsRowsAndFollowsTheCurrentRecord()
    {
        DBGrid grid;
        grid.setDataSource(source.get());
        grid.setColumns({{QStringLiteral("LVLNUMBER"), QStringLiteral("Номер"), 79},
                         {QStringLiteral("LVLTSKFLOWDIST"), QStringLiteral("q")}});
        QCOMPARE(grid.model()->rowCount(), 3);
        QCOMPARE(grid.model()->index(1, 1).data().toString(), QStringLiteral("0,5"));
        QCOMPARE(grid.columnWidth(0), 79);
        levels->setRecNo(2);
        QCOMPARE(grid.currentIndex().row(), 2);
        QCOMPARE(grid.model()->headerData(2, Qt::Vertical).toString(), QStringLiteral("▶"));
        grid.setCurrentIndex(grid.model()->index(0, 0));
        QCOMPARE(levels->recNo(), 0);
    }

    void cellEditsPutTheRowIntoEditStateAndConvert_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("integer") << "12" << true << QString();
        QTest::newRow("letters") << "abc" << false << "«abc» не является допустимым целым числом.";
        QTest::newRow("beyond 32 bits")
            << "99999999999" << false
            << "«99999999999» — слишком большое по модулю целое число: допускаются целые от "
               "-2147483648 до 2147483647.";
        QTest::newRow("beyond 64 bits, negative")
            << "-99999999999999999999999" << false
            << "«-99999999999999999999999» — слишком большое по модулю целое число: "
               "допускаются целые от -2147483648 до 2147483647.";
        QTest::newRow("fraction") << "1,5" << false << "«1,5» не является допустимым целым числом.";
    }
    void cellEditsPutTheRowIntoEditStateAndConvert()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QString, refusal);
        ErrorRecorder errors;
        DBGrid grid;
        grid.setDataSource(source.get());
        grid.setColumns({{QStringLiteral("LVLNUMBER"), QStringLiteral("Номер")}});
        QCOMPARE(grid.model()->setData(grid.model()->index(1, 0), typed, Qt::EditRole), accepted);
        if (!accepted) // shown once Qt's handling of the cell is over
            QTRY_COMPARE(errors.texts(), QStringList{refusal});
        QCOMPARE(errors.count(), accepted ? 0 : 1);
        QCOMPARE(levels->recNo(), 1);
        QCOMPARE(levels->fieldByName(QStringLiteral("LVLNUMBER")).asInteger(),
                 accepted ? typed.toInt() : 2);
        if (accepted)
            QCOMPARE(levels->state(), DataSet::State::Edit);
    }

    void refusedPostKeepsTheGridOnItsRow()
    {
        ErrorRecorder errors;
        levels->setRequired(QStringLiteral("LVLNAME"), true);
        DBGrid grid;
        grid.setDataSource(source.get());
        grid.setColumns({{QStringLiteral("LVLNAME"), QStringLiteral("Наименование")}});
        levels->setRecNo(1);
        levels->edit();
        levels->fieldByName(QStringLiteral("LVLNAME")).clear();
        grid.setCurrentIndex(grid.model()->index(2, 0));
        QTRY_COMPARE(errors.texts(),
                     QStringList{"Поле «Наименование уровня» должно быть заполнено."});
        QCOMPARE(levels->recNo(), 1);
        QCOMPARE(grid.currentIndex().row(), 1);
        QCOMPARE(levels->state(), DataSet::State::Edit);
    }

    void editShowsTheFieldAndWritesOnLeaving()
    {
        QWidget window;
        auto* edit = new DBEdit(&window);
        auto* other = new DBEdit(&window);
        edit->setDataSource(source.get());
        edit->setDataField(QStringLiteral("LVLTSKFLOWDIST"));
        other->setDataSource(source.get());
        other->setDataField(QStringLiteral("LVLNAME"));
        other->move(0, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(edit->text(), QStringLiteral("0,5"));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("0,75"));
        QCOMPARE(levels->state(), DataSet::State::Edit);
        QCOMPARE(levels->fieldByName(QStringLiteral("LVLTSKFLOWDIST")).asFloat(), 0.5);
        other->setFocus();
        QCOMPARE(levels->fieldByName(QStringLiteral("LVLTSKFLOWDIST")).asFloat(), 0.75);
        levels->next();
        QCOMPARE(edit->text(), QStringLiteral("0,5"));
    }

    void unconvertibleTextIsRefusedAndKeptForCorrection_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters") << "abc";
        QTest::newRow("two separators") << "0,5,5";
        QTest::newRow("full stop in a comma locale") << "0.5";
        QTest::newRow("infinity") << "1e309";
        QTest::newRow("not a number") << "nan";
    }
    void unconvertibleTextIsRefusedAndKeptForCorrection()
    {
        QFETCH(QString, typed);
        ErrorRecorder errors;
        QWidget window;
        auto* edit = new DBEdit(&window);
        auto* other = new DBEdit(&window);
        edit->setDataSource(source.get());
        edit->setDataField(QStringLiteral("LVLTSKFLOWDIST"));
        other->move(0, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        other->setFocus();
        QCOMPARE(errors.count(), 1);
        QCOMPARE(edit->text(), typed);
        QCOMPARE(levels->fieldByName(QStringLiteral("LVLTSKFLOWDIST")).asFloat(), 0.5);
        QTRY_VERIFY(edit->hasFocus());
        QVERIFY_THROWS_EXCEPTION(Error, levels->post()); // a post asks the edit first
        QCOMPARE(levels->state(), DataSet::State::Edit);
    }
};

KEROVA_TEST(DataBoundControlsTest)
#include "DataBoundControlsTest.moc"
