// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Writes an engine INI with this text, private to the user as a file that may
// hold a password should be, and points KEROVA_ENGINE_CONFIG at it. A file
// that cannot be written ends the process: nothing after it would mean anything.
// Header-only so that the benchmarks can use it without the test library.
inline void putEngineConfig(const QString& path, const QByteArray& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.flush() ||
        !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner))
        qFatal("Cannot write the engine configuration %s: %s", qPrintable(path),
               qPrintable(file.errorString()));
    qputenv("KEROVA_ENGINE_CONFIG", path.toUtf8());
}
