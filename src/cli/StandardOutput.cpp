// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StandardOutput.h"

#include "cli/ErrorLine.h"

#include <QTextStream>
#include <cerrno>
#include <cstdio>
#include <cstring>

int StandardOutput::s_error = 0;

namespace {

// Why the last stdio call failed; every failure has a reason, even one that left errno unset.
int reason()
{
    return errno != 0 ? errno : EIO;
}

} // namespace

bool StandardOutput::write(std::string_view bytes)
{
    if (s_error != 0)
        return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size())
        return true;
    s_error = reason();
    return false;
}

bool StandardOutput::write(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return write(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

int StandardOutput::finish(int status)
{
    if (s_error == 0 && std::fflush(stdout) != 0)
        s_error = reason();
    // stdio keeps the error of a write made past write() (Qt's own streams) but not its reason.
    if (status != 0 || (s_error == 0 && !std::ferror(stdout)))
        return status;
    QString text = QStringLiteral("Не удалось записать результат в стандартный вывод");
    if (s_error != 0)
        text += QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(s_error));
    ErrorLine::write(text);
    return 1;
}
