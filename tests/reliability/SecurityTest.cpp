// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/AliasConfig.h"
#include "engine/Database.h"
#include "testutil/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The store and the engine's configuration are the user's alone.
class SecurityTest : public QObject
{
    Q_OBJECT

    static QString writeIni(const QTemporaryDir& dir, const QString& body,
                            QFile::Permissions permissions)
    {
        const QString path = dir.filePath(QStringLiteral("engine.ini"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(body.toUtf8());
        file.close();
        file.setPermissions(permissions);
        return path;
    }

private Q_SLOTS:
    void cleanup() { qunsetenv("KEROVA_ENGINE_CONFIG"); }

    // The default store is made on first use, readable and writable by the user only.
    void defaultStoreIsPrivate()
    {
        QTemporaryDir home;
        const QByteArray previous = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        qputenv("KEROVA_ENGINE_CONFIG", home.filePath(QStringLiteral("none.ini")).toUtf8());
        const QString path = AliasConfig::defaultStorePath();
        {
            Database db(QStringLiteral("MODEL"), QStringLiteral("PRIVATE"));
            db.open();
            db.exec(QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (1, 'x')"));
            QVERIFY(QFile::exists(path + QStringLiteral("-wal")));
            for (const QString& file : {path, path + QStringLiteral("-wal")})
                QCOMPARE(QFile::permissions(file) & ~(QFile::ReadUser | QFile::WriteUser),
                         QFile::ReadOwner | QFile::WriteOwner);
        }
        if (previous.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", previous);
        QVERIFY(path.startsWith(home.path()));
    }

    void passwordInAnIniOthersCanReadIsWarnedAbout_data()
    {
        QTest::addColumn<int>("permissions");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("warned");
        const int own = int(QFile::ReadOwner | QFile::WriteOwner);
        QTest::newRow("world-readable with a password")
            << (own | int(QFile::ReadOther)) << "secret" << true;
        QTest::newRow("group-readable with a password")
            << (own | int(QFile::ReadGroup)) << "secret" << true;
        QTest::newRow("private with a password") << own << "secret" << false;
        QTest::newRow("world-readable without a password")
            << (own | int(QFile::ReadOther)) << "" << false;
    }
    void passwordInAnIniOthersCanReadIsWarnedAbout()
    {
        QFETCH(int, permissions);
        QFETCH(QString, password);
        QFETCH(bool, warned);
        QTemporaryDir dir;
        const QString ini = writeIni(
            dir,
            QStringLiteral("[MODEL]\ndriver=postgresql\nhost=h\ndbname=d\nuser=u\npassword=%1\n")
                .arg(password),
            QFile::Permissions(permissions));
        qputenv("KEROVA_ENGINE_CONFIG", ini.toUtf8());
        const QRegularExpression warning(
            QStringLiteral("содержит пароль и доступен для чтения другим пользователям"));
        if (warned)
            QTest::ignoreMessage(QtWarningMsg, warning);
        else
            QTest::failOnWarning(warning);
        const AliasDefinition def = AliasConfig::resolve(QStringLiteral("MODEL"));
        QCOMPARE(def.password, password);
        QVERIFY(!def.describe().contains(QStringLiteral("secret")));
    }
};

KEROVA_TEST(SecurityTest)
#include "SecurityTest.moc"
