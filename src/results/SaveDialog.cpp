// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/SaveDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

SaveDialog::Sink& sink()
{
    static SaveDialog::Sink current;
    return current;
}

// The folder the last file was saved in, for the next dialog of this run.
QString& lastFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString SaveDialog::choose(QWidget* parent, const QString& caption, const QString& filters,
                           const QString& suggestedName)
{
    if (sink())
        return sink()(caption, filters, suggestedName);
    QString filter;
    const QString start =
        lastFolder().isEmpty() ? suggestedName : QDir(lastFolder()).filePath(suggestedName);
    QString path = QFileDialog::getSaveFileName(parent, caption, start, filters, &filter);
    if (path.isEmpty())
        return path;
    if (QFileInfo(path).suffix().isEmpty() && !suffixOf(filter).isEmpty())
        path += QLatin1Char('.') + suffixOf(filter);
    lastFolder() = QFileInfo(path).absolutePath();
    return path;
}

SaveDialog::Sink SaveDialog::setSink(Sink replacement)
{
    return std::exchange(sink(), std::move(replacement));
}

QString SaveDialog::suffixOf(const QString& filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}
