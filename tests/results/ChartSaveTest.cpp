// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChosenPath.h"
#include "ChosenSize.h"
#include "chart/ChartImage.h"
#include "chart/TChartControl.h"
#include "results/Formout.h"
#include "testutil/ErrorRecorder.h"
#include "testutil/TestRegistry.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>
#include <memory>

// The chart window's pictures of the flat view: PNG, vector SVG and PDF with
// the inputs in their metadata, the clipboard, a failed save.
class ChartSaveTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TfrmOutput> window;
    std::unique_ptr<QTemporaryDir> folder;
    const QStringList inputs{QStringLiteral("Расчет: 2026-12-07 09:15:03"),
                             QStringLiteral("Показатель Х: Потери при задержке; от 10")};

    QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString save(const QString& name)
    {
        const QString path = folder->filePath(name);
        ChosenPath chosen(path);
        ChosenSize ownSize;
        window->saveImageAction()->trigger();
        return path;
    }

private Q_SLOTS:
    void init()
    {
        window = std::make_unique<TfrmOutput>();
        folder = std::make_unique<QTemporaryDir>();
        TChartControl* chart = window->Chart1;
        chart->FinishData(TChartControl::ValuesKind);
        chart->StartData(TChartControl::ValuesKind, 2, 3);
        for (qint16 s = 0; s < 2; ++s) {
            chart->ThisSerie(s);
            for (qint16 p = 0; p < 3; ++p)
                chart->PointValue(p, 1.5 * (s + 1) * (p + 1));
        }
        chart->TitleText(TChartControl::ChartTitleSlot, QStringLiteral("Количество узлов"));
        chart->TitleText(TChartControl::PointAxisTitleSlot,
                         QStringLiteral("Потери связанные с задержкой"));
        chart->setInputLines(inputs);
        window->resize(800, 600);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup()
    {
        window.reset();
        folder.reset();
    }

    // SVG: well-formed XML whose text elements carry the titles, the inputs in <desc>.
    void svgIsVectorWithTitlesAndInputs()
    {
        const QByteArray svg = read(save(QStringLiteral("диаграмма.svg")));
        QXmlStreamReader xml(svg);
        QStringList texts;
        QString description;
        int paths = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("text"))
                texts << xml.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (xml.name() == QLatin1String("desc"))
                description = xml.readElementText();
            else if (xml.name() == QLatin1String("path") || xml.name() == QLatin1String("polyline"))
                ++paths;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        const QString all = texts.join(QLatin1Char('|'));
        QVERIFY2(all.contains(QStringLiteral("Количество узлов")), qPrintable(all));
        QVERIFY2(all.contains(QStringLiteral("Потери связанные с задержкой")), qPrintable(all));
        QCOMPARE(description, inputs.join(QLatin1Char('\n')));
        QVERIFY(paths > 0);
        QVERIFY(!svg.contains("<image"));
    }

    void pngCarriesTheInputs()
    {
        const QString path = save(QStringLiteral("диаграмма.PNG"));
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("png"));
        // Qt's reader folds the line breaks of a text chunk into blanks.
        QCOMPARE(reader.text(QStringLiteral("Description")), inputs.join(QLatin1Char(' ')));
        QCOMPARE(reader.text(QStringLiteral("Title")), QStringLiteral("Количество узлов"));
        const QImage image = reader.read();
        QCOMPARE(image.size(), ChartImage::flatSize(*window->Chart1));
    }

    void pdfIsAPageWithTheTitle()
    {
        const QByteArray pdf = read(save(QStringLiteral("диаграмма.pdf")));
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.contains("/Title"));
        QVERIFY(pdf.contains("%%EOF"));
    }

    // A chart spread wider than any picture is scaled down to fit, not refused.
    void veryWideChartIsScaledDown()
    {
        window->Chart1->PixFactor(30000);
        QTRY_VERIFY(ChartImage::flatSize(*window->Chart1).width() > ChartImage::MaxPictureSide);
        const QImage image(save(QStringLiteral("широкая.png")));
        QCOMPARE(image.width(), ChartImage::MaxPictureSide);
        QVERIFY(image.height() > 0);
        QVERIFY(read(save(QStringLiteral("широкая.pdf"))).startsWith("%PDF-"));
    }

    void copyPutsThePictureOnTheClipboard()
    {
        QGuiApplication::clipboard()->clear();
        window->copyImageAction()->trigger();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), ChartImage::flatSize(*window->Chart1));
    }

    void failedSaveIsReported()
    {
        ErrorRecorder errors;
        save(QStringLiteral("нет такой папки/диаграмма.svg"));
        QCOMPARE(errors.count(), 1);
        QVERIFY(errors.texts().first().startsWith(QStringLiteral("Не удалось сохранить файл «")));
        QCOMPARE(window->Chart1->inputLines(), inputs);
    }

    // A right click inside the flat chart's view reaches the chart's menu.
    void rightClickInTheViewOpensTheMenu()
    {
        auto* view = window->Chart1->findChild<QGraphicsView*>(QStringLiteral("flatChartView"));
        QVERIFY(view);
        QTRY_VERIFY(view->isVisible());
        // The menu runs its own event loop; the timer reads and closes it from there.
        auto shown = std::make_shared<QStringList>();
        QTimer::singleShot(0, this, [shown] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions())
                    *shown << action->text();
                menu->close();
            }
        });
        const QPoint at = view->viewport()->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &event);
        QCOMPARE(*shown, (QStringList{"Сохранить изображение…", "Копировать изображение", "Печать…",
                                      "Закрепить для сравнения", "Открепить", "", "Справка"}));
    }

    void formatsBySuffixAndMenu()
    {
        QCOMPARE(ChartImage::formatOf(QStringLiteral("a.SVG")), ChartImage::Format::Svg);
        QCOMPARE(ChartImage::formatOf(QStringLiteral("a.pdf")), ChartImage::Format::Pdf);
        QCOMPARE(ChartImage::formatOf(QStringLiteral("a.png")), ChartImage::Format::Png);
        QCOMPARE(ChartImage::formatOf(QStringLiteral("a")), ChartImage::Format::Png);
        QCOMPARE(SaveDialog::suffixOf(QStringLiteral("Документ PDF (*.pdf)")),
                 QStringLiteral("pdf"));
        QCOMPARE(window->Chart1->contextMenuPolicy(), Qt::ActionsContextMenu);
        QStringList captions;
        for (QAction* action : window->Chart1->actions())
            captions << action->text();
        QCOMPARE(captions,
                 (QStringList{"Сохранить изображение…", "Копировать изображение", "Печать…",
                              "Закрепить для сравнения", "Открепить", "", "Справка"}));
        QCOMPARE(window->Chart1->toolTip(), inputs.join(QLatin1Char('\n')));
    }
};

KEROVA_TEST(ChartSaveTest)
#include "ChartSaveTest.moc"
