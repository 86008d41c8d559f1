// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QIODevice;

// Writes a file all or nothing: the content goes to a temporary file beside
// the target, which replaces the target only when everything was written. A
// failure (a folder that cannot be written, a full disk, a writer that gives
// up) raises Error naming the file and the reason, and leaves an existing
// file as it was.
namespace SafeSave {

// body writes the content; it returns false (or throws) when it failed.
void write(const QString& path, const std::function<bool(QIODevice& device)>& body);

} // namespace SafeSave
