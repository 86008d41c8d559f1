// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/PrintPreview.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringList>

// While alive, prints whatever is sent to the print preview into a PDF file
// on A4 portrait, the pages from..to only when given, and notes the
// documents' names.
class PrintedPdf
{
public:
    explicit PrintedPdf(QString path, int from = 0, int to = 0)
        : m_path(std::move(path)), m_from(from), m_to(to),
          m_previous(PrintPreview::setSink(
              [this](const QString& name, const PrintPreview::Painter& paint) {
                  m_names << name;
                  QPrinter printer(QPrinter::HighResolution);
                  setUp(printer);
                  paint(&printer);
              }))
    {
    }
    ~PrintedPdf() { PrintPreview::setSink(std::move(m_previous)); }
    PrintedPdf(const PrintedPdf&) = delete;
    PrintedPdf& operator=(const PrintedPdf&) = delete;

    // The printer as the sink sets it up.
    void setUp(QPrinter& printer) const
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_path);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        if (m_from > 0)
            printer.setFromTo(m_from, m_to);
    }
    const QStringList& names() const { return m_names; }
    // The page objects in the file; -1 when there is none.
    int pages() const
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
        int count = 0;
        for (auto found = page.globalMatch(QString::fromLatin1(file.readAll())); found.hasNext();
             found.next())
            ++count;
        return count;
    }

private:
    QString m_path;
    int m_from, m_to;
    QStringList m_names;
    PrintPreview::Sink m_previous;
};
