#include "engine/IniFile.h"

#include "engine/EngineError.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// "a \"b\"" -> a "b": a value may be quoted to keep blanks at its ends.
QString unquote(const QString& value)
{
    if (value.size() < 2 || !value.startsWith(QLatin1Char('"')) ||
        !value.endsWith(QLatin1Char('"')))
        return value;
    QString plain;
    const QString inner = value.mid(1, value.size() - 2);
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner[i] == QLatin1Char('\\') && i + 1 < inner.size())
            ++i;
        plain += inner[i];
    }
    return plain;
}

bool hasControlCharacter(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
            return true;
    return false;
}

} // namespace

IniFile IniFile::read(const QString& path)
{
    IniFile ini(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EngineError(QStringLiteral("Не удалось прочитать файл конфигурации %1: %2")
                              .arg(path, file.errorString()));
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray bytes = lines[i];
        if (i == 0 && bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(bytes);
        if (decoder.hasError() || hasControlCharacter(text))
            throw EngineError(
                ini.problem(int(i) + 1, QStringLiteral("не текст (двоичные данные или не UTF-8)")));
        ini.parseLine(text.trimmed(), int(i) + 1);
    }
    return ini;
}

void IniFile::parseLine(const QString& text, int line)
{
    if (text.isEmpty() || text.startsWith(QLatin1Char(';')) || text.startsWith(QLatin1Char('#')))
        return;
    if (text.startsWith(QLatin1Char('['))) {
        const QString name = text.mid(1, text.size() - 2).trimmed();
        if (!text.endsWith(QLatin1Char(']')) || name.isEmpty())
            throw EngineError(
                problem(line, QStringLiteral("ожидается заголовок раздела вида [ИМЯ]")));
        if (const Section* earlier = section(name))
            throw EngineError(problem(line, QStringLiteral("раздел [%1] уже был в строке %2")
                                                .arg(name, QString::number(earlier->line))));
        m_sections.push_back({name, line, {}});
        return;
    }
    addEntry(text, line);
}

void IniFile::addEntry(const QString& text, int line)
{
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    const QString key = text.left(equals).trimmed();
    if (equals < 0 || key.isEmpty())
        throw EngineError(
            problem(line, QStringLiteral("ожидается строка вида ключ=значение или [РАЗДЕЛ]")));
    if (m_sections.empty())
        throw EngineError(problem(line, QStringLiteral("ключ «%1» стоит вне раздела").arg(key)));
    Section& current = m_sections.back();
    if (const Entry* earlier = current.find(key))
        throw EngineError(problem(line, QStringLiteral("ключ «%1» уже задан в строке %2")
                                            .arg(key, QString::number(earlier->line))));
    current.entries.push_back({key, unquote(text.mid(equals + 1).trimmed()), line});
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
