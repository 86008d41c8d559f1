// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonParseError>
#include <QJsonValue>
#include <QString>
#include <functional>
#include <vector>

class QIODevice;

// Reads the JSON object a device holds a piece at a time, so that a document
// of any size is read without holding it: the members of the object one after
// another, and the arrays its handler asks for element by element. What the
// parser of QJsonDocument would take silently or wrongly is refused with its
// place ("models[0].MODNAME") and byte offset: a key given twice in one
// object (the last value would win), an escape "\uD800" of half a surrogate
// pair without its other half (it would swallow the character after it), a
// number beyond the range of a double. A number so small that it rounds to
// zero (1e-400) is read as zero. Every problem raises an EngineError that
// starts «Документ не принят:».
class JsonStream
{
public:
    // What the handler wants of a member of the object.
    enum class Take { Skip, Whole, Elements };
    // What is done with the members: take says what is wanted of each.
    // member is given the value of a member taken Whole; of one taken as
    // Elements, an empty array once element has been given each of its
    // elements, or null when the value is not an array (it is skipped).
    struct Handler
    {
        std::function<Take(const QString& member)> take;
        std::function<void(const QString& name, const QJsonValue& value)> member;
        std::function<void(const QString& member, qsizetype index, const QJsonValue& value)>
            element;
    };

    // Reads no more than maxBytes from the device.
    JsonStream(QIODevice& in, qint64 maxBytes);
    // Reads the object from the device's current position to its end.
    void read(const Handler& handler);
    // A digest of every byte read: two reads of the same bytes give the same.
    size_t digest() const { return m_digest; }

private:
    struct Segment // a member's key, or an element's index when index >= 0
    {
        QString key;
        qsizetype index = -1;
    };
    template <typename Member> void object(Member member);
    template <typename Element> void array(Element element);
    QJsonValue value(bool build);
    QJsonValue nested(bool build);
    QString string();
    void escape(QByteArray& utf8, QByteArray& pendingHigh, qint64 start);
    QJsonValue number();
    QJsonValue literal();
    void topMember(const Handler& handler, const QString& name);

    int peek();
    void skipBlanks();
    void expect(char c, QJsonParseError::ParseError error);
    // After a member or an element: true at the closing bracket, which is
    // passed; otherwise the comma before the next one is required and passed.
    bool closes(char close, QJsonParseError::ParseError unterminated);
    bool fill();
    qint64 offset() const { return m_base + m_pos; }
    QString place() const;
    [[noreturn]] void syntax(QJsonParseError::ParseError error, qint64 at) const;
    [[noreturn]] void problem(const QString& text, qint64 at) const;

    QIODevice& m_in;
    qint64 m_maxBytes;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qint64 m_base = 0; // the offset of the buffer's first byte
    size_t m_digest = 0;
    int m_depth = 0;
    std::vector<Segment> m_path;
};
