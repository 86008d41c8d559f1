// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QPointer>

class DataSet;
class DataSource;

// A single-line edit bound to one field of a data source's current record.
// Typing starts edit state; leaving the field (or Enter, or a post of the
// record) converts the text to the column's type and writes it. Text that
// does not convert is refused with the conversion error and the focus stays,
// so the value can be corrected.
class DBEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);
    ~DBEdit() override;

    void setDataSource(DataSource* source);
    void setDataField(const QString& field);
    // Writes typed text to the record; raises the conversion error.
    void updateRecord();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    DataSet* dataSet() const;
    void showField();
    void startEditing();
    bool commit();

    QPointer<DataSource> m_source;
    QString m_field;
    bool m_dirty = false;
};
