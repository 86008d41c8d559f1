#pragma once

#include "toolkit/ErrorDisplay.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// Records every box the error display shows while it lives, instead of showing it.
class ErrorRecorder
{
public:
    using Box = QPair<QString, QString>; // text, caption

    ErrorRecorder()
        : m_previous(ErrorDisplay::setSink([this](const QString& text, const QString& caption) {
              m_boxes.append({text, caption});
          }))
    {
    }
    ~ErrorRecorder() { ErrorDisplay::setSink(std::move(m_previous)); }
    ErrorRecorder(const ErrorRecorder&) = delete;
    ErrorRecorder& operator=(const ErrorRecorder&) = delete;

    const QVector<Box>& boxes() const { return m_boxes; }
    int count() const { return static_cast<int>(m_boxes.size()); }
    QStringList texts() const
    {
        QStringList all;
        for (const Box& box : m_boxes)
            all << box.first;
        return all;
    }
    void clear() { m_boxes.clear(); }

private:
    QVector<Box> m_boxes;
    ErrorDisplay::Sink m_previous;
};
