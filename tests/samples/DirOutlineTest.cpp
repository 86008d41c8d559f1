// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/Error.h"
#include "samples/Cdiroutl.h"
#include "testutil/ErrorRecorder.h"
#include "testutil/TestRegistry.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

using OutlineQuery = std::function<QString(Outline&)>;
Q_DECLARE_METATYPE(OutlineQuery)

namespace {

QStringList childTexts(const Outline& outline, int index)
{
    QStringList texts;
    for (int child = outline.firstChild(index); child != -1; child = outline.nextChild(child))
        texts << outline.itemText(child);
    return texts;
}

int childNamed(const Outline& outline, int index, const QString& text)
{
    for (int child = outline.firstChild(index); child != -1; child = outline.nextChild(child))
        if (outline.itemText(child) == text)
            return child;
    return -1;
}

// Siblings with the same text anywhere below a node.
int listedTwice(const Outline& outline, int index)
{
    int twice = 0;
    QStringList seen;
    for (int child = outline.firstChild(index); child != -1; child = outline.nextChild(child)) {
        twice += seen.contains(outline.itemText(child)) ? 1 : 0;
        seen << outline.itemText(child);
        twice += listedTwice(outline, child);
    }
    return twice;
}

QString raised(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const Error& error) {
        return error.message();
    }
    return QString();
}

} // namespace

// The directory outline on a temporary tree (Gamma/User/Data, Beta/Sub,
// alpha, .hidden) that is the current directory when each test starts.
class DirOutlineTest : public QObject
{
    Q_OBJECT

    QString savedDirectory;
    std::unique_ptr<QTemporaryDir> temporary;
    QString base;  // the tree's real path, as Directory() gives it
    QString shown; // the same in lower case, as the outline's nodes show it
    std::unique_ptr<TCDirectoryOutline> outline;

    // The node of the temporary tree, after the tree was built there.
    int baseNode() const { return outline->selectedItem(); }

private Q_SLOTS:
    void init()
    {
        savedDirectory = QDir::currentPath();
        temporary = std::make_unique<QTemporaryDir>();
        QVERIFY(temporary->isValid());
        base = QDir(temporary->path()).canonicalPath();
        shown = base.toLower();
        for (const char* path : {"Gamma/User/Data", "Beta/Sub", "alpha", ".hidden"})
            QVERIFY(QDir(base).mkpath(QString::fromLatin1(path)));
        QVERIFY(QDir::setCurrent(base));
        outline = std::make_unique<TCDirectoryOutline>();
        outline->setObjectName(QStringLiteral("dirOutline"));
    }

    void cleanup()
    {
        outline.reset();
        QVERIFY(QDir::setCurrent(savedDirectory));
        temporary.reset();
    }

    void endOfLoadingOpensTheTreeAtTheCurrentDirectory()
    {
        QSignalSpy changed(outline.get(), &TCDirectoryOutline::OnChange);
        outline->Loaded();
        QCOMPARE(outline->Drive(), QChar(u'/'));
        QCOMPARE(outline->Directory(), base);
        QCOMPARE(outline->itemText(1), QStringLiteral("/"));
        QCOMPARE(outline->fullPath(outline->selectedItem()), shown);
        QCOMPARE(changed.count(), 1);
    }

