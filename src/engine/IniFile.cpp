// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/IniFile.h"

#include "engine/EngineError.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isCommentMark(QChar c)
{
    return c == QLatin1Char(';') || c == QLatin1Char('#');
}

// Where a comment starts in text: the first ";" or "#" with a blank before
// it (-1 when there is none). One without a blank belongs to the value, as
// in "password=a;b".
qsizetype commentStart(const QString& text)
{
    for (qsizetype i = 1; i < text.size(); ++i)
        if (isCommentMark(text[i]) && isBlank(text[i - 1]))
            return i;
    return -1;
}

// Lines end in LF, CR LF or a CR alone (as older Mac editors save them).
QList<QByteArray> splitLines(const QByteArray& data)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data[i] != '\n' && data[i] != '\r')
            continue;
        lines.append(data.mid(start, i - start));
        if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    lines.append(data.mid(start));
    return lines;
}

bool hasControlCharacter(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
            return true;
    return false;
}

// A device, a pipe or a folder named as the configuration would never end or
// never answer: only a regular file of at most kMaxBytes is read.
QByteArray readBounded(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw EngineError(
            QStringLiteral("Файл конфигурации %1 — не обычный файл (устройство, канал "
                           "или папка): укажите в KEROVA_ENGINE_CONFIG файл INI")
                .arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EngineError(QStringLiteral("Не удалось прочитать файл конфигурации %1: %2")
                              .arg(path, file.errorString()));
    const QByteArray data = file.read(IniFile::kMaxBytes + 1);
    if (data.size() > IniFile::kMaxBytes)
        throw EngineError(QStringLiteral("Файл конфигурации %1 больше %2 КиБ: это не "
                                         "конфигурация Kerova; укажите в KEROVA_ENGINE_CONFIG "
                                         "файл INI")
                              .arg(path)
                              .arg(IniFile::kMaxBytes / 1024));
    return data;
}

} // namespace

IniFile IniFile::read(const QString& path)
{
    IniFile ini(path);
    const QList<QByteArray> lines = splitLines(readBounded(path));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray bytes = lines[i];
        if (i == 0 && bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(bytes);
        if (decoder.hasError())
            throw EngineError(ini.problem(int(i) + 1, QStringLiteral("не текст в кодировке UTF-8: "
                                                                     "сохраните файл в UTF-8")));
        if (hasControlCharacter(text))
            throw EngineError(ini.problem(int(i) + 1, QStringLiteral("не текст (двоичные данные): "
                                                                     "ожидается текст в UTF-8")));
        ini.parseLine(text.trimmed(), int(i) + 1);
    }
    return ini;
}

void IniFile::parseLine(const QString& text, int line)
{
    if (text.isEmpty() || isCommentMark(text[0]))
        return;
    if (text.startsWith(QLatin1Char('[')))
        addSection(text.left(commentStart(text)).trimmed(), line);
    else
        addEntry(text, line);
}

void IniFile::addSection(const QString& header, int line)
{
    const QString name = header.mid(1, header.size() - 2).trimmed();
    if (!header.endsWith(QLatin1Char(']')) || name.isEmpty())
        throw EngineError(problem(line, QStringLiteral("ожидается заголовок раздела вида [ИМЯ]")));
    if (const Section* earlier = section(name))
        throw EngineError(problem(line, QStringLiteral("раздел [%1] уже был в строке %2: "
                                                       "объедините их в один раздел")
                                            .arg(name, QString::number(earlier->line))));
    m_sections.push_back({name, line, {}});
}

void IniFile::addEntry(const QString& text, int line)
{
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    const qsizetype comment = commentStart(text);
    const QString key = text.left(equals).trimmed();
    if (equals < 0 || key.isEmpty() || (comment >= 0 && comment < equals))
        throw EngineError(
            problem(line, QStringLiteral("ожидается строка вида ключ=значение или [РАЗДЕЛ]")));
    if (m_sections.empty())
        throw EngineError(problem(line, QStringLiteral("ключ «%1» стоит вне раздела: поставьте "
                                                       "перед ним заголовок, например [MODEL]")
                                            .arg(key)));
    Section& current = m_sections.back();
    if (const Entry* earlier = current.find(key))
        throw EngineError(problem(line, QStringLiteral("ключ «%1» уже задан в строке %2: "
                                                       "оставьте одну из строк")
                                            .arg(key, QString::number(earlier->line))));
    current.entries.push_back({key, entryValue(text.mid(equals + 1), line), line});
}

QString IniFile::entryValue(const QString& text, int line) const
{
    const QString value = text.trimmed();
    if (value.startsWith(QLatin1Char('"')))
        return quotedValue(value, line);
    return text.left(commentStart(text)).trimmed();
}

// "a b;c" -> a b;c: only \" and \\ are escapes, any other backslash is kept
// (a Windows path or a password with "\" reads as written).
QString IniFile::quotedValue(const QString& text, int line) const
{
    QString plain;
    qsizetype i = 1;
    for (; i < text.size() && text[i] != QLatin1Char('"'); ++i) {
        const bool escape = text[i] == QLatin1Char('\\') && i + 1 < text.size() &&
                            (text[i + 1] == QLatin1Char('"') || text[i + 1] == QLatin1Char('\\'));
        if (escape)
            ++i;
        plain += text[i];
    }
    if (i == text.size())
        throw EngineError(problem(line, QStringLiteral("нет закрывающей кавычки: закончите "
                                                       "значение знаком \" (кавычка внутри "
                                                       "значения пишется как \\\")")));
    const QString rest = text.mid(i + 1);
    const QString tail = rest.trimmed();
    if (!tail.isEmpty() && !(isBlank(rest[0]) && isCommentMark(tail[0])))
        throw EngineError(problem(line, QStringLiteral("после закрывающей кавычки допускается "
                                                       "только комментарий через пробел: "
                                                       "\"…\" ; примечание")));
    return plain;
}

const IniFile::Section* IniFile::section(const QString& name) const
{
    for (const Section& s : m_sections)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const IniFile::Entry* IniFile::Section::find(const QString& key) const
{
    for (const Entry& e : entries)
        if (e.key.compare(key, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

QString IniFile::problem(int line, const QString& text) const
{
    return QStringLiteral("Файл конфигурации %1, строка %2: %3")
        .arg(m_path, QString::number(line), text);
}
