// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/ComponentPalette.h"
#include "samples/SamplePalette.h"
#include "testutil/TestRegistry.h"

#include <QPluginLoader>
#include <QTest>
#include <memory>

// The build passes whether it makes the plugin; a test compiled without
// being told would skip where it should fail.
#ifndef KEROVA_DESIGNER_PLUGIN_BUILT
#error "KEROVA_DESIGNER_PLUGIN_BUILT not given by the build"
#endif
#if KEROVA_DESIGNER_PLUGIN_BUILT
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#endif

// The Qt Designer plugin offers every component of the palette, in one
// group, and creates each of them.
class DesignerPluginTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pluginOffersEveryPaletteEntry()
    {
#if !KEROVA_DESIGNER_PLUGIN_BUILT
        QSKIP("This build makes no Designer plugin (Qt's Designer development files missing)");
#else
        SamplePalette::registerAll();
        const auto& entries = ComponentPalette::entries();
        QVERIFY(!entries.empty());

        QPluginLoader loader(QStringLiteral(KEROVA_DESIGNER_PLUGIN));
        QVERIFY2(loader.load(), qPrintable(loader.errorString()));
        auto* collection =
            qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
        QVERIFY(collection);
        const QList<QDesignerCustomWidgetInterface*> widgets = collection->customWidgets();
        QCOMPARE(widgets.size(), qsizetype(entries.size()));

        // Other tests of this process may have registered units in another
        // order than the plugin did: match the entries by class name.
        QWidget form;
        for (QDesignerCustomWidgetInterface* widget : widgets) {
            const ComponentPalette::Entry* found = ComponentPalette::find(widget->name());
            QVERIFY2(found, qPrintable(widget->name()));
            const ComponentPalette::Entry& entry = *found;
            QCOMPARE(widget->group(), widgets.front()->group());
            QCOMPARE(widget->includeFile(), entry.includeFile);
            QVERIFY2(!widget->icon().pixmap(24, 24).isNull(), qPrintable(entry.className));
            QVERIFY(widget->domXml().contains(QStringLiteral("class=\"%1\"").arg(entry.className)));
            std::unique_ptr<QWidget> created(widget->createWidget(&form));
            QVERIFY(created);
            QCOMPARE(QString::fromLatin1(created->metaObject()->className()), entry.className);
            QCOMPARE(created->parentWidget(), &form);
            // A dropped component arrives in the size its constructor gives it.
            const QString size = QStringLiteral("<width>%1</width><height>%2</height>")
                                     .arg(created->width())
                                     .arg(created->height());
            QVERIFY2(widget->domXml().contains(size), qPrintable(widget->domXml()));
        }
        QVERIFY(!widgets.front()->group().isEmpty());
#endif
    }

    // Designer would drop a component without a size hint as a 16 × 16 square.
    void droppedComponentHasItsDefaultSize_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QSize>("size");
        QTest::newRow("gauge") << "TCGauge" << QSize(100, 100);
        QTest::newRow("performance graph") << "TPerformanceGraph" << QSize(100, 100);
        QTest::newRow("colour grid") << "TCColorGrid" << QSize(100, 100);
        QTest::newRow("calendar") << "TCCalendar" << QSize(320, 120);
        QTest::newRow("directory outline") << "TCDirectoryOutline" << QSize(121, 97);
    }
    void droppedComponentHasItsDefaultSize()
    {
#if !KEROVA_DESIGNER_PLUGIN_BUILT
        QSKIP("This build makes no Designer plugin (Qt's Designer development files missing)");
#else
        QFETCH(QString, className);
        QFETCH(QSize, size);
        SamplePalette::registerAll();
        QPluginLoader loader(QStringLiteral(KEROVA_DESIGNER_PLUGIN));
        auto* collection =
            qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
        QVERIFY2(collection, qPrintable(loader.errorString()));
        QString xml;
        for (QDesignerCustomWidgetInterface* widget : collection->customWidgets())
            if (widget->name() == className)
                xml = widget->domXml();
        const QString geometry = QStringLiteral("<width>%1</width><height>%2</height>")
                                     .arg(size.width())
                                     .arg(size.height());
        QVERIFY2(xml.contains(geometry), qPrintable(xml));
#endif
    }
};

KEROVA_TEST(DesignerPluginTest)
#include "DesignerPluginTest.moc"
