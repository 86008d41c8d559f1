// SPDX-License-Identifier: GPL-3.0-or-later
#include "NastyInput.h"
#include "editing/Formlevel.h"
#include "engine/DataSet.h"
#include "testutil/EditingFixture.h"
#include "testutil/TestRegistry.h"
#include "toolkit/DBEdit.h"
#include "toolkit/DBGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <limits>

using NastyInput::Kind;
using NastyInput::Outcome;

Q_DECLARE_METATYPE(NastyInput::Outcome)

// Every nasty input into every field of the level editor and every cell of
// the model grid, on the real windows and a real store: a clear error or the
// exact value stored, and the store changes only for valid input.
class BadInputTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<EditingFixture> f;

    // Each field with the values a level accepts in it.
    struct LevelField
    {
        const char* edit;
        const char* column;
        Kind kind;
        double min = 0;
        double max = std::numeric_limits<double>::infinity();
    };
    static QVector<LevelField> levelFields()
    {
        return {{"editLvlNumber", "LVLNUMBER", Kind::Integer, 1},
                {"editLvlName", "LVLNAME", Kind::Text},
                {"editLvlNodeAmount", "LVLNODEAMOUNT", Kind::Integer},
                {"editLvlTskDcsTime", "LVLTSKDCSTIME", Kind::Integer},
                {"editLvlTskFlowDist", "LVLTSKFLOWDIST", Kind::Real, 0, 1},
                {"editLvlTskFlowInt", "LVLTSKFLOWINT", Kind::Integer},
                {"editLvlNodeCostDelay", "LVLNODECOSTDELAY", Kind::Integer},
                {"DBEdit2", "LVLNODECOSTDELAY_DCSINT2", Kind::Real},
                {"editLvlNodeCostUse", "LVLNODECOSTUSE", Kind::Integer},
                {"DBEdit1", "LVLCOSTLIMIT", Kind::Real},
                {"editLvlNodeCostDcsInt", "LVLNODECOSTDELAY_DCSINT", Kind::Integer}};
    }

    // Replaces the field's text the way a paste does, so that control
    // characters and marks that no key produces arrive too.
    static void paste(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Backspace);
            return;
        }
        QApplication::clipboard()->setText(text);
        edit->paste();
        QCOMPARE(edit->text(), text);
    }

    static void compareStored(const QVariant& stored, Outcome outcome, const QVariant& expected,
                              Kind kind, const QString& typed)
    {
        if (outcome == Outcome::Null) {
            QVERIFY2(stored.isNull(), qPrintable(stored.toString()));
        } else if (kind == Kind::Text) {
            QCOMPARE(stored.toString(), typed);
        } else if (kind == Kind::Integer) {
            QCOMPARE(stored.toLongLong(), expected.toLongLong());
        } else {
            QCOMPARE(stored.toDouble(), expected.toDouble());
        }
    }

