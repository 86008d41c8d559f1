// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Statement.h"

#include "engine/Schema.h"

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// Length of the identifier starting at i, taking a ".DB" suffix along.
qsizetype wordLength(const QString& text, qsizetype i)
{
    qsizetype j = i;
    while (j < text.size() && isWordChar(text[j]))
        ++j;
    if (j + 3 <= text.size() &&
        text.mid(j, 3).compare(QLatin1String(".DB"), Qt::CaseInsensitive) == 0 &&
        (j + 3 == text.size() || !isWordChar(text[j + 3])))
        j += 3;
    return j - i;
}

class Preparer
{
public:
    explicit Preparer(const QString& text) : m_text(text) {}

    Statement run()
    {
        while (m_pos < m_text.size())
            step();
        return m_out;
    }

private:
    void step()
    {
        const QChar c = m_text[m_pos];
        if (c == u'\'')
            copyQuoted(u'\'');
        else if (c == u'"')
            identifier(quotedLength());
        else if (c == u':' && m_pos + 1 < m_text.size() && isWordChar(m_text[m_pos + 1]) &&
                 !afterColonOrWord())
            parameter();
        else if (isWordChar(c))
            identifier(wordLength(m_text, m_pos));
        else
            m_out.sql += m_text[m_pos++];
    }

    bool afterColonOrWord() const
    {
        return m_pos > 0 && (m_text[m_pos - 1] == u':' || isWordChar(m_text[m_pos - 1]));
    }

    qsizetype quotedLength() const
    {
        const qsizetype end = m_text.indexOf(u'"', m_pos + 1);
        return (end < 0 ? m_text.size() : end + 1) - m_pos;
    }

    void copyQuoted(QChar quote)
    {
        qsizetype end = m_pos + 1;
        while (end < m_text.size()) {
            if (m_text[end] == quote) {
                if (end + 1 < m_text.size() && m_text[end + 1] == quote) {
                    end += 2;
                    continue;
                }
                break;
            }
            ++end;
        }
        end = qMin(end + 1, m_text.size());
        m_out.sql += m_text.mid(m_pos, end - m_pos);
        m_pos = end;
    }

    void identifier(qsizetype length)
    {
        const QString word = m_text.mid(m_pos, length);
        m_pos += length;
        if (const Schema::Table* table = Schema::table(word)) {
            m_out.sql += table->name;
            if (m_out.firstTable.isEmpty())
                m_out.firstTable = table->name;
        } else {
            m_out.sql += word;
        }
    }

    void parameter()
    {
        qsizetype end = m_pos + 1;
        while (end < m_text.size() && isWordChar(m_text[end]))
            ++end;
        m_out.parameters << m_text.mid(m_pos + 1, end - m_pos - 1);
        m_out.sql += u'?';
        m_pos = end;
    }

    const QString& m_text;
    qsizetype m_pos = 0;
    Statement m_out;
};

} // namespace

Statement Statement::prepare(const QString& text)
{
    return Preparer(text).run();
}

QString Statement::selectRowForUpdate(const QString& table, const QStringList& columns,
                                      const QStringList& key, AliasDefinition::Driver driver)
{
    QStringList conditions;
    for (const QString& column : key)
        conditions << QStringLiteral("%1 = :%1").arg(column);
    QString text = QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                       .arg(columns.join(QStringLiteral(", ")), table,
                            conditions.join(QStringLiteral(" AND ")));
    if (driver == AliasDefinition::Driver::PostgreSQL)
        text += QStringLiteral(" FOR UPDATE");
    return text;
}
