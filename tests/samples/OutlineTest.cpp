// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/Outline.h"
#include "number/Error.h"
#include "testutil/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>
#include <functional>

using OutlineOperation = std::function<void(Outline&)>;
Q_DECLARE_METATYPE(OutlineOperation)

namespace {

// Remembers the reactions the outline runs.
class RecordingOutline : public Outline
{
public:
    QStringList calls;

protected:
    void CreateWnd() override { calls << QStringLiteral("CreateWnd"); }
    void Loaded() override
    {
        Outline::Loaded();
        calls << QStringLiteral("Loaded");
    }
};

QStringList textsInOrder(const Outline& outline)
{
    QStringList texts;
    for (int i = 1; i <= outline.itemCount(); ++i)
        texts << outline.itemText(i);
    return texts;
}

QStringList childTexts(const Outline& outline, int index)
{
    QStringList texts;
    for (int child = outline.firstChild(index); child != -1; child = outline.nextChild(child))
        texts << outline.itemText(child);
    return texts;
}

// a (a1 (a11), a2), b, built out of order so that every operation renumbers.
void buildSample(Outline& outline)
{
    QCOMPARE(outline.addChild(0, QStringLiteral("a")), 1);
    QCOMPARE(outline.addChild(1, QStringLiteral("a2")), 2);
    QCOMPARE(outline.insert(2, QStringLiteral("a1")), 2);
    QCOMPARE(outline.addChild(2, QStringLiteral("a11")), 3);
    QCOMPARE(outline.add(1, QStringLiteral("b")), 5);
}

} // namespace