    void setDirectoryEntersTheRealPathAndShowsTheChosenCase_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("stored");  // the node's path below the tree; "/" is the root
        QTest::addColumn<QString>("entered"); // Directory(), the real directory below the tree
        QTest::newRow("trailing slash dropped")
            << QStringLiteral("Beta/") << QStringLiteral("/beta") << QStringLiteral("/Beta");
        QTest::newRow("relative parts resolved")
            << QStringLiteral("BETA/Sub/..") << QStringLiteral("/beta") << QStringLiteral("/Beta");
        QTest::newRow("mixed case entered in lower case")
            << QStringLiteral("gamma/user/data") << QStringLiteral("/gamma/user/data")
            << QStringLiteral("/Gamma/User/Data");
        QTest::newRow("root keeps its slash")
            << QStringLiteral("/") << QStringLiteral("/") << QStringLiteral("/");
    }

    void setDirectoryEntersTheRealPathAndShowsTheChosenCase()
    {
        QFETCH(QString, path);
        QFETCH(QString, stored);
        QFETCH(QString, entered);
        outline->Loaded();
        QSignalSpy changed(outline.get(), &TCDirectoryOutline::OnChange);
        outline->SetDirectory(path);
        const QString expected = stored == QLatin1String("/") ? stored : shown + stored;
        const QString real = entered == QLatin1String("/") ? entered : base + entered;
        QCOMPARE(outline->Directory(), real);
        QCOMPARE(QDir::currentPath(), real);
        QCOMPARE(outline->fullPath(outline->selectedItem()), expected);
        QCOMPARE(changed.count(), 1);
    }

    void sameDirectoryInAnotherCaseDoesNothing()
    {
        outline->Loaded();
        outline->SetDirectory(base + QStringLiteral("/Beta"));
        const int selected = outline->selectedItem();
        QSignalSpy changed(outline.get(), &TCDirectoryOutline::OnChange);
        outline->SetDirectory(base + QStringLiteral("/BETA/"));
        outline->SetDirectory(shown + QStringLiteral("/beta"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(outline->selectedItem(), selected);
    }

    void levelsAreSortedIgnoringCaseWithoutDotNames_data()
    {
        QTest::addColumn<TCDirectoryOutline::TTextCase>("textCase");
        QTest::addColumn<QStringList>("children");
        QTest::newRow("lower case")
            << TCDirectoryOutline::tcLowerCase << QStringList{"alpha", "beta", "gamma"};
        QTest::newRow("upper case")
            << TCDirectoryOutline::tcUpperCase << QStringList{"ALPHA", "BETA", "GAMMA"};
        QTest::newRow("as is") << TCDirectoryOutline::tcAsIs
                               << QStringList{"alpha", "Beta", "Gamma"};
    }

    void levelsAreSortedIgnoringCaseWithoutDotNames()
    {
        QFETCH(TCDirectoryOutline::TTextCase, textCase);
        outline->SetTextCase(textCase); // still loading: nothing is built yet
        QVERIFY(outline->isLoading());
        outline->Loaded();
        outline->expandNode(baseNode());
        QTEST(childTexts(*outline, baseNode()), "children");
    }

    void expandingTwiceListsOnce()
    {
        outline->Loaded();
        const int node = baseNode();
        QVERIFY(!outline->hasItems(node));      // the walk lists the levels above it only
        outline->item(node)->setExpanded(true); // as the user does
        outline->item(node)->setExpanded(false);
        outline->expandNode(node);
        outline->expandNode(node);
        QCOMPARE(childTexts(*outline, node), (QStringList{"alpha", "beta", "gamma"}));
    }

    void asIsRereadsTheCurrentDirectory()
    {
        outline->Loaded();
        outline->SetDirectory(base + QStringLiteral("/Beta"));
        QSignalSpy changed(outline.get(), &TCDirectoryOutline::OnChange);
        outline->SetTextCase(TCDirectoryOutline::tcAsIs);
        QCOMPARE(outline->Directory(), base + QStringLiteral("/Beta"));
        QCOMPARE(outline->fullPath(outline->selectedItem()), base + QStringLiteral("/Beta"));
        QCOMPARE(changed.count(), 1);
        outline->SetTextCase(TCDirectoryOutline::tcUpperCase);
        QCOMPARE(outline->Directory(), base + QStringLiteral("/Beta"));
        QCOMPARE(outline->itemText(outline->selectedItem()), QStringLiteral("BETA"));
    }

    void unreadableCurrentDirectory()
    {
        outline->Loaded();
        const int nodes = outline->itemCount();
        QVERIFY(QDir(base).mkdir(QStringLiteral("Doomed")));
        QVERIFY(QDir::setCurrent(base + QStringLiteral("/Doomed")));
        QVERIFY(QDir(base).rmdir(QStringLiteral("Doomed")));
        QCOMPARE(TCDirectoryOutline::CurDir(), QString());

        QSignalSpy changed(outline.get(), &TCDirectoryOutline::OnChange);
        QCOMPARE(raised([this] { outline->SetTextCase(TCDirectoryOutline::tcAsIs); }),
                 QStringLiteral("Range check error"));
        QCOMPARE(outline->TextCase(), TCDirectoryOutline::tcAsIs);
        QCOMPARE(outline->itemCount(), nodes);
        QCOMPARE(changed.count(), 0);

        TCDirectoryOutline fresh; // its window comes up without a directory
        fresh.show();
        QVERIFY(fresh.Drive().isNull());
        QCOMPARE(fresh.Directory(), QString());
        QCOMPARE(fresh.itemCount(), 1);
    }

    void directoryThatCannotBeEnteredChangesNothing()
    {
        outline->Loaded();
        QSignalSpy changed(outline.get(), &TCDirectoryOutline::OnChange);
        const QString message =
            raised([this] { outline->SetDirectory(QStringLiteral("missing")); });
        QVERIFY2(message.contains(QStringLiteral("missing")), qPrintable(message));
        QCOMPARE(outline->Directory(), base);
        QCOMPARE(QDir::currentPath(), base);
        QCOMPARE(changed.count(), 0);
    }

    void whileLoadingSettingTheDirectoryOnlyRemembersIt()
    {
        outline->SetDirectory(QStringLiteral("Beta"));
        outline->SetDirectory(base + QStringLiteral("/Gamma"));
        QVERIFY(outline->isLoading());
        outline->Loaded();
        QCOMPARE(outline->fullPath(outline->selectedItem()), shown + QStringLiteral("/gamma"));
    }

    void clickingANodeMakesItCurrent()
    {
        outline->resize(400, 600);
        outline->show(); // ends loading: the tree opens at the current directory
        QVERIFY(QTest::qWaitForWindowExposed(outline.get()));
        outline->expandNode(baseNode());
        const int gamma = childNamed(*outline, baseNode(), QStringLiteral("gamma"));
        QSignalSpy changed(outline.get(), &TCDirectoryOutline::OnChange);
        outline->scrollToItem(outline->item(gamma));
        const QRect row = outline->visualItemRect(outline->item(gamma));
        QTest::mouseClick(outline->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(outline->Directory(), base + QStringLiteral("/Gamma"));
        QCOMPARE(QDir::currentPath(), base + QStringLiteral("/Gamma"));
        QCOMPARE(changed.count(), 1);
    }

    void clickOnAVanishedDirectoryIsReported()
    {
        outline->resize(400, 600);
        outline->show();
        QVERIFY(QTest::qWaitForWindowExposed(outline.get()));
        outline->expandNode(baseNode());
        const int alpha = childNamed(*outline, baseNode(), QStringLiteral("alpha"));
        QVERIFY(QDir(base).rmdir(QStringLiteral("alpha")));
        outline->scrollToItem(outline->item(alpha));
        const QRect row = outline->visualItemRect(outline->item(alpha));
        ErrorRecorder errors;
        QTest::mouseClick(outline->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(errors.count(), 1);
        QVERIFY(errors.texts().front().contains(QStringLiteral("alpha")));
        QVERIFY(errors.texts().front().endsWith(QLatin1Char('.')));
        QCOMPARE(outline->Directory(), base);
    }

    void pathsAreEnteredAsGivenAndOnlyTheTextIsFolded_data()
    {
        QTest::addColumn<TCDirectoryOutline::TTextCase>("textCase");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("entered"); // the real directory below the tree
        QTest::addColumn<QString>("inside");  // what the selected node lists
        QTest::newRow("lower case, capital name")
            << TCDirectoryOutline::tcLowerCase << QStringLiteral("Twins/Foo")
            << QStringLiteral("/Twins/Foo") << QStringLiteral("infoo");
        QTest::newRow("lower case, small name")
            << TCDirectoryOutline::tcLowerCase << QStringLiteral("Twins/foo")
            << QStringLiteral("/Twins/foo") << QStringLiteral("insmall");
        QTest::newRow("upper case, small name")
            << TCDirectoryOutline::tcUpperCase << QStringLiteral("twins/foo")
            << QStringLiteral("/Twins/foo") << QStringLiteral("INSMALL");
        QTest::newRow("as is, no exact name")
            << TCDirectoryOutline::tcAsIs << QStringLiteral("TWINS/Foo")
            << QStringLiteral("/Twins/Foo") << QStringLiteral("inFoo");
    }
    void pathsAreEnteredAsGivenAndOnlyTheTextIsFolded()
    {
        QFETCH(TCDirectoryOutline::TTextCase, textCase);
        QFETCH(QString, path);
        QFETCH(QString, entered);
        QFETCH(QString, inside);
        QVERIFY(QDir(base).mkpath(QStringLiteral("Twins/Foo/inFoo")));
        QVERIFY(QDir(base).mkpath(QStringLiteral("Twins/foo/inSmall")));
        outline->SetTextCase(textCase);
        outline->Loaded();
        outline->SetDirectory(path);
        QCOMPARE(QDir::currentPath(), base + entered);
        QCOMPARE(outline->Directory(), base + entered);
        const int node = outline->selectedItem();
        outline->expandNode(node);
        QCOMPARE(childTexts(*outline, node), QStringList{inside});
    }

    void clickingEitherOfTwoNamesThatDifferInCaseEntersItsOwn()
    {
        QVERIFY(QDir(base).mkpath(QStringLiteral("Twins/Foo")));
        QVERIFY(QDir(base).mkpath(QStringLiteral("Twins/foo")));
        outline->resize(400, 600);
        outline->show();
        QVERIFY(QTest::qWaitForWindowExposed(outline.get()));
        outline->expandNode(baseNode());
        const int twins = childNamed(*outline, baseNode(), QStringLiteral("twins"));
        outline->expandNode(twins);
        QList<QTreeWidgetItem*> nodes;
        for (int child = outline->firstChild(twins); child != -1; child = outline->nextChild(child))
            nodes << outline->item(child);
        QStringList entered;
        for (QTreeWidgetItem* node : nodes) {
            outline->scrollToItem(node);
            QTest::mouseClick(outline->viewport(), Qt::LeftButton, {},
                              outline->visualItemRect(node).center());
            entered << QDir::currentPath().mid(base.size());
        }
        entered.sort();
        QCOMPARE(entered, (QStringList{"/Twins/Foo", "/Twins/foo"}));
    }

    void queriesBeforeTheFirstShowBuildTheTree_data()
    {
        QTest::addColumn<OutlineQuery>("query");
        QTest::newRow("count") << OutlineQuery(
            [](Outline& o) { return QString::number(o.itemCount()); });
        QTest::newRow("selected item")
            << OutlineQuery([](Outline& o) { return QString::number(o.selectedItem()); });
        QTest::newRow("selected path")
            << OutlineQuery([](Outline& o) { return o.fullPath(o.selectedItem()); });
        QTest::newRow("top node's children")
            << OutlineQuery([](Outline& o) { return childTexts(o, 1).join(u' '); });
    }
    void queriesBeforeTheFirstShowBuildTheTree()
    {
        QFETCH(OutlineQuery, query);
        outline->SetDirectory(QStringLiteral("Beta"));
        const QString hidden = query(*outline);
        TCDirectoryOutline shownOutline;
        shownOutline.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shownOutline));
        QCOMPARE(hidden, query(shownOutline));
        QCOMPARE(outline->fullPath(outline->selectedItem()), shown + QStringLiteral("/beta"));
    }

    void subTreeIsReadWholeButNotThroughLinks()
    {
        QVERIFY(QFile::link(base, base + QStringLiteral("/Beta/loop")));
        outline->Loaded();
        outline->BuildSubTree(baseNode());
        const int beta = childNamed(*outline, baseNode(), QStringLiteral("beta"));
        QCOMPARE(childTexts(*outline, beta), (QStringList{"loop", "sub"}));
        const int loop = childNamed(*outline, beta, QStringLiteral("loop"));
        QVERIFY(!outline->itemData(loop));
        const int gamma = childNamed(*outline, baseNode(), QStringLiteral("gamma"));
        const int user = childNamed(*outline, gamma, QStringLiteral("user"));
        QCOMPARE(childTexts(*outline, user), QStringList{"data"});
    }

    // Listings and directory changes agree with the disk: each directory is
    // listed once however often its level is read, a change that fails says
    // why and changes nothing, a hidden directory on the way is shown, and
    // Directory() is the real path while the nodes show lower case.
    void directoryChangesAgree_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("directory"); // Directory() below the tree
        QTest::addColumn<QString>("selected");  // the selected node's path below the tree
        QTest::addColumn<QString>("message");   // %1 is the tree's real path
        QTest::addColumn<int>("changes");
        QTest::addColumn<QStringList>("children"); // of the tree's node, sorted
        const QStringList three{"alpha", "beta", "gamma"};
        const QStringList withHidden{".hidden", "alpha", "beta", "gamma"};
        QTest::newRow("subtree built twice") << "subtree"
                                             << ""
                                             << ""
                                             << ""
                                             << "" << 0 << three;
        QTest::newRow("subtree of an expanded node") << "expand, subtree"
                                                     << ""
                                                     << ""
                                                     << ""
                                                     << "" << 0 << three;
        QTest::newRow("lower case shown, real path kept") << "set"
                                                          << "BETA/"
                                                          << "/Beta"
                                                          << "/beta"
                                                          << "" << 1 << three;
        QTest::newRow("hidden folder on the way") << "set"
                                                  << ".hidden/Inner"
                                                  << "/.hidden/Inner"
                                                  << "/.hidden/inner"
                                                  << "" << 1 << withHidden;
        QTest::newRow("working directory below a hidden folder") << "load in"
                                                                 << ".hidden/Inner"
                                                                 << "/.hidden/Inner"
                                                                 << "/.hidden/inner"
                                                                 << "" << 1 << withHidden;
        QTest::newRow("missing folder")
            << "set"
            << "missing"
            << ""
            << ""
            << "Не удалось перейти в папку «%1/missing»: такой папки нет" << 0 << QStringList{};
        QTest::newRow("a file") << "set"
                                << "notes.txt"
                                << ""
                                << ""
                                << "Не удалось перейти в папку «%1/notes.txt»: это не папка" << 0
                                << QStringList{};
    }
    void directoryChangesAgree()
    {
        QFETCH(QString, action);
        QFETCH(QString, argument);
        QFETCH(QString, directory);
        QFETCH(QString, selected);
        QFETCH(QString, message);
        QFETCH(QStringList, children);
        QVERIFY(QDir(base).mkpath(QStringLiteral(".hidden/Inner")));
        QFile file(base + QStringLiteral("/notes.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (action == QLatin1String("load in"))
            QVERIFY(QDir::setCurrent(base + QLatin1Char('/') + argument));
        else
            outline->Loaded();
        QSignalSpy changed(outline.get(), &TCDirectoryOutline::OnChange);
        const QString error = raised([&] {
            if (action == QLatin1String("load in"))
                outline->Loaded();
            else if (action == QLatin1String("set"))
                outline->SetDirectory(argument);
            if (action.endsWith(QLatin1String("subtree"))) {
                if (action.startsWith(QLatin1String("expand")))
                    outline->expandNode(baseNode());
                else
                    outline->BuildSubTree(baseNode());
                outline->BuildSubTree(baseNode());
            }
        });
        QCOMPARE(error, message.isEmpty() ? message : message.arg(base));
        QCOMPARE(outline->Directory(), base + directory);
        QCOMPARE(QDir::currentPath(), base + directory);
        QCOMPARE(outline->fullPath(outline->selectedItem()), shown + selected);
        QTEST(int(changed.count()), "changes");
        QCOMPARE(listedTwice(*outline, 1), 0);
        int tree = 1;
        while (outline->fullPath(tree) != shown)
            ++tree;
        QStringList listed = childTexts(*outline, tree);
        listed.sort();
        QCOMPARE(listed, children);
    }
};

KEROVA_TEST(DirOutlineTest)
#include "DirOutlineTest.moc"
