// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/DBEdit.h"

#include "engine/DataSet.h"
#include "engine/DataSource.h"
#include "number/Handler.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &DBEdit::startEditing);
}

DBEdit::~DBEdit()
{
    if (DataSet* set = dataSet())
        set->removeRecordUpdater(this);
}

DataSet* DBEdit::dataSet() const
{
    return m_source ? m_source->dataSet() : nullptr;
}

void DBEdit::setDataSource(DataSource* source)
{
    m_source = source;
    DataSet* set = dataSet();
    set->addRecordUpdater(this, [this] { updateRecord(); });
    for (auto signal : {&DataSet::contentReset, &DataSet::stateChanged})
        connect(set, signal, this, &DBEdit::showField);
    connect(set, &DataSet::currentChanged, this, &DBEdit::showField);
    connect(set, &DataSet::rowChanged, this, &DBEdit::showField);
    showField();
}

void DBEdit::setDataField(const QString& field)
{
    m_field = field;
    showField();
}

// Shows the current record's value unless the user is typing over it.
void DBEdit::showField()
{
    const DataSet* set = dataSet();
    if (m_dirty && set && set->editing())
        return;
    m_dirty = false;
    const int field = set && set->active() ? set->findField(m_field) : -1;
    setText(field < 0 ? QString() : Field::toText(set->currentValue(field)));
}

void DBEdit::startEditing()
{
    // Marked first: entering edit state refreshes the controls, and this one
    // must keep what the user has just typed.
    m_dirty = true;
    runHandler([this] {
        try {
            if (DataSet* set = dataSet(); set && !set->editing())
                set->edit();
        } catch (...) {
            m_dirty = false;
            showField();
            throw;
        }
    });
}

void DBEdit::updateRecord()
{
    DataSet* set = dataSet();
    if (!m_dirty || !set || !set->editing())
        return;
    set->fieldByName(m_field).setAsString(text());
    m_dirty = false;
}

bool DBEdit::commit()
{
    bool ok = false;
    runHandler([&] {
        updateRecord();
        ok = true;
    });
    return ok;
}

void DBEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Focus that goes to another window (or to the error box itself) is not
    // leaving the field: the value is checked when the user moves within the window.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (!commit())
        QTimer::singleShot(0, this, [this] {
            setFocus();
            selectAll();
        });
}

void DBEdit::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !commit()) {
        selectAll();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