// The outline base: index-addressed nodes in tree order, their errors,
// expansion and its reaction, pictures, and the end of loading.
class OutlineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void indicesFollowTreeOrderAsNodesAreAddedAndInserted()
    {
        Outline outline;
        buildSample(outline);
        QCOMPARE(textsInOrder(outline), (QStringList{"a", "a1", "a11", "a2", "b"}));
        QCOMPARE(childTexts(outline, 0), (QStringList{"a", "b"}));
        QCOMPARE(childTexts(outline, 1), (QStringList{"a1", "a2"}));
        QCOMPARE(outline.insert(1, QStringLiteral("first")), 1);
        QCOMPARE(outline.itemText(6), QStringLiteral("b"));
        QCOMPARE(outline.add(0, QStringLiteral("last")), 7);
    }

    void childNavigation_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("hasItems");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("next");
        QTest::newRow("top node with children") << 1 << true << 2 << 4 << 5;
        QTest::newRow("child with a child") << 2 << true << 3 << 3 << 4;
        QTest::newRow("only child") << 3 << false << -1 << -1 << -1;
        QTest::newRow("last top node") << 5 << false << -1 << -1 << -1;
    }

    void childNavigation()
    {
        QFETCH(int, index);
        Outline outline;
        buildSample(outline);
        QTEST(outline.hasItems(index), "hasItems");
        QTEST(outline.firstChild(index), "first");
        QTEST(outline.lastChild(index), "last");
        QTEST(outline.nextChild(index), "next");
    }

    void badOperationsRaiseTheBaseErrors_data()
    {
        QTest::addColumn<OutlineOperation>("operation");
        QTest::addColumn<QString>("message");
        QTest::newRow("negative index") << OutlineOperation([](Outline& o) { o.item(-1); })
                                        << QStringLiteral("Invalid outline index");
        QTest::newRow("past the last node") << OutlineOperation([](Outline& o) { o.itemText(6); })
                                            << QStringLiteral("Outline index not found");
        QTest::newRow("child of a missing node")
            << OutlineOperation([](Outline& o) { o.addChild(-1, "x"); })
            << QStringLiteral("Invalid outline index");
        QTest::newRow("expand below a collapsed node")
            << OutlineOperation([](Outline& o) { o.expandNode(2); })
            << QStringLiteral("Parent must be expanded");
        QTest::newRow("select the root")
            << OutlineOperation([](Outline& o) { o.setSelectedItem(0); })
            << QStringLiteral("Invalid selection");
        QTest::newRow("select a missing child")
            << OutlineOperation([](Outline& o) { o.setSelectedItem(-1); })
            << QStringLiteral("Invalid selection");
    }

    void badOperationsRaiseTheBaseErrors()
    {
        QFETCH(OutlineOperation, operation);
        QFETCH(QString, message);
        Outline outline;
        buildSample(outline);
        try {
            operation(outline);
            QFAIL("no error raised");
        } catch (const Error& error) {
            QCOMPARE(error.message(), message);
        }
        QCOMPARE(outline.itemCount(), 5);
    }

    void emptyTreeAcceptsNoSelection()
    {
        Outline outline;
        outline.setSelectedItem(0);
        QCOMPARE(outline.selectedItem(), 0);
    }

    void selectionFollowsTheNode()
    {
        Outline outline;
        buildSample(outline);
        outline.setSelectedItem(4);
        outline.insert(1, QStringLiteral("before"));
        QCOMPARE(outline.selectedItem(), 5);
        QCOMPARE(outline.itemText(outline.selectedItem()), QStringLiteral("a2"));
    }

    void fullPathJoinsTextsFromTheTop_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("path");
        QTest::newRow("drive") << QStringLiteral("\\") << QStringLiteral("c:")
                               << QStringLiteral("c:\\a1\\a11");
        QTest::newRow("single root")
            << QStringLiteral("/") << QStringLiteral("/") << QStringLiteral("/a1/a11");
    }

    void fullPathJoinsTextsFromTheTop()
    {
        QFETCH(QString, separator);
        QFETCH(QString, top);
        Outline outline;
        outline.setItemSeparator(separator);
        buildSample(outline);
        outline.setItemText(1, top);
        QTEST(outline.fullPath(3), "path");
        QCOMPARE(outline.fullPath(1), top);
        QCOMPARE(outline.fullPath(0), QString());
    }

    void dataIsKeptPerNode()
    {
        Outline outline;
        buildSample(outline);
        int marker = 0;
        outline.setItemData(2, &marker);
        outline.insert(1, QStringLiteral("before"));
        QCOMPARE(outline.itemData(3), static_cast<void*>(&marker));
        QCOMPARE(outline.itemData(2), nullptr);
    }

    void expandingRunsTheReactionByCodeAndByUser()
    {
        Outline outline;
        buildSample(outline);
        QSignalSpy expanded(&outline, &Outline::OnExpand);
        outline.expandNode(1);
        outline.expandNode(2); // its parent is open now
        QVERIFY(outline.isItemExpanded(2));
        outline.item(5)->setExpanded(true); // as the view does on a click
        QCOMPARE(expanded.count(), 3);
        QCOMPARE(expanded.at(2).at(0).toInt(), 5);
    }

    void picturesShowTheNodeState_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("expand");
        QTest::addColumn<QString>("picture");
        QTest::newRow("collapsed with children") << 1 << false << QStringLiteral("closed");
        QTest::newRow("expanded with children") << 1 << true << QStringLiteral("open");
        QTest::newRow("without children") << 5 << true << QStringLiteral("leaf");
    }

    void picturesShowTheNodeState()
    {
        QFETCH(int, index);
        QFETCH(bool, expand);
        QFETCH(QString, picture);
        Outline outline;
        buildSample(outline);
        if (expand)
            outline.expandNode(index);
        const QMap<QString, QPixmap> pictures{{"open", outline.pictureOpen()},
                                              {"closed", outline.pictureClosed()},
                                              {"leaf", outline.pictureLeaf()}};
        const QImage shown = outline.item(index)->icon(0).pixmap(16, 16).toImage();
        QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32),
                 pictures[picture].toImage().convertToFormat(QImage::Format_ARGB32));
    }

    void clearKeepsOnlyTheRoot()
    {
        Outline outline;
        buildSample(outline);
        outline.clear();
        QCOMPARE(outline.itemCount(), 0);
        QCOMPARE(outline.firstChild(0), -1);
        QCOMPARE(outline.addChild(0, QStringLiteral("again")), 1);
    }

    void keyboardMoveIsAClick()
    {
        Outline outline;
        buildSample(outline);
        outline.setSelectedItem(1);
        QSignalSpy clicked(&outline, &Outline::OnClick);
        QTest::keyClick(&outline, Qt::Key_Down);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(outline.selectedItem(), 5); // a is collapsed: b is next
        outline.setSelectedItem(1);          // selecting by code is no click
        QCOMPARE(clicked.count(), 1);
    }

    void firstShowCreatesTheWindowThenEndsLoading()
    {
        RecordingOutline outline;
        QVERIFY(outline.isLoading());
        outline.show();
        outline.hide();
        outline.show();
        QCOMPARE(outline.calls, (QStringList{"CreateWnd", "Loaded"}));
        QVERIFY(!outline.isLoading());
    }
};

KEROVA_TEST(OutlineTest)
#include "OutlineTest.moc"
