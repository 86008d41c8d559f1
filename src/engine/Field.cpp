// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Field.h"

#include "engine/DataSet.h"
#include "engine/EngineError.h"
#include "engine/FieldCaptions.h"
#include "number/NumberFormat.h"

#include <cmath>
#include <limits>

namespace {

int checkedInt(double value, const QString& name)
{
    if (!(value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max()))
        throw EngineError(QStringLiteral("Значение поля «%1» вне диапазона целых чисел")
                              .arg(FieldCaptions::of(name)));
    return static_cast<int>(value);
}

} // namespace

QString Field::name() const
{
    return m_dataSet->fieldName(m_index);
}

FieldType Field::type() const
{
    return m_dataSet->fieldType(m_index);
}

QVariant Field::value() const
{
    return m_dataSet->currentValue(m_index);
}

bool Field::isNull() const
{
    return value().isNull();
}

int Field::toInteger(const QVariant& value, const QString& name)
{
    if (value.isNull())
        return 0;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        // nearbyint under the default rounding mode: ties go to the even integer.
        return checkedInt(std::nearbyint(value.toDouble()), name);
    case QMetaType::QString:
        return NumberFormat::toInteger(value.toString());
    default:
        return checkedInt(static_cast<double>(value.toLongLong()), name);
    }
}

double Field::toFloat(const QVariant& value, const QString&)
{
    if (value.isNull())
        return 0.0;
    if (value.typeId() == QMetaType::QString)
        return NumberFormat::toReal(value.toString());
    return value.toDouble();
}

QString Field::toText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
        return NumberFormat::general(value.toDouble());
    return value.toString();
}

int Field::asInteger() const
{
    return toInteger(value(), name());
}

double Field::asFloat() const
{
    return toFloat(value(), name());
}

QString Field::asString() const
{
    return toText(value());
}

void Field::setValue(const QVariant& value)
{
    m_dataSet->setCurrentValue(m_index, value);
}

void Field::setAsString(const QString& text)
{
    if (text.trimmed().isEmpty()) {
        clear();
        return;
    }
    switch (type()) {
    case FieldType::Integer:
        setValue(NumberFormat::toInteger(text));
        break;
    case FieldType::Real:
        setValue(NumberFormat::toReal(text));
        break;
    case FieldType::Text:
        setValue(text);
        break;
    }
}
