#pragma once

#include <QString>
#include <vector>

// The engine's configuration file as read, with the line of every section
// and entry. Sections "[NAME]", entries "key=value", comments starting with
// ";" or "#". Anything else (binary data, a line that is neither, an entry
// outside a section, a section or key given twice) raises an EngineError
// naming the file and the line.
class IniFile
{
public:
    struct Entry
    {
        QString key;
        QString value; // blanks around it removed; surrounding double quotes removed
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

    static IniFile read(const QString& path);

    const QString& path() const { return m_path; }
    // The section of that name, letter case ignored; null when there is none.
    const Section* section(const QString& name) const;
    // "Файл конфигурации PATH, строка N: TEXT".
    QString problem(int line, const QString& text) const;

private:
    explicit IniFile(QString path) : m_path(std::move(path)) {}
    void parseLine(const QString& text, int line);
    void addEntry(const QString& text, int line);

    QString m_path;
    std::vector<Section> m_sections;
};
