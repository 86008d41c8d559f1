// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

// The engine's configuration file as read, with the line of every section
// and entry. Sections "[NAME]", entries "key=value"; lines end in LF, CR LF
// or CR. A line starting with ";" or "#" is a comment, and so is the rest of
// a line from a ";" or "#" with a blank before it ("host=db ; primary");
// without the blank it belongs to the value ("password=a;b"). A value in
// double quotes is taken whole, with \" and \\ its only escapes. Anything
// else (bytes that are not UTF-8, binary data, a line that is neither, an
// unclosed quote, an entry outside a section, a section or key given twice)
// raises an EngineError naming the file, the line and what to change.
class IniFile
{
public:
    struct Entry
    {
        QString key;
        QString value; // without the blanks around it, its comment or its quotes
        int line = 0;
    };
    struct Section
    {
        QString name;
        int line = 0;
        std::vector<Entry> entries;

        // The entry of that key, letter case ignored; null when there is none.
        const Entry* find(const QString& key) const;
    };

    // The longest configuration read: 64 KiB. A longer file, or one that is
    // not a regular file (a device, a pipe), is refused without reading on.
    static constexpr qint64 kMaxBytes = 64 * 1024;
    static IniFile read(const QString& path);

    const QString& path() const { return m_path; }
    // The section of that name, letter case ignored; null when there is none.
    const Section* section(const QString& name) const;
    // "Файл конфигурации PATH, строка N: TEXT".
    QString problem(int line, const QString& text) const;

private:
    explicit IniFile(QString path) : m_path(std::move(path)) {}
    void parseLine(const QString& text, int line);
    void addSection(const QString& header, int line);
    void addEntry(const QString& text, int line);
    QString entryValue(const QString& text, int line) const;
    QString quotedValue(const QString& text, int line) const;

    QString m_path;
    std::vector<Section> m_sections;
};
