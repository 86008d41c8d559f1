#include "engine/AliasConfig.h"

#include "engine/EngineError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

QString AliasDefinition::describe() const
{
    if (driver == Driver::SQLite)
        return QStringLiteral("sqlite:") + path;
    return QStringLiteral("postgresql://%1@%2:%3/%4").arg(user, host).arg(port).arg(dbname);
}

QString AliasConfig::configPath()
{
    const QString fromEnv = qEnvironmentVariable("KEROVA_ENGINE_CONFIG");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/kerova/engine.ini");
}

QString AliasConfig::defaultStorePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/kerova/model.sqlite");
}

namespace {

// A password in a file that others may read is a password given away.
void warnIfExposed(const QString& ini, const AliasDefinition& def)
{
    if (def.password.isEmpty())
        return;
    const QFile::Permissions others = QFile::ReadGroup | QFile::ReadOther;
    if (QFile::permissions(ini) & others)
        qWarning("The engine configuration %s holds a password and is readable by other users; "
                 "restrict it with chmod 600",
                 qPrintable(ini));
}

} // namespace

AliasDefinition AliasConfig::resolve(const QString& alias)
{
    AliasDefinition def;
    def.alias = alias;
    const QString ini = configPath();
    QSettings settings(ini, QSettings::IniFormat);
    if (!QFileInfo::exists(ini) || !settings.childGroups().contains(alias, Qt::CaseInsensitive)) {
        def.path = defaultStorePath();
        def.isDefault = true;
        return def;
    }
    for (const QString& group : settings.childGroups())
        if (group.compare(alias, Qt::CaseInsensitive) == 0)
            settings.beginGroup(group);

    const QString driver = settings.value(QStringLiteral("driver")).toString().toLower();
    if (driver == QLatin1String("sqlite")) {
        def.path = settings.value(QStringLiteral("path")).toString();
        if (def.path.isEmpty())
            throw EngineError(QStringLiteral("Псевдоним %1 в %2: не указан путь к файлу базы данных (path)")
                                  .arg(alias, ini));
        def.path = QDir::cleanPath(QDir(QFileInfo(ini).absolutePath()).absoluteFilePath(def.path));
        def.maxPageCount = settings.value(QStringLiteral("max_page_count"), 0).toInt();
    } else if (driver == QLatin1String("postgresql")) {
        def.driver = AliasDefinition::Driver::PostgreSQL;
        def.host = settings.value(QStringLiteral("host"), QStringLiteral("localhost")).toString();
        def.port = settings.value(QStringLiteral("port"), 5432).toInt();
        def.dbname = settings.value(QStringLiteral("dbname")).toString();
        def.user = settings.value(QStringLiteral("user")).toString();
        def.password = settings.value(QStringLiteral("password")).toString();
        warnIfExposed(ini, def);
    } else {
        throw EngineError(QStringLiteral("Псевдоним %1 в %2: неизвестный драйвер «%3» (ожидается sqlite или postgresql)")
                              .arg(alias, ini, driver));
    }
    return def;
}
