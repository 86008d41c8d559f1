// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/Frmexec.h"
#include "editing/Formlevel.h"
#include "results/Formtblout.h"
#include "testutil/EditingFixture.h"
#include "testutil/QuestionRecorder.h"
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"
#include "toolkit/DBEdit.h"
#include "toolkit/DBGrid.h"
#include "toolkit/TStringGrid.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <malloc.h>

// Many cycles of the everyday actions in one process: the store ends
// consistent and memory does not run away. The figures are reported; only
// growth beyond a generous 4 KiB per cycle fails. KEROVA_SOAK_CYCLES and
// KEROVA_SOAK_CALCULATIONS set other counts than 10,000 and 1,000 (the
// sanitizer run takes fewer: there the memory figures say nothing).
class SoakTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<EditingFixture> f;

    static constexpr long GrowthLimitKbPerStep = 4;
    // In a shorter run the first steps' own allocations (caches, pools)
    // outweigh a few KiB per step: its figures are reported, not judged.
    static constexpr int ShortestJudgedRun = 100;

    static long residentKb()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').first().toLong();
        return -1;
    }

    static int cycles(const char* variable, int normal)
    {
        const int given = qEnvironmentVariableIntValue(variable);
        return given > 0 ? given : normal;
    }

    // Resident memory after every tenth of the run (after every step when
    // the run is shorter than twenty); growth is measured from the first,
    // taken after a tenth of the run has filled the caches.
    template <class Step> void run(const char* what, int count, Step step)
    {
        const int tenth = qMax(1, count / 10);
        QElapsedTimer timer;
        timer.start();
        QList<long> figures, heap;
        for (int i = 1; i <= count; ++i) {
            step(i);
            // Between two user actions the event loop runs and paints; without
            // it Qt keeps every pending repaint region of the windows shown.
            QCoreApplication::processEvents();
            if (i % tenth == 0) {
                figures << residentKb();
                heap << long(mallinfo2().uordblks / 1024);
            }
            if (QTest::currentTestFailed())
                return;
        }
        QStringList shown;
        for (long kb : figures)
            shown << QString::number(kb / 1024.0, 'f', 1);
        QStringList heapShown;
        for (long kb : heap)
            heapShown << QString::number(kb / 1024.0, 'f', 1);
        qInfo("%d %s in %lld ms; resident MiB at each tenth: %s; heap in use: %s", count, what,
              timer.elapsed(), qPrintable(shown.join(QLatin1Char(' '))),
              qPrintable(heapShown.join(QLatin1Char(' '))));
#ifdef __SANITIZE_ADDRESS__
        // AddressSanitizer holds freed memory in quarantine: the figures say nothing here.
        return;
#endif
        if (count < ShortestJudgedRun)
            return;
        QVERIFY2(figures.last() - figures.first() < GrowthLimitKbPerStep * count,
                 "memory keeps growing");
    }

private Q_SLOTS:
    void init()
    {
        f = std::make_unique<EditingFixture>();
    }
    void cleanup()
    {
        f.reset();
    }

    // A model added and saved (taking the previous one's removal along), its
    // level added through the editor, the lists refreshed, the level removed.
    void addSaveRefreshRemoveCycles()
    {
        f->start();
        QuestionRecorder removals; // «Удалить уровень …?» — «Да»
        QAbstractItemModel* grid = frmMathModel->DBGrid1->model();
        const int count = cycles("KEROVA_SOAK_CYCLES", 10000);
        run("add/save/refresh/remove cycles", count, [&](int i) {
            frmMathModel->btnModelCreate->click();
            grid->setData(grid->index(dmStructure->tblModel.recNo(), 0),
                          QStringLiteral("m%1").arg(i), Qt::EditRole);
            frmMathModel->btnModelSave->click();
            frmMathModel->btnModelRefresh->click();
            frmMathModel->btnLevel->click();
            lstLevel->btnLevelCreate->click();
            QTest::keyClicks(frmLevel->editLvlNumber, QStringLiteral("1"));
            QTest::keyClicks(frmLevel->editLvlName, QStringLiteral("L"));
            frmLevel->btnOK->click();
            lstLevel->btnLevelRefresh->click();
            lstLevel->btnLevelRemove->click();
            lstLevel->Button1->click();
            frmMathModel->btnModelRemove->click();
            QVERIFY2(f->errors.count() == 0, qPrintable(f->errors.texts().join(QLatin1Char(' '))));
        });
        QCOMPARE(f->store->count(QStringLiteral("MATHMODEL")),
                 1); // the last removal is still held back
        QCOMPARE(f->store->count(QStringLiteral("MATHLEVEL")), 0);
        if (TestStore::driver() == TestStore::Driver::SQLite)
            QCOMPARE(f->store->rows(QStringLiteral("PRAGMA integrity_check")).first(),
                     QStringLiteral("ok"));
    }

    void calculations()
    {
        QVERIFY_STORE(f->store->addSample());
        f->start();
        const int count = cycles("KEROVA_SOAK_CALCULATIONS", 1000);
        run("calculations", count, [&](int) {
            frmExecute->btnCalc->click();
            QVERIFY(f->errors.count() == 0 && f->messages.count() == 0);
        });
        QCOMPARE(frmTblOut->tblOut->colCount(), 10);
    }
};

KEROVA_TEST(SoakTest)
#include "SoakTest.moc"
