// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/ErrorBox.h"

#include "number/HandlerGuard.h"

#include <QApplication>
#include <QMessageBox>

namespace {

void show(const std::exception& error)
{
    const QString text = QString::fromUtf8(error.what());
    if (text.isEmpty())
        return;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Kerova"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("errorBox"));
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

} // namespace

void ErrorBox::install()
{
    setHandlerErrorSink(&show);
}
