// SPDX-License-Identifier: GPL-3.0-or-later
#include "testutil/TestRegistry.h"
#include "toolkit/QuestionService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

// The question box itself, answered as a user answers it: its Russian
// buttons, Enter for «Да», Esc for «Отмена» (or «Нет» where there is none).
class QuestionBoxTest : public QObject
{
    Q_OBJECT
    using Answer = QuestionService::Answer;
    using Buttons = QuestionService::Buttons;
    using Default = QuestionService::Default;

private Q_SLOTS:
    void answers_data()
    {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<Default>("byDefault");
        QTest::addColumn<QString>("press"); // a button's caption, or a key
        QTest::addColumn<Answer>("answer");
        const Buttons three = Buttons::YesNoCancel, two = Buttons::YesNo;
        QTest::newRow("Да") << three << Default::Yes << "Да" << Answer::Yes;
        QTest::newRow("Нет") << three << Default::Yes << "Нет" << Answer::No;
        QTest::newRow("Отмена") << three << Default::Yes << "Отмена" << Answer::Cancel;
        QTest::newRow("Enter") << three << Default::Yes << "Enter" << Answer::Yes;
        QTest::newRow("Esc") << three << Default::Yes << "Esc" << Answer::Cancel;
        QTest::newRow("Да, Нет: Нет") << two << Default::Yes << "Нет" << Answer::No;
        QTest::newRow("Да, Нет: Esc") << two << Default::Yes << "Esc" << Answer::No;
        // A deletion's question: Enter never destroys.
        QTest::newRow("deletion: Enter") << two << Default::No << "Enter" << Answer::No;
        QTest::newRow("deletion: Да") << two << Default::No << "Да" << Answer::Yes;
    }
    void answers()
    {
        QFETCH(Buttons, buttons);
        QFETCH(Default, byDefault);
        QFETCH(QString, press);
        QFETCH(Answer, answer);
        const QuestionService::Sink previous = QuestionService::setSink({});
        QStringList seen;
        std::function<void()> answerBox = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) { // not up yet: look again
                QTimer::singleShot(10, answerBox);
                return;
            }
            seen << box->windowTitle() << box->text();
            const QList<QAbstractButton*> all = box->buttons();
            for (QAbstractButton* button : all)
                seen << button->text();
            const auto named = std::find_if(all.begin(), all.end(),
                                            [&](QAbstractButton* b) { return b->text() == press; });
            if (named != all.end())
                (*named)->click();
            else
                QTest::keyClick(box,
                                press == QLatin1String("Esc") ? Qt::Key_Escape : Qt::Key_Return);
        };
        QTimer::singleShot(0, answerBox);
        const Answer given = QuestionService::ask(QStringLiteral("Сохранить изменения?"),
                                                  QStringLiteral("Модели"), buttons, byDefault);
        QuestionService::setSink(previous);
        QStringList expected{"Модели", "Сохранить изменения?", "Да", "Нет"};
        if (buttons == Buttons::YesNoCancel)
            expected << "Отмена";
        seen.sort();
        expected.sort();
        QCOMPARE(seen, expected);
        QCOMPARE(given, answer);
    }
};

KEROVA_TEST(QuestionBoxTest)
#include "QuestionBoxTest.moc"
