// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/FieldType.h"

#include <QString>
#include <QVariant>

class DataSet;

// One column of a data set's current record.
class Field
{
public:
    Field(DataSet* dataSet, int index) : m_dataSet(dataSet), m_index(index) {}

    int index() const { return m_index; }
    QString name() const;
    FieldType type() const;
    bool isNull() const;
    QVariant value() const;
    // A null number reads 0. A real read as an integer rounds to the nearest
    // integer, ties to the even one.
    int asInteger() const;
    double asFloat() const;
    // A real is rendered in general form with up to 15 significant digits and
    // the locale's decimal separator; null reads as the empty text.
    QString asString() const;

    void setValue(const QVariant& value);
    void setAsInteger(int value) { setValue(value); }
    void setAsFloat(double value) { setValue(value); }
    // Converts typed text to the column's type; empty text stores null.
    void setAsString(const QString& text);
    void clear() { setValue(QVariant()); }

    static int toInteger(const QVariant& value, const QString& name);
    static double toFloat(const QVariant& value, const QString& name);
    static QString toText(const QVariant& value);

private:
    DataSet* m_dataSet;
    int m_index;
};
