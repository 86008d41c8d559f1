// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/Frmexec.h"
#include "editing/Formlevel.h"
#include "results/Formout.h"
#include "results/Formparm.h"
#include "results/Formtblout.h"
#include "results/PictureSizeDialog.h"
#include "testutil/EditingFixture.h"
#include "testutil/TestRegistry.h"
#include "toolkit/HelpWindow.h"

#include <QCheckBox>
#include <QDebug>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

// Every window at its first size, at the font and scale the suite runs
// under (KEROVA_TEST_VARIANT: default, dpi144, dpi144scaled, scale2), on a 1366 × 768
// screen: each caption whole, no control over another, every control in
// sight when Tab reaches it, the window on the
// screen with room for a title bar and a panel (16 × 64 device pixels),
// which the test's bare X screen does not draw.
class FontWalkTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<EditingFixture> f;

    // The text does not fit the room the control gives it.
    static bool cut(const QWidget* w, const QRect& room, const QString& text, int flags = 0)
    {
        const QRect need = w->fontMetrics().boundingRect(room, flags, text);
        return need.width() > room.width() || need.height() > room.height();
    }

    static bool captionCut(QWidget* w)
    {
        if (auto* label = qobject_cast<QLabel*>(w))
            return cut(label, label->contentsRect(),
                       QString(label->text()).remove(QLatin1Char('&')),
                       label->wordWrap() ? Qt::TextWordWrap : 0);
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<QRadioButton*>(w))
            contents = QStyle::SE_RadioButtonContents;
        else if (qobject_cast<QCheckBox*>(w))
            contents = QStyle::SE_CheckBoxContents;
        else if (!qobject_cast<QPushButton*>(w))
            return false;
        auto* button = static_cast<QAbstractButton*>(w);
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room = w->style()->subElementRect(contents, &option, w);
        return cut(w, room, QString(button->text()).remove(QLatin1Char('&')));
    }

    static QRect titleOf(QGroupBox* box)
    {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.textAlignment = box->alignment();
        return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                            box);
    }

    // Containers whose controls the walk compares; other widgets are leaves.
    static bool holdsControls(QWidget* w)
    {
        return qobject_cast<QGroupBox*>(w) || w->metaObject() == &QWidget::staticMetaObject;
    }

    static void walk(QWidget* parent, QWidget* window, QStringList& faults)
    {
        QList<QWidget*> shown;
        for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->isWindow() && child->isVisibleTo(window))
                shown << child;
        auto* box = qobject_cast<QGroupBox*>(parent);
        const QRect title = box && !box->title().isEmpty() ? titleOf(box) : QRect();
        if (box && title.right() >= box->width())
            faults << box->objectName() + ": title cut";
        for (qsizetype i = 0; i < shown.size(); ++i) {
            QWidget* a = shown[i];
            const QString name = a->objectName();
            if (captionCut(a))
                faults << name + ": caption cut";
            if (!parent->rect().contains(a->geometry()))
                faults << name + ": outside " + parent->objectName();
            if (title.intersects(a->geometry()))
                faults << name + ": over the title of " + parent->objectName();
            for (qsizetype j = i + 1; j < shown.size(); ++j)
                if (a->geometry().intersects(shown[j]->geometry()))
                    faults << name + " over " + shown[j]->objectName();
            if (auto* scroll = qobject_cast<QScrollArea*>(a); scroll && scroll->widget())
                walk(scroll->widget(), window, faults);
            else if (holdsControls(a))
                walk(a, window, faults);
        }
    }

    // Tab from control to control round the window: each one it reaches is
    // in sight (whole, or over half the window when it is larger than
    // that), the window scrolled to it where it is cut down.
    static void tabRound(QWidget* window, QStringList& faults)
    {
        window->activateWindow();
        QWidget* first = window->focusWidget();
        if (!first) {
            QTest::keyClick(window, Qt::Key_Tab);
            first = window->focusWidget();
        }
        QWidget* at = first;
        for (int stops = 0; at && stops < 100; ++stops) {
            const QRect place(at->mapTo(window, QPoint()), at->size());
            const QRect shown = place.intersected(window->rect());
            if (shown.width() < qMin(place.width(), window->width() / 2) ||
                shown.height() < qMin(place.height(), window->height() / 2))
                faults << at->objectName() + ": out of sight when Tab reaches it";
            QTest::keyClick(at, Qt::Key_Tab);
            at = window->focusWidget();
            if (at == first)
                return;
        }
        faults << QStringLiteral("Tab never comes round");
    }

    static QWidget* window(const QString& name)
    {
        if (name == QLatin1String("frmHelp"))
            return HelpWindow::showSection(QStringLiteral("calculation"));
        if (name == QLatin1String("dlgPictureSize")) {
            auto* dialog = new PictureSizeDialog(QSize(800, 600), frmOutput);
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            dialog->setObjectName(name);
            return dialog;
        }
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == name)
                return top;
        return nullptr;
    }

private Q_SLOTS:
    void initTestCase()
    {
        f = std::make_unique<EditingFixture>();
        f->app = std::make_unique<Application>(f->argc, nullptr);
        Startup::createObjects(*f->app);
        const QString variant = qEnvironmentVariable("KEROVA_TEST_VARIANT");
        const QHash<QString, std::pair<qreal, qreal>> dpiAndRatio{{"default", {96, 1}},
                                                                  {"dpi144", {144, 1}},
                                                                  {"dpi144scaled", {96, 1.5}},
                                                                  {"scale2", {96, 2}}};
        QVERIFY2(dpiAndRatio.contains(variant), qPrintable(variant));
        QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(screen->logicalDotsPerInchY(), dpiAndRatio[variant].first);
        QCOMPARE(screen->devicePixelRatio(), dpiAndRatio[variant].second);
        QCOMPARE(screen->geometry().size(),
                 (QSizeF(1366, 768) / screen->devicePixelRatio()).toSize());
    }
    void cleanupTestCase() { f.reset(); }

    void windowHoldsAtThisFont_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"frmMathModel", "lstLevel", "frmLevel", "frmExecute", "frmOutput",
                                 "frmTblOut", "frmShowParam", "frmHelp", "dlgPictureSize"})
            QTest::newRow(name) << name;
    }
    void windowHoldsAtThisFont()
    {
        QFETCH(QString, name);
        QWidget* w = window(name);
        QVERIFY(w);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QStringList faults;
        walk(w, w, faults);
        tabRound(w, faults);
        const qreal ratio = w->devicePixelRatioF();
        const QRect frame = w->frameGeometry();
        const QRect screen(QPoint(), QSize(1366 - 16, 768 - 64));
        if (!screen.contains(QRectF(QPointF(frame.topLeft()) * ratio, QSizeF(frame.size()) * ratio)
                                 .toAlignedRect())) {
            QString text;
            QDebug(&text) << "frame" << frame << "at ratio" << ratio << "off the screen";
            faults << text;
        }
        w->close();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

KEROVA_TEST(FontWalkTest)
#include "FontWalkTest.moc"
