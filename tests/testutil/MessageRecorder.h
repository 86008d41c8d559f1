#pragma once

#include "toolkit/MessageService.h"

#include <QPair>
#include <QString>
#include <QVector>

// Records every message box shown while it lives, instead of showing it.
class MessageRecorder
{
public:
    using Message = QPair<QString, QString>;  // text, caption

    MessageRecorder()
        : m_previous(MessageService::setSink([this](const QString& text, const QString& caption) {
              m_messages.append({text, caption});
          }))
    {
    }
    ~MessageRecorder() { MessageService::setSink(std::move(m_previous)); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const QVector<Message>& messages() const { return m_messages; }
    int count() const { return static_cast<int>(m_messages.size()); }
    void clear() { m_messages.clear(); }

private:
    QVector<Message> m_messages;
    MessageService::Sink m_previous;
};
