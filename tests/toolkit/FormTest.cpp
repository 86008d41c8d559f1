// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/EngineError.h"
#include "testutil/ErrorRecorder.h"
#include "testutil/TestRegistry.h"
#include "toolkit/Application.h"
#include "toolkit/KeptSettings.h"
#include "toolkit/TForm.h"

#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

class CountingForm : public TForm
{
public:
    int shows = 0;
    int hides = 0;
    bool failOnShow = false;

protected:
    void FormHide() override { ++hides; }
    void FormShow() override
    {
        ++shows;
        if (failOnShow)
            throw EngineError(QStringLiteral("Не открыть"));
    }
};

QStringList journal;

// An owned object that notes its creation handler, its destruction and
// whether its global variable already pointed at it when FormCreate ran.
template <int N> struct Module
{
    static Module* global;
    bool globalSetOnCreate = false;
    void FormCreate()
    {
        globalSetOnCreate = global == this;
        journal << QStringLiteral("create %1").arg(N);
    }
    void FormDestroy() { journal << QStringLiteral("FormDestroy %1").arg(N); }
    ~Module() { journal << QStringLiteral("delete %1").arg(N); }
};
template <int N> Module<N>* Module<N>::global = nullptr;

} // namespace

// The form base and the application object's ownership of windows.
class FormTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A window opens where and as large as it was left in the last run (one
    // object per run here); never left, or with the places off, at its design place.
    void windowOpensWhereItWasLeft_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::newRow("kept") << true;
        QTest::newRow("off") << false;
    }
    void windowOpensWhereItWasLeft()
    {
        QFETCH(bool, enabled);
        QStandardPaths::setTestModeEnabled(true);
        KeptSettings::open().clear();
        KeptSettings::setEnabled(enabled);
        const QRect design(40, 50, 300, 200);
        const QRect left(120, 90, 420, 260);
        const auto open = [&design] {
            auto form = std::make_unique<CountingForm>();
            form->setObjectName(QStringLiteral("frmPlaced"));
            form->setDesignGeometry(design.x(), design.y(), design.width(), design.height());
            form->show();
            return form;
        };
        auto first = open();
        QCOMPARE(first->size(), design.size());
        const QPoint designPlace = first->pos();
        first->setGeometry(left);
        const QPoint leftPlace = first->pos();
        first->close();
        first.reset();
        auto second = open();
        QCOMPARE(second->size(), enabled ? left.size() : design.size());
        QCOMPARE(second->pos(), enabled ? leftPlace : designPlace);
        KeptSettings::setEnabled(false);
    }

    void showHandlerRunsOnlyWhenAHiddenWindowBecomesVisible()
    {
        CountingForm form;
        form.show();
        QCOMPARE(form.shows, 1);
        form.show(); // already visible: brought to the front only
        QCOMPARE(form.shows, 1);
        QVERIFY(form.isVisible());
        form.hide();
        QCOMPARE(form.hides, 1);
        form.show();
        QCOMPARE(form.shows, 2);
    }

    void closingHidesAndTellsTheOwner()
    {
        CountingForm form;
        QSignalSpy closed(&form, &TForm::closed);
        form.show();
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(form.hides, 1);
        form.show();
        QCOMPARE(form.shows, 2);
    }

    void showHandlerErrorIsDisplayedAndTheWindowStillShows()
    {
        ErrorRecorder recorder;
        CountingForm form;
        form.failOnShow = true;
        form.show();
        QVERIFY(form.isVisible());
        QCOMPARE(recorder.boxes().value(0).first, QStringLiteral("Не открыть."));
    }

    void openMaximisedWindowShowsMaximised()
    {
        CountingForm form;
        form.setOpenMaximised(true);
        form.show();
        QVERIFY(form.windowState() & Qt::WindowMaximized);
    }

    void ownedObjectsAreCreatedInOrderAndDestroyedInReverse()
    {
        journal.clear();
        int argc = 0;
        {
            Application application(argc, nullptr);
            QCOMPARE(Application::title(), QStringLiteral("Kerova"));
            application.create(Module<1>::global);
            application.create(Module<2>::global);
            QVERIFY(Module<1>::global->globalSetOnCreate);
            QVERIFY(Module<2>::global->globalSetOnCreate);
            QCOMPARE(application.ownedCount(), 2);
        }
        QCOMPARE(journal,
                 QStringList({QStringLiteral("create 1"), QStringLiteral("create 2"),
                              QStringLiteral("FormDestroy 2"), QStringLiteral("delete 2"),
                              QStringLiteral("FormDestroy 1"), QStringLiteral("delete 1")}));
        QVERIFY(Module<1>::global == nullptr);
        QVERIFY(Module<2>::global == nullptr);
    }

    void closingTheMainWindowEndsTheLoop()
    {
        int argc = 0;
        Application application(argc, nullptr);
        CountingForm main;
        CountingForm other;
        other.show();
        QTimer::singleShot(0, &main, [&main] { main.close(); });
        QCOMPARE(application.run(&main), 0);
        QVERIFY(!main.isVisible());
    }
};

KEROVA_TEST(FormTest)
#include "FormTest.moc"
