// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/JsonStream.h"

#include "engine/EngineError.h"
#include "transfer/JsonLexis.h"

#include <QHash>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QStringDecoder>
#include <cctype>
#include <charconv>

namespace {

constexpr qint64 kChunk = qint64(1) << 18;
constexpr int kMaxDepth = 1024; // as QJsonDocument's parser

QString loneSurrogate(const QByteArray& hex)
{
    return QStringLiteral("в тексте половина суррогатной пары \\u%1 без второй половины: "
                          "такого символа нет")
        .arg(QString::fromLatin1(hex));
}

} // namespace

JsonStream::JsonStream(QIODevice& in, qint64 maxBytes) : m_in(in), m_maxBytes(maxBytes) {}

void JsonStream::read(const Handler& handler)
{
    if (peek() == 0xEF && m_buffer.startsWith("\xEF\xBB\xBF"))
        m_pos += 3; // a UTF-8 byte order mark
    skipBlanks();
    if (peek() == '[')
        throw EngineError(QStringLiteral("Документ не принят: ожидается объект JSON"));
    if (peek() != '{')
        syntax(QJsonParseError::IllegalValue, offset());
    ++m_depth;
    object([&](const QString& name) { topMember(handler, name); });
    skipBlanks();
    if (peek() >= 0)
        syntax(QJsonParseError::GarbageAtEnd, offset());
}

void JsonStream::topMember(const Handler& handler, const QString& name)
{
    const Take take = handler.take(name);
    if (take == Take::Skip) {
        value(false);
        return;
    }
    QJsonValue given = QJsonValue::Null;
    if (take == Take::Whole) {
        given = value(true);
    } else if (peek() == '[') {
        ++m_depth;
        array([&](qsizetype index) { handler.element(name, index, value(true)); });
        --m_depth;
        given = QJsonArray();
    } else {
        value(false);
    }
    if (handler.member)
        handler.member(name, given);
}

// Calls member(key) with the stream at each member's value.
template <typename Member> void JsonStream::object(Member member)
{
    ++m_pos; // the opening brace
    QSet<QString> keys;
    skipBlanks();
    if (peek() == '}') {
        ++m_pos;
        return;
    }
    for (;;) {
        skipBlanks();
        if (peek() != '"')
            syntax(peek() < 0 ? QJsonParseError::UnterminatedObject : QJsonParseError::IllegalValue,
                   offset());
        const qint64 at = offset();
        const QString key = string();
        m_path.push_back({key});
        if (keys.contains(key))
            problem(QStringLiteral("ключ «%1» указан в одном объекте дважды").arg(key), at);
        keys.insert(key);
        skipBlanks();
        expect(':', QJsonParseError::MissingNameSeparator);
        skipBlanks();
        member(key);
        m_path.pop_back();
        if (closes('}', QJsonParseError::UnterminatedObject))
            return;
    }
}

// Calls element(index) with the stream at each element.
template <typename Element> void JsonStream::array(Element element)
{
    ++m_pos; // the opening bracket
    skipBlanks();
    if (peek() == ']') {
        ++m_pos;
        return;
    }
    for (qsizetype i = 0;; ++i) {
        m_path.push_back({QString(), i});
        skipBlanks();
        element(i);
        m_path.pop_back();
        if (closes(']', QJsonParseError::UnterminatedArray))
            return;
    }
}

bool JsonStream::closes(char close, QJsonParseError::ParseError unterminated)
{
    skipBlanks();
    if (peek() == close) {
        ++m_pos;
        return true;
    }
    expect(',', peek() < 0 ? unterminated : QJsonParseError::MissingValueSeparator);
    return false;
}

// The value at the stream; built only when asked, checked always.
QJsonValue JsonStream::value(bool build)
{
    const int c = peek();
    if (c == '{' || c == '[')
        return nested(build);
    if (c == '"')
        return string();
    if (c == 't' || c == 'f' || c == 'n')
        return literal();
    if (c == '-' || JsonLexis::isDigit(c))
        return number();
    syntax(QJsonParseError::IllegalValue, offset());
}

QJsonValue JsonStream::nested(bool build)
{
    if (++m_depth > kMaxDepth)
        syntax(QJsonParseError::DeepNesting, offset());
    QJsonValue result;
    if (peek() == '{') {
        QJsonObject members;
        object([&](const QString& key) {
            const QJsonValue v = value(build);
            if (build)
                members.insert(key, v);
        });
        result = members;
    } else {
        QJsonArray elements;
        array([&](qsizetype) {
            const QJsonValue v = value(build);
            if (build)
                elements.append(v);
        });
        result = elements;
    }
    --m_depth;
    return result;
}

QString JsonStream::string()
{
    const qint64 start = offset();
    ++m_pos; // the opening quote
    QByteArray utf8;
    QByteArray pendingHigh; // the digits of a high surrogate waiting for its low half
    for (;;) {
        if (m_pos == m_buffer.size() && !fill())
            syntax(QJsonParseError::UnterminatedString, offset());
        const char* begin = m_buffer.constData() + m_pos;
        const char* end = m_buffer.constData() + m_buffer.size();
        const char* stop = begin;
        while (stop < end && *stop != '"' && *stop != '\\')
            ++stop;
        if (stop != begin && !pendingHigh.isEmpty())
            problem(loneSurrogate(pendingHigh), start);
        utf8.append(begin, stop - begin);
        m_pos += stop - begin;
        if (stop == end)
            continue;
        ++m_pos;
        if (*stop == '"')
            break;
        escape(utf8, pendingHigh, start);
    }
    if (!pendingHigh.isEmpty())
        problem(loneSurrogate(pendingHigh), start);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(utf8);
    if (decoder.hasError())
        syntax(QJsonParseError::IllegalUTF8String, start);
    return text;
}

