// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RowCache.h"

#include <QTest>
#include <numeric>

namespace {

// Runs steps separated by spaces on rows of one field read as "a b c" and
// notes what revert and restore report: "e1=x" changes row 1 to x and posts
// it, "n1=x" posts a new row x at place 1, "N1=x" starts one without posting
// it, "d1" deletes row 1, "r1" reverts it, "u" brings the row deleted last
// back, "c" commits.
QString run(RowCache& rows, const QString& script)
{
    rows.reset({{QStringLiteral("a")}, {QStringLiteral("b")}, {QStringLiteral("c")}});
    QStringList results;
    for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
        const char op = step[0].toLatin1();
        const int row = step.mid(1, 1).toInt();
        if (op == 'n' || op == 'N')
            rows.insertNew(row, 1);
        if (op == 'e' || op == 'n' || op == 'N')
            rows.row(row).values[0] = step.mid(3);
        if (op == 'e' || op == 'n')
            rows.markPosted(row, op == 'n');
        else if (op == 'd')
            rows.remove(row);
        else if (op == 'c')
            rows.commit();
        else if (op == 'u')
            results << QStringLiteral("u:%1").arg(rows.restoreRemoved());
        else if (op == 'r')
            results << QStringLiteral("r:%1").arg(int(rows.revert(row)));
    }
    return results.join(u' ');
}

QString values(const RowCache& rows, const std::vector<int>& which)
{
    QStringList texts;
    for (const int row : which)
        texts << rows.row(row).values[0].toString();
    return texts.join(u' ');
}

QString allValues(const RowCache& rows)
{
    std::vector<int> all(rows.size());
    std::iota(all.begin(), all.end(), 0);
    return values(rows, all);
}

// "M b>x" a change from b to x, "I x" a new row, "D b" a deletion, in the order to write.
QString pending(const RowCache& rows, int skip)
{
    QStringList texts;
    for (const RowCache::Change& change : rows.pending(skip)) {
        const QString read = change.original->at(0).toString();
        const QString now = change.values->at(0).toString();
        switch (change.kind) {
        case RowCache::Change::Kind::Modify:
            texts << QStringLiteral("M %1>%2").arg(read, now);
            break;
        case RowCache::Change::Kind::Insert:
            texts << QStringLiteral("I ") + now;
            break;
        case RowCache::Change::Kind::Delete:
            texts << QStringLiteral("D ") + read;
            break;
        }
    }
    return texts.join(QStringLiteral(", "));
}

QString counts(const RowCache::HeldBack& held)
{
    return QStringLiteral("%1/%2/%3").arg(held.inserted).arg(held.modified).arg(held.deleted);
}

} // namespace

