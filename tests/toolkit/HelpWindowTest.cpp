// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/HelpWindow.h"
#include "testutil/MessageRecorder.h"
#include "testutil/TestRegistry.h"
#include "toolkit/TForm.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <memory>

// The help window: F1 and «Справка» open the manual at the asking window's
// section, the manual's own links move within it, Esc closes it.
class HelpWindowTest : public QObject
{
    Q_OBJECT

    static QTextBrowser* text() { return HelpWindow::current()->txtHelp; }
    static QString heading() { return text()->textCursor().block().text(); }
    // The section's heading is the block the cursor is in, and it is in view.
    static bool headingInView()
    {
        return text()->textCursor().block().blockFormat().headingLevel() > 0 &&
               text()->viewport()->rect().contains(text()->cursorRect().center());
    }
    static std::unique_ptr<TForm> asking(const QString& anchor)
    {
        auto form = std::make_unique<TForm>();
        form->setObjectName(QStringLiteral("frmAsking"));
        form->setHelpAnchor(anchor);
        return form;
    }
    // Right-clicks the widget and chooses «Справка» with the arrow keys and
    // Enter; returns the menu's entries with their shortcuts.
    static QStringList chooseHelp(QWidget* widget)
    {
        auto shown = std::make_shared<QStringList>();
        QTimer::singleShot(0, widget, [shown] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions())
                *shown << action->text() + QLatin1Char('|') + action->shortcut().toString();
            for (int i = 0; i < shown->size() &&
                            (!menu->activeAction() || menu->activeAction()->text() != "Справка");
                 ++i)
                QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        const QPoint at = widget->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &event);
        return *shown;
    }

private Q_SLOTS:
    void cleanup()
    {
        if (HelpWindow::current())
            HelpWindow::current()->close();
    }

    void f1OpensTheSection_data()
    {
        QTest::addColumn<QString>("anchor");
        QTest::addColumn<QString>("expected");
        const QList<std::pair<const char*, const char*>> sections{
            {"starting", "Запуск Kerova"},
            {"models", "Окно моделей «Модели»"},
            {"levels", "Список уровней «Уровни» и редактор уровня"},
            {"keys", "Клавиши"},
            {"numbers", "Числа и ошибки хранилища"},
            {"calculation", "Окно расчетов «Расчеты»"},
            {"formulas", "Параметры уровня и формулы"},
            {"chart", "Окно диаграммы «Результаты (диаграмма) »"},
            {"table", "Окно таблицы «Результаты (таблица)»"},
            {"listing", "Перечень параметров «Параметры»"},
            {"comparing", "Сравнение с прежним результатом"},
            {"gallery", "Окна результата без хранилища: kerova-gallery"},
            {"takeaway", "Как вынести результат: копирование, CSV, изображения"},
            {"takeaway-table", "Окно таблицы (\"Результаты (таблица)\")"},
            {"takeaway-chart", "Окно диаграммы (\"Результаты (диаграмма) \")"},
            {"sweep", "Расчет без окна: kerova-sweep"},
            {"sweep-options", "Параметры командной строки"},
            {"sweep-output", "Вывод и код завершения"},
            {"administration", "Администрирование хранилища: kerova-engine"},
            {"size-limits", "Ограничения размера"}};
        for (const auto& [anchor, expected] : sections)
            QTest::newRow(anchor) << QString(anchor) << QString(expected);
    }
    void f1OpensTheSection()
    {
        QFETCH(QString, anchor);
        QFETCH(QString, expected);
        const auto form = asking(anchor);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(form.get(), Qt::Key_F1);
        QVERIFY(HelpWindow::current() && HelpWindow::current()->isVisible());
        QCOMPARE(heading(), expected);
        QVERIFY(headingInView());
    }

    // «Справка» (F1) ends the window's own menu and every menu of its controls.
    void menuCommandOpensTheSection_data()
    {
        QTest::addColumn<bool>("onControl");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("window") << false << QStringList{"Справка|F1"};
        QTest::newRow("control with a menu")
            << true << QStringList{"Копировать|Ctrl+C", "|", "Справка|F1"};
    }
    void menuCommandOpensTheSection()
    {
        QFETCH(bool, onControl);
        QFETCH(QStringList, entries);
        const auto form = asking(QStringLiteral("chart"));
        auto* control = new QWidget(form.get());
        control->setGeometry(10, 10, 100, 50);
        auto* copy = new QAction(QStringLiteral("Копировать"), control);
        copy->setShortcut(QKeySequence::Copy);
        control->addAction(copy);
        control->setContextMenuPolicy(Qt::ActionsContextMenu);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(chooseHelp(onControl ? control : form.get()), entries);
        QVERIFY(HelpWindow::current() && HelpWindow::current()->isVisible());
        QCOMPARE(heading(), QStringLiteral("Окно диаграммы «Результаты (диаграмма) »"));
    }

    // One help window serves every window; Esc closes it and F1 brings it back.
    void escCloses()
    {
        const auto first = asking(QStringLiteral("models"));
        const auto second = asking(QStringLiteral("sweep"));
        first->show();
        QVERIFY(QTest::qWaitForWindowActive(first.get()));
        QTest::keyClick(first.get(), Qt::Key_F1);
        HelpWindow* help = HelpWindow::current();
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help->txtHelp, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
        second->show();
        QVERIFY(QTest::qWaitForWindowActive(second.get()));
        QTest::keyClick(second.get(), Qt::Key_F1);
        QCOMPARE(HelpWindow::current(), help);
        QVERIFY(help->isVisible());
        QCOMPARE(heading(), QStringLiteral("Расчет без окна: kerova-sweep"));
    }

    // Tab reaches the links of the text and Enter follows one: a link into
    // the manual moves to its section, a link out of it is refused with a box.
    void linksOfTheManual_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("into the manual") << "levels"
                                         << "Параметры уровня и формулы" << QStringList();
        QTest::newRow("out of it")
            << "administration"
            << "Администрирование хранилища: kerova-engine"
            << QStringList{"Ссылка «administration.md» ведет за пределы руководства; этот "
                           "документ справка не показывает."};
    }
    void linksOfTheManual()
    {
        QFETCH(QString, from);
        QFETCH(QString, expected);
        QFETCH(QStringList, boxes);
        MessageRecorder messages;
        HelpWindow* help = HelpWindow::showSection(from);
        QVERIFY(QTest::qWaitForWindowActive(help));
        help->txtHelp->setFocus();
        QTest::keyClick(help->txtHelp, Qt::Key_Tab); // the section's first link
        QTest::keyClick(help->txtHelp, Qt::Key_Return);
        QCOMPARE(messages.texts(), boxes);
        if (boxes.isEmpty())
            QCOMPARE(heading(), expected);
        QVERIFY(help->isVisible());
    }

    // The pictures of the manual are built in beside it, and wide ones fit the window.
    void picturesAreBuiltIn()
    {
        const QTextDocument* document =
            HelpWindow::showSection(QStringLiteral("models"))->txtHelp->document();
        QStringList missing;
        int pictures = 0;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextImageFormat picture = it.fragment().charFormat().toImageFormat();
                if (!picture.isValid())
                    continue;
                ++pictures;
                const QImage image(QStringLiteral(":/help/") + picture.name());
                if (image.isNull())
                    missing << picture.name();
                QVERIFY(picture.width() > 0 ? picture.width() <= 640 : image.width() <= 640);
            }
        QCOMPARE(missing, QStringList());
        QCOMPARE(pictures, 8);
    }
};

KEROVA_TEST(HelpWindowTest)
#include "HelpWindowTest.moc"