private Q_SLOTS:
    void init() { f = std::make_unique<EditingFixture>(); }
    void cleanup() { f.reset(); }

    void levelField_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QVariant>("expected");
        for (const LevelField& field : levelFields())
            for (const NastyInput::Case& c : NastyInput::cases()) {
                Outcome outcome = field.kind == Kind::Integer ? c.integer : c.real;
                if (field.kind == Kind::Text)
                    outcome = NastyInput::textOutcome(c.text, 100);
                const QVariant value = field.kind == Kind::Integer ? c.integerValue : c.realValue;
                // A number out of the field's range is refused like text that is no number.
                if (outcome == Outcome::Stored && field.kind != Kind::Text &&
                    (value.toDouble() < field.min || value.toDouble() > field.max))
                    outcome = Outcome::Refused;
                QTest::addRow("%s %s", field.edit, c.name)
                    << QString::fromLatin1(field.edit) << QString::fromLatin1(field.column)
                    << static_cast<int>(field.kind) << c.text << outcome << value;
            }
    }

    // A number and a name first (a level needs both), then the paste, then
    // Enter (which means "ОК" once the field accepts the text). Clearing the
    // number or the name, or a number out of the field's range, is refused by
    // «ОК» with its message.
    void levelField()
    {
        QFETCH(QString, edit);
        QFETCH(QString, column);
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(Outcome, outcome);
        QFETCH(QVariant, expected);
        f->store->addModel(1);
        f->start();
        frmMathModel->btnLevel->click();
        lstLevel->btnLevelCreate->click();
        paste(frmLevel->editLvlNumber, QStringLiteral("1"));
        paste(frmLevel->editLvlName, QStringLiteral("Уровень"));
        auto* field = frmLevel->findChild<DBEdit*>(edit);
        QVERIFY(field);
        paste(field, text);
        QTest::keyClick(field, Qt::Key_Return);

        const bool needed = field == frmLevel->editLvlNumber || field == frmLevel->editLvlName;
        if (outcome == Outcome::Refused || (needed && outcome == Outcome::Null)) {
            QCOMPARE(f->errors.count() + f->messages.count(), 1);
            QVERIFY(!(f->errors.texts() + f->messages.texts()).first().isEmpty());
            QVERIFY(frmLevel->isVisible());
            // nothing the user typed is lost (blanks are no number and no name,
            // and none around a number out of range)
            QCOMPARE(field->text(), outcome == Outcome::Null ? QString() : text.trimmed());
            QCOMPARE(f->store->storedLevels(), QStringList{});
            return;
        }
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->messages.texts(), QStringList{});
        QVERIFY(!frmLevel->isVisible());
        QCOMPARE(f->store->storedLevels(), QStringList{"1/1"});
        compareStored(f->store->storedValue(column, 1, 1), outcome, expected,
                      static_cast<Kind>(kind), text);
    }

    void modelCell_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Outcome>("outcome");
        for (const NastyInput::Case& c : NastyInput::cases()) {
            QTest::addRow("name %s", c.name) << 0 << c.text << NastyInput::textOutcome(c.text, 100);
            QTest::addRow("comment %s", c.name)
                << 1 << c.text << NastyInput::textOutcome(c.text, 255);
        }
    }

    // "Добавить", the text into the cell (a name "n" beside a comment), "Сохранить".
    void modelCell()
    {
        QFETCH(int, cell);
        QFETCH(QString, text);
        QFETCH(Outcome, outcome);
        f->start();
        frmMathModel->btnModelCreate->click();
        QAbstractItemModel* grid = frmMathModel->DBGrid1->model();
        if (cell == 1)
            grid->setData(grid->index(0, 0), QStringLiteral("n"), Qt::EditRole);
        grid->setData(grid->index(0, cell), text, Qt::EditRole);
        if (outcome == Outcome::Refused) {
            QTRY_COMPARE(f->errors.count(), 1);
            QVERIFY2(f->errors.texts().first().contains(QStringLiteral("длиннее")),
                     qPrintable(f->errors.texts().first()));
            QCOMPARE(grid->index(0, cell).data().toString(), QString());
            // The cell opens again holding the text: saving it is refused again.
            frmMathModel->btnModelSave->click();
            QTRY_COMPARE(f->errors.count(), 2);
            QCOMPARE(f->errors.texts().last(), f->errors.texts().first());
            QCOMPARE(f->store->rows(
                         QStringLiteral("SELECT count(*) FROM MATHMODEL WHERE MODCOMMENT IS NOT "
                                        "NULL OR MODNAME <> 'n'")),
                     QStringList{"0"});
            return;
        }
        frmMathModel->btnModelSave->click();

        const QString columnName =
            cell == 0 ? QStringLiteral("MODNAME") : QStringLiteral("MODCOMMENT");
        if (cell == 0 && outcome == Outcome::Null) {
            QCOMPARE(f->messages.count(), 1);
            QCOMPARE(f->messages.boxes().first().first,
                     QStringLiteral("Наименование модели должно быть обязательно указано"));
            QCOMPARE(f->store->storedModels(), QStringList{});
            QCOMPARE(dmStructure->tblModel.state(), DataSet::State::Insert);
            return;
        }
        QCOMPARE(f->errors.texts(), QStringList{});
        const QStringList stored =
            f->store->rows(QStringLiteral("SELECT %1 FROM MATHMODEL").arg(columnName));
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first(), outcome == Outcome::Null ? QString() : text);
        QCOMPARE(grid->index(0, cell).data().toString(),
                 outcome == Outcome::Null ? QString() : text);
    }

    // Names built to break a statement that pastes them in: stored and read back as typed.
    void namesFullOfQuotesAndSqlAreStoredExactly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("quote") << QStringLiteral("O'Brien");
        QTest::newRow("double quotes") << QStringLiteral("\"Модель\" \"\"1\"\"");
        QTest::newRow("drop table") << QStringLiteral("x'); DROP TABLE MATHMODEL; --");
        QTest::newRow("or true") << QStringLiteral("' OR '1'='1");
        QTest::newRow("parameter marker") << QStringLiteral(":MODID ? $1 %s");
        QTest::newRow("backslashes") << QStringLiteral("\\'\\\\ \\0 \\n");
        QTest::newRow("comment") << QStringLiteral("/* a */ -- b");
    }
    void namesFullOfQuotesAndSqlAreStoredExactly()
    {
        QFETCH(QString, name);
        f->store->addModel(1);
        f->start();
        frmMathModel->btnModelCreate->click();
        QAbstractItemModel* grid = frmMathModel->DBGrid1->model();
        grid->setData(grid->index(dmStructure->tblModel.recNo(), 0), name, Qt::EditRole);
        grid->setData(grid->index(dmStructure->tblModel.recNo(), 1), name, Qt::EditRole);
        frmMathModel->btnModelSave->click();
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->store->storedModels(), (QStringList{"1:m1", "2:" + name}));
        QCOMPARE(f->store->rows(QStringLiteral("SELECT MODCOMMENT FROM MATHMODEL WHERE MODID = 2")),
                 QStringList{name});

        frmMathModel->DBGrid1->setCurrentIndex(grid->index(1, 0));
        frmMathModel->btnLevel->click();
        lstLevel->btnLevelCreate->click();
        paste(frmLevel->editLvlNumber, QStringLiteral("1"));
        paste(frmLevel->editLvlName, name);
        frmLevel->btnOK->click();
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->store->storedValue(QStringLiteral("LVLNAME"), 2, 1).toString(), name);
        lstLevel->btnLevelRefresh->click();
        QCOMPARE(lstLevel->DBGrid1->model()->index(0, 1).data().toString(), name);
    }
};

KEROVA_TEST(BadInputTest)
#include "BadInputTest.moc"