// The rows of a data set and what they hold back, without a store or an
// application object.
class RowCacheTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void script_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("skip"); // a new record not posted yet
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("pending");
        QTest::addColumn<QString>("held"); // inserted/modified/deleted
        QTest::addColumn<QString>("fresh");
        QTest::addColumn<QString>("results"); // revert: 0 nothing, 1 dropped, 2 restored
        const auto row = [](const char* name, const char* script, int skip, const char* rows,
                            const char* pending, const char* held, const char* fresh,
                            const char* results) {
            QTest::newRow(name) << QString::fromUtf8(script) << skip << QString::fromUtf8(rows)
                                << QString::fromUtf8(pending) << QString::fromUtf8(held)
                                << QString::fromUtf8(fresh) << QString::fromUtf8(results);
        };
        row("as read", "", -1, "a b c", "", "0/0/0", "", "");
        row("changed", "e1=x", -1, "a x c", "M b>x", "0/1/0", "", "");
        row("changed again keeps its place", "e1=x e0=y e1=z", -1, "y z c", "M b>z, M a>y", "0/2/0",
            "", "");
        row("new", "n1=x", -1, "a x b c", "I x", "1/0/0", "x", "");
        row("new rows in the order added", "n0=x n2=y n0=z", -1, "z x a y b c", "I x, I y, I z",
            "3/0/0", "x y z", "");
        row("new record not posted", "e0=y N1=x", 1, "y x b c", "M a>y", "1/1/0", "x", "");
        row("deletion as read", "e1=x d1", -1, "a c", "D b", "0/0/1", "", "");
        row("new row deleted", "n1=x d1", -1, "a b c", "", "0/0/0", "", "");
        row("kinds in the order made", "d2 e0=x n0=y", -1, "y x b", "D c, M a>x, I y", "1/1/1", "y",
            "");
        row("revert change", "e1=x r1", -1, "a b c", "", "0/0/0", "", "r:2");
        row("revert new", "n1=x r1", -1, "a b c", "", "0/0/0", "", "r:1");
        row("revert as read", "r1", -1, "a b c", "", "0/0/0", "", "r:0");
        row("restore the last deleted", "d0 d1 u", -1, "b c", "D a", "0/0/1", "", "u:1");
        row("restore every deletion", "d0 d1 u u", -1, "a b c", "", "0/0/0", "", "u:1 u:0");
        row("restore as read", "e1=x d1 u", -1, "a b c", "", "0/0/0", "", "u:1");
        row("restore past the end", "n0=x n0=y d3 d0 d0 u", -1, "a c b", "", "0/0/0", "", "u:2");
        row("commit", "e1=x d0 n0=y c", -1, "y x c", "", "0/0/0", "", "");
        row("change after commit", "e1=x c e1=y", -1, "a y c", "M x>y", "0/1/0", "", "");
        row("revert after commit", "e1=x c r1", -1, "a x c", "", "0/0/0", "", "r:0");
    }

    void script()
    {
        QFETCH(QString, script);
        QFETCH(int, skip);
        RowCache rows;
        const QString results = run(rows, script);
        QTEST(allValues(rows), "rows");
        QTEST(pending(rows, skip), "pending");
        QTEST(counts(rows.heldBack()), "held");
        QTEST(values(rows, rows.newRows()), "fresh");
        QTEST(results, "results");
    }

    // The record being edited counts as the data set marks it, not as its row stands.
    void heldBackOfEditedRow_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("edited");
        QTest::addColumn<int>("mark");
        QTest::addColumn<QString>("held");
        QTest::newRow("typed into") << "" << 1 << int(RowCache::Mark::Modified) << "0/1/0";
        QTest::newRow("changed before") << "e1=x" << 1 << int(RowCache::Mark::Modified) << "0/1/0";
        QTest::newRow("untouched new") << "N1=x" << 1 << int(RowCache::Mark::None) << "0/0/0";
        QTest::newRow("other row") << "e0=x" << 1 << int(RowCache::Mark::Inserted) << "1/1/0";
    }

    void heldBackOfEditedRow()
    {
        QFETCH(QString, script);
        QFETCH(int, edited);
        QFETCH(int, mark);
        RowCache rows;
        run(rows, script);
        QTEST(counts(rows.heldBack(edited, RowCache::Mark(mark))), "held");
    }

    void findComparesNullOnlyWithNull_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("row");
        QTest::newRow("null") << QVariant() << 1;
        QTest::newRow("empty text") << QVariant(QStringLiteral("")) << 2;
        QTest::newRow("number") << QVariant(0) << 0;
        QTest::newRow("missing") << QVariant(7) << -1;
    }

    void findComparesNullOnlyWithNull()
    {
        QFETCH(QVariant, value);
        RowCache rows;
        // A null text as the driver gives it equals the empty text in QVariant's own comparison.
        rows.reset({{0}, {QVariant(QMetaType::fromType<QString>())}, {QStringLiteral("")}});
        QTEST(rows.find(0, value), "row");
    }
};

QTEST_APPLESS_MAIN(RowCacheTest)
#include "RowCacheTest.moc"