// The escape after a backslash; a surrogate pair's halves are joined.
void JsonStream::escape(QByteArray& utf8, QByteArray& pendingHigh, qint64 start)
{
    const int c = peek();
    if (c < 0)
        syntax(QJsonParseError::UnterminatedString, offset());
    ++m_pos;
    if (c != 'u' && !pendingHigh.isEmpty())
        problem(loneSurrogate(pendingHigh), start);
    static const QHash<char, char> simple{{'"', '"'},  {'\\', '\\'}, {'/', '/'},  {'b', '\b'},
                                          {'f', '\f'}, {'n', '\n'},  {'r', '\r'}, {'t', '\t'}};
    if (c != 'u') {
        if (!simple.contains(char(c)))
            syntax(QJsonParseError::IllegalEscapeSequence, offset() - 2);
        utf8 += simple.value(char(c));
        return;
    }
    QByteArray hex;
    while (hex.size() < 4 && std::isxdigit(peek())) {
        hex += char(peek());
        ++m_pos;
    }
    if (hex.size() < 4)
        syntax(QJsonParseError::IllegalEscapeSequence, offset() - hex.size() - 2);
    const char32_t code = hex.toUInt(nullptr, 16);
    const bool high = code >= 0xD800 && code <= 0xDBFF;
    const bool low = code >= 0xDC00 && code <= 0xDFFF;
    if (!pendingHigh.isEmpty() && !low)
        problem(loneSurrogate(pendingHigh), start);
    if (!pendingHigh.isEmpty()) {
        JsonLexis::appendUtf8(utf8, 0x10000 + ((pendingHigh.toUInt(nullptr, 16) - 0xD800) << 10) +
                                        (code - 0xDC00));
        pendingHigh.clear();
    } else if (high) {
        pendingHigh = hex;
    } else if (low) {
        problem(loneSurrogate(hex), start);
    } else {
        JsonLexis::appendUtf8(utf8, code);
    }
}

QJsonValue JsonStream::number()
{
    const qint64 start = offset();
    QByteArray text;
    for (int c = peek(); c >= 0 && QByteArrayView("+-.0123456789eE").contains(char(c));
         c = peek()) {
        text += char(c);
        ++m_pos;
    }
    if (!JsonLexis::validNumber(text))
        syntax(QJsonParseError::IllegalNumber, start);
    const char* begin = text.constData();
    const char* end = begin + text.size();
    if (!text.contains('.') && !text.contains('e') && !text.contains('E')) {
        qint64 whole = 0;
        if (const auto [ptr, error] = std::from_chars(begin, end, whole); error == std::errc())
            return QJsonValue(whole);
    }
    double value = 0;
    const auto [ptr, error] = std::from_chars(begin, end, value);
    if (error != std::errc::result_out_of_range)
        return value;
    const qsizetype exponent = qMax(text.indexOf('e'), text.indexOf('E'));
    if (exponent > 0 && text.at(exponent + 1) == '-')
        return 0.0; // too small for a double: zero
    problem(QStringLiteral("число %1 вне диапазона").arg(QString::fromLatin1(text)), start);
}

QJsonValue JsonStream::literal()
{
    const qint64 start = offset();
    QByteArray word;
    while (word.size() < 5 && peek() >= 'a' && peek() <= 'z') {
        word += char(peek());
        ++m_pos;
    }
    if (word == "true")
        return true;
    if (word == "false")
        return false;
    if (word == "null")
        return QJsonValue::Null;
    syntax(QJsonParseError::IllegalValue, start);
}

int JsonStream::peek()
{
    if (m_pos == m_buffer.size() && !fill())
        return -1;
    return uchar(m_buffer.constData()[m_pos]);
}

void JsonStream::skipBlanks()
{
    for (int c = peek(); c == ' ' || c == '\t' || c == '\n' || c == '\r'; c = peek())
        ++m_pos;
}

void JsonStream::expect(char c, QJsonParseError::ParseError error)
{
    if (peek() != uchar(c))
        syntax(error, offset());
    ++m_pos;
}

// The next piece of the device; false at its end.
bool JsonStream::fill()
{
    m_base += m_buffer.size();
    m_pos = 0;
    m_buffer.resize(kChunk);
    const qint64 read = m_in.read(m_buffer.data(), kChunk);
    if (read < 0)
        throw EngineError(
            QStringLiteral("Документ не принят: файл не прочитан: %1; ничего не изменено")
                .arg(m_in.errorString()));
    m_buffer.resize(read);
    if (read == 0)
        return false;
    if (m_base + read > m_maxBytes)
        throw EngineError(
            QStringLiteral("Документ не принят: документ больше %1 МиБ; ничего не изменено")
                .arg(m_maxBytes >> 20));
    m_digest = qHash(QByteArrayView(m_buffer), m_digest);
    return true;
}

// "models[3].LVLNAME": the members and elements open at this point.
QString JsonStream::place() const
{
    QString place;
    for (const Segment& s : m_path) {
        if (s.index >= 0)
            place += QStringLiteral("[%1]").arg(s.index);
        else
            place += (place.isEmpty() ? QString() : QStringLiteral(".")) + s.key;
    }
    return place.isEmpty() ? QStringLiteral("документ") : place;
}

void JsonStream::syntax(QJsonParseError::ParseError error, qint64 at) const
{
    QJsonParseError parseError;
    parseError.error = error;
    throw EngineError(QStringLiteral("Документ не принят: не JSON (%1, байт %2)")
                          .arg(parseError.errorString())
                          .arg(at));
}

void JsonStream::problem(const QString& text, qint64 at) const
{
    throw EngineError(
        QStringLiteral("Документ не принят: %1: %2 (байт %3)").arg(place(), text).arg(at));
}
