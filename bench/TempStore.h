// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Database.h"
#include "testutil/EngineConfig.h"

#include <QTemporaryDir>

// A throwaway SQLite store with the two tables behind the alias MODEL, open
// for the benchmark's own rows; removed with the object.
class TempStore
{
public:
    TempStore()
    {
        putEngineConfig(m_dir.filePath(QStringLiteral("engine.ini")),
                        QStringLiteral("[MODEL]\ndriver=sqlite\npath=%1\n")
                            .arg(m_dir.filePath(QStringLiteral("model.sqlite")))
                            .toUtf8());
        db.open(Database::OpenMode::Create);
        db.createStoreTables();
    }

    // A file beside the store, removed with it.
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir; // before db: the store is closed before its folder goes

public:
    Database db;
};
