// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// Records every box a box service (the message service, the error display)
// shows while the recorder lives, instead of showing it.
template <class Service> class BoxRecorder
{
public:
    using Box = QPair<QString, QString>; // text, caption

    BoxRecorder()
        : m_previous(Service::setSink([this](const QString& text, const QString& caption) {
              m_boxes.append({text, caption});
          }))
    {
    }
    ~BoxRecorder() { Service::setSink(std::move(m_previous)); }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

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
    typename Service::Sink m_previous;
};
