// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/OpenDialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

OpenDialog::Sink& sink()
{
    static OpenDialog::Sink current;
    return current;
}

// The folder the last file was opened from, for the next dialog of this run.
QString& lastFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString OpenDialog::choose(QWidget* parent, const QString& caption, const QString& filters)
{
    if (sink())
        return sink()(caption, filters);
    const QString path = QFileDialog::getOpenFileName(parent, caption, lastFolder(), filters);
    if (!path.isEmpty())
        lastFolder() = QFileInfo(path).absolutePath();
    return path;
}

OpenDialog::Sink OpenDialog::setSink(Sink replacement)
{
    return std::exchange(sink(), std::move(replacement));
}
