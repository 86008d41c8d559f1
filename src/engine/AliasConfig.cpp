// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/AliasConfig.h"

#include "engine/EngineError.h"
#include "engine/IniFile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString AliasDefinition::describe() const
{
    if (driver == Driver::SQLite)
        return QStringLiteral("sqlite:") + path;
    return QStringLiteral("postgresql://%1@%2:%3/%4").arg(user, host).arg(port).arg(dbname);
}

QString AliasDefinition::source() const
{
    if (!isDefault)
        return QStringLiteral("раздел [%1] в файле конфигурации %2").arg(alias, configPath);
    if (QFileInfo::exists(configPath))
        return QStringLiteral("хранилище по умолчанию, раздела [%1] в файле конфигурации %2 нет")
            .arg(alias, configPath);
    return QStringLiteral("хранилище по умолчанию, файла конфигурации %1 нет").arg(configPath);
}

namespace {

// The INI a command line chose, empty when none did.
QString& chosenConfig()
{
    static QString path;
    return path;
}

} // namespace

void AliasConfig::chooseConfig(const QString& path)
{
    chosenConfig() = QFileInfo(path).absoluteFilePath();
}

QString AliasConfig::configPath()
{
    if (!chosenConfig().isEmpty())
        return chosenConfig();
    const QString fromEnv = qEnvironmentVariable("KEROVA_ENGINE_CONFIG");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kerova/engine.ini");
}

QString AliasConfig::defaultStorePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/kerova/model.sqlite");
}

namespace {

const QStringList kSqliteKeys{QStringLiteral("driver"), QStringLiteral("path"),
                              QStringLiteral("max_page_count")};
const QStringList kPostgresKeys{QStringLiteral("driver"), QStringLiteral("host"),
                                QStringLiteral("port"),   QStringLiteral("dbname"),
                                QStringLiteral("user"),   QStringLiteral("password")};

// A password in a file that others may read is a password given away.
void warnIfExposed(const QString& ini, const AliasDefinition& def)
{
    if (def.password.isEmpty())
        return;
    const QFile::Permissions others = QFile::ReadGroup | QFile::ReadOther;
    if (QFile::permissions(ini) & others)
        qWarning().noquote() << QStringLiteral("Файл конфигурации %1 содержит пароль и доступен "
                                               "для чтения другим пользователям; закройте доступ "
                                               "командой chmod 600 %1")
                                    .arg(ini);
}

// "~/stores/m.sqlite" is in the home folder; any other relative path is
// relative to the folder of the INI file, whatever the working folder.
QString storePath(const QString& configPath, const QString& path)
{
    if (path.startsWith(QLatin1String("~/")))
        return QDir::cleanPath(QDir::homePath() + path.mid(1));
    return QDir::cleanPath(QDir(QFileInfo(configPath).absolutePath()).absoluteFilePath(path));
}

using Section = IniFile::Section;

QString text(const Section& s, const QString& key, const QString& fallback = QString())
{
    const IniFile::Entry* e = s.find(key);
    return e ? e->value : fallback;
}

int number(const IniFile& ini, const Section& s, const QString& key, int fallback)
{
    const IniFile::Entry* e = s.find(key);
    if (!e)
        return fallback;
    bool ok = false;
    const int value = e->value.toInt(&ok);
    if (!ok || value < 0)
        throw EngineError(
            ini.problem(e->line, QStringLiteral("значение «%1» ключа %2 не является целым "
                                                "неотрицательным числом")
                                     .arg(e->value, e->key)));
    return value;
}

// A misspelt key would otherwise be ignored and its setting silently lost.
void requireKnownKeys(const IniFile& ini, const Section& s, const QString& driver,
                      const QStringList& known)
{
    for (const IniFile::Entry& e : s.entries)
        if (!known.contains(e.key, Qt::CaseInsensitive))
            throw EngineError(ini.problem(
                e.line, QStringLiteral("неизвестный ключ «%1» в разделе [%2] "
                                       "(для драйвера %3 допустимы: %4)")
                            .arg(e.key, s.name, driver, known.join(QStringLiteral(", ")))));
}

void readSqlite(const IniFile& ini, const Section& s, AliasDefinition& def)
{
    requireKnownKeys(ini, s, QStringLiteral("sqlite"), kSqliteKeys);
    def.path = text(s, QStringLiteral("path"));
    if (def.path.isEmpty())
        throw EngineError(
            ini.problem(s.line, QStringLiteral("не указан путь к файлу базы данных (path)")));
    def.path = storePath(def.configPath, def.path);
    def.maxPageCount = number(ini, s, QStringLiteral("max_page_count"), 0);
}

void readPostgres(const IniFile& ini, const Section& s, AliasDefinition& def)
{
    requireKnownKeys(ini, s, QStringLiteral("postgresql"), kPostgresKeys);
    def.driver = AliasDefinition::Driver::PostgreSQL;
    def.host = text(s, QStringLiteral("host"), QStringLiteral("localhost"));
    def.port = number(ini, s, QStringLiteral("port"), 5432);
    def.dbname = text(s, QStringLiteral("dbname"));
    def.user = text(s, QStringLiteral("user"));
    def.password = text(s, QStringLiteral("password"));
    warnIfExposed(def.configPath, def);
}

void readSection(const IniFile& ini, const Section& s, AliasDefinition& def)
{
    const IniFile::Entry* driver = s.find(QStringLiteral("driver"));
    if (!driver)
        throw EngineError(
            ini.problem(s.line, QStringLiteral("в разделе [%1] не указан драйвер "
                                               "(driver=sqlite или driver=postgresql)")
                                    .arg(s.name)));
    if (driver->value.compare(QLatin1String("sqlite"), Qt::CaseInsensitive) == 0)
        readSqlite(ini, s, def);
    else if (driver->value.compare(QLatin1String("postgresql"), Qt::CaseInsensitive) == 0)
        readPostgres(ini, s, def);
    else
        throw EngineError(
            ini.problem(driver->line, QStringLiteral("неизвестный драйвер «%1» "
                                                     "(ожидается sqlite или postgresql)")
                                          .arg(driver->value)));
}

} // namespace

AliasDefinition AliasConfig::resolve(const QString& alias)
{
    AliasDefinition def;
    def.alias = alias;
    def.configPath = configPath();
    // A file named on purpose that is not there is a mistake, never the default store.
    if (!chosenConfig().isEmpty() && !QFileInfo::exists(def.configPath))
        throw EngineError(QStringLiteral("Файла конфигурации %1 нет").arg(def.configPath));
    if (QFileInfo::exists(def.configPath)) {
        const IniFile ini = IniFile::read(def.configPath);
        if (const Section* section = ini.section(alias)) {
            readSection(ini, *section, def);
            return def;
        }
    }
    // Only MODEL has a default: any other alias without a section is a
    // mistake, never a second name for the default store.
    if (alias.compare(QLatin1String("MODEL"), Qt::CaseInsensitive) != 0)
        throw EngineError(QStringLiteral("Псевдоним %1 не определён в файле конфигурации %2")
                              .arg(alias, def.configPath));
    def.path = defaultStorePath();
    def.isDefault = true;
    return def;
}
