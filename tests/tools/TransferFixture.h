// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Schema.h"
#include "testutil/TestStore.h"
#include "testutil/ToolRun.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QTest>
#include <memory>

// What the suites of kerova-engine export, import and copy share: a fresh
// store for each test, the tool run on it, files in the store's folder, and
// what a store holds as its export sees it.
class TransferFixture : public QObject
{
protected:
    std::unique_ptr<TestStore> store;

    static ToolRun engine(const QStringList& args, const QStringList& env = {})
    {
        return ToolRun::run(QStringLiteral(KEROVA_ENGINE_TOOL), args, env);
    }

    QString file(const QString& name) const { return store->folder() + QLatin1Char('/') + name; }

    void writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile out(file(name));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    // A second store, an SQLite file in the test's folder, as the alias OTHER.
    void addOther()
    {
        store->addAlias(
            QStringLiteral("OTHER"),
            QStringLiteral("driver=sqlite\npath=%1\n").arg(file(QStringLiteral("other.sqlite"))));
    }

    // A document without its time, which is all that may differ between two exports.
    static QByteArray withoutTime(QByteArray document)
    {
        const qsizetype at = document.indexOf("\"time\": \"");
        const qsizetype end = document.indexOf('"', at + 9);
        return at < 0 ? document : document.remove(at, end - at + 1);
    }

    QByteArray exportedWithoutTime(const QString& alias = QStringLiteral("MODEL"))
    {
        const ToolRun run = engine({QStringLiteral("export"), alias});
        return run.exitCode == 0 ? withoutTime(run.out.toUtf8()) : run.err.toUtf8();
    }

    // What a store holds: its export and, for SQLite, the bytes of its file.
    QByteArray fingerprint(const QString& alias, const QStringList& env = {})
    {
        const ToolRun run = engine({QStringLiteral("export"), alias}, env);
        QByteArray print = run.exitCode == 0 ? withoutTime(run.out.toUtf8()) : run.err.toUtf8();
        QFile sqlite(store->sqlitePath());
        if (TestStore::driver() == TestStore::Driver::SQLite && sqlite.open(QIODevice::ReadOnly))
            print += QCryptographicHash::hash(sqlite.readAll(), QCryptographicHash::Sha256);
        return print;
    }

    // A document of `count` models (keys from `first` on, names "<tag><key>"), each with
    // `levels` levels.
    static QByteArray modelsDocument(int first, int count, int levels, const QString& tag)
    {
        QJsonArray models, rows;
        for (int key = first; key < first + count; ++key) {
            models.append(QJsonObject{{QStringLiteral("MODID"), key},
                                      {QStringLiteral("MODNAME"), tag + QString::number(key)},
                                      {QStringLiteral("MODCOMMENT"), QJsonValue::Null}});
            for (int level = 1; level <= levels; ++level) {
                QJsonObject row;
                for (const Schema::Column& c : Schema::tables()[1].columns)
                    row.insert(c.name, QJsonValue::Null);
                row.insert(QStringLiteral("MODID"), key);
                row.insert(QStringLiteral("LVLID"), level);
                row.insert(QStringLiteral("LVLNUMBER"),
                           level); // the level rules hold in import too
                row.insert(QStringLiteral("LVLNAME"), QStringLiteral("L%1").arg(level));
                rows.append(row);
            }
        }
        return QJsonDocument(QJsonObject{{QStringLiteral("format"), QStringLiteral("kerova-store")},
                                         {QStringLiteral("version"), 1},
                                         {QStringLiteral("models"), models},
                                         {QStringLiteral("levels"), rows}})
            .toJson();
    }
};
