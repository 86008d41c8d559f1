// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/AliasDefinition.h"

// Resolves an alias through the engine's INI file: KEROVA_ENGINE_CONFIG names
// it, ~/.config/kerova/engine.ini by default. One section per alias, with
// driver=sqlite and path=... (relative to the INI's folder, or to the home
// folder after "~/"; optional max_page_count=N caps the file's size in
// pages), or driver=postgresql with host, port, dbname, user and password.
// The alias MODEL without a section (or without the file) is the user's
// default SQLite file ~/.local/share/kerova/model.sqlite; any other alias
// must be defined. A file that is not INI, an unknown driver or key, or a
// value of the wrong kind raises an EngineError naming the file and line.
// An INI that holds a password and can be read by other users draws a
// warning on stderr.
//
// A tool's command line may choose the INI instead (--config INI): the
// chosen file then holds for the whole process, and it must exist.
class AliasConfig
{
public:
    static void chooseConfig(const QString& path);
    static QString configPath();
    static QString defaultStorePath();
    static AliasDefinition resolve(const QString& alias);
};
