// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/CalcSetup.h"

#include "calccore/Indicator.h"
#include "calccore/ParameterSweep.h"
#include "number/Error.h"
#include "number/NumberFormat.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>

namespace {

using Values = SweepInput::Values;

const QString kFormat = QStringLiteral("kerova-calculation");
// A setup is a few hundred bytes; anything far larger is not one.
constexpr qint64 kMaxBytes = 64 * 1024;

// A number of the file: where it stands, and the value it gives (a real or an integer).
struct Number
{
    const char* group;
    const char* key;
    double Values::*real;
    int Values::*whole;
};

const Number kNumbers[] = {
    {"x", "from", &Values::minX, nullptr},
    {"x", "to", &Values::maxX, nullptr},
    {"x", "step", &Values::stepX, nullptr},
    {"x", "level", nullptr, &Values::levelX},
    {"y", "from", &Values::minY, nullptr},
    {"y", "to", &Values::maxY, nullptr},
    {"y", "step", &Values::stepY, nullptr},
    {"y", "level", nullptr, &Values::levelY},
    {"quantity", "level", nullptr, &Values::calcLevel},
};

// An item of a radio group, -1 for none.
struct Item
{
    const char* group;
    const char* key;
    int CalcSetup::*item;
    int count;
};

const Item kItems[] = {
    {"x", "indicator", &CalcSetup::itemX, Indicator::Count},
    {"y", "indicator", &CalcSetup::itemY, Indicator::Count},
    {"quantity", "type", &CalcSetup::calcType, ParameterSweep::CalcTypeCount},
};

const QStringList kMembers{QStringLiteral("format"), QStringLiteral("version"),
                           QStringLiteral("model"),  QStringLiteral("x"),
                           QStringLiteral("y"),      QStringLiteral("quantity")};

// The members of one object of the file, read by their dotted place
// ("x.step") in messages; a missing or wrong-typed member raises Error.
class Members
{
public:
    Members(const QJsonObject& object, const QString& place) : m_object(object), m_place(place) {}

    QJsonValue value(const QString& key) const
    {
        const QJsonValue v = m_object.value(key);
        if (v.isUndefined())
            throw Error(QStringLiteral("нет значения «%1»").arg(placeOf(key)));
        return v;
    }
    double real(const QString& key) const
    {
        const QJsonValue v = value(key);
        if (!v.isDouble())
            throw Error(QStringLiteral("«%1» должно быть числом").arg(placeOf(key)));
        return v.toDouble();
    }
    int whole(const QString& key) const
    {
        const double v = real(key);
        if (v != std::trunc(v) || v < std::numeric_limits<int>::min() ||
            v > std::numeric_limits<int>::max())
            throw Error(QStringLiteral("«%1» должно быть целым числом").arg(placeOf(key)));
        return static_cast<int>(v);
    }
    QString text(const QString& key) const
    {
        const QJsonValue v = value(key);
        if (!v.isString())
            throw Error(QStringLiteral("«%1» должно быть текстом").arg(placeOf(key)));
        return v.toString();
    }
    Members object(const QString& key) const
    {
        const QJsonValue v = value(key);
        if (!v.isObject())
            throw Error(QStringLiteral("«%1» должно быть объектом {…}").arg(placeOf(key)));
        return Members(v.toObject(), placeOf(key));
    }
    // A misspelt member would otherwise be ignored and its value silently lost.
    void allowOnly(const QStringList& keys) const
    {
        for (const QString& key : m_object.keys())
            if (!keys.contains(key))
                throw Error(QStringLiteral("неизвестное значение «%1»").arg(placeOf(key)));
    }

private:
    QString placeOf(const QString& key) const
    {
        return m_place.isEmpty() ? key : m_place + QLatin1Char('.') + key;
    }

    QJsonObject m_object;
    QString m_place;
};

// Only a regular file of a bounded size is read: a device or a pipe named
// as the setup would never end.
QByteArray readBounded(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw Error(QStringLiteral("это не обычный файл (папка, устройство или канал)"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(file.errorString());
    const QByteArray content = file.read(kMaxBytes + 1);
    if (content.size() > kMaxBytes)
        throw Error(
            QStringLiteral("файл больше %1 КиБ, это не файл расчета").arg(kMaxBytes / 1024));
    return content;
}

QStringList keysOf(const char* group)
{
    QStringList keys;
    for (const Number& n : kNumbers)
        if (qstrcmp(n.group, group) == 0)
            keys << QLatin1String(n.key);
    for (const Item& i : kItems)
        if (qstrcmp(i.group, group) == 0)
            keys << QLatin1String(i.key);
    return keys;
}

void readGroup(const Members& top, const char* group, CalcSetup& setup)
{
    const Members members = top.object(QLatin1String(group));
    members.allowOnly(keysOf(group));
    for (const Number& n : kNumbers) {
        if (qstrcmp(n.group, group) != 0)
            continue;
        if (n.real)
            setup.values.*n.real = members.real(QLatin1String(n.key));
        else
            setup.values.*n.whole = members.whole(QLatin1String(n.key));
    }
    for (const Item& i : kItems) {
        if (qstrcmp(i.group, group) != 0)
            continue;
        const int item = members.whole(QLatin1String(i.key));
        if (item < -1 || item >= i.count)
            throw Error(QStringLiteral("«%1.%2»: нет пункта %3 (допустимы от -1 до %4)")
                            .arg(QLatin1String(group), QLatin1String(i.key))
                            .arg(item)
                            .arg(i.count - 1));
        setup.*i.item = item;
    }
}

void readHead(const Members& top)
{
    top.allowOnly(kMembers);
    if (top.value(QStringLiteral("format")) != QJsonValue(kFormat))
        throw Error(
            QStringLiteral("это не файл расчета Kerova: «format» должно быть «%1»").arg(kFormat));
    const int version = top.whole(QStringLiteral("version"));
    if (version != CalcSetup::Version)
        throw Error(QStringLiteral("версия %1 не поддерживается, ожидается %2")
                        .arg(version)
                        .arg(CalcSetup::Version));
}

CalcSetup parse(const QByteArray& content)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(content, &error);
    if (document.isNull())
        throw Error(QStringLiteral("это не JSON (ошибка около байта %1)").arg(error.offset));
    if (!document.isObject())
        throw Error(QStringLiteral("ожидается объект JSON {…}"));
    const Members top(document.object(), QString());
    readHead(top);
    CalcSetup setup;
    const Members model = top.object(QStringLiteral("model"));
    model.allowOnly({QStringLiteral("key"), QStringLiteral("name")});
    setup.modelKey = model.whole(QStringLiteral("key"));
    setup.modelName = model.text(QStringLiteral("name"));
    for (const char* group : {"x", "y", "quantity"})
        readGroup(top, group, setup);
    return setup;
}

} // namespace

std::optional<CalcSetup> CalcSetup::of(const SweepInput& input, int key, const QString& name,
                                       SweepRefusal* refusal)
{
    CalcSetup setup;
    if (const std::optional<SweepRefusal> refused = input.read(&setup.values)) {
        *refusal = *refused;
        return std::nullopt;
    }
    setup.modelKey = key;
    setup.modelName = name;
    setup.itemX = input.itemX;
    setup.itemY = input.itemY;
    setup.calcType = input.calcType;
    return setup;
}

CalcSetup CalcSetup::read(const QString& path)
{
    try {
        return parse(readBounded(path));
    } catch (const Error& e) {
        throw Error(QStringLiteral("Файл расчета %1 не открыт: %2").arg(path, e.message()));
    }
}

QByteArray CalcSetup::toJson() const
{
    QJsonObject top{{QStringLiteral("format"), kFormat},
                    {QStringLiteral("version"), Version},
                    {QStringLiteral("model"), QJsonObject{{QStringLiteral("key"), modelKey},
                                                          {QStringLiteral("name"), modelName}}}};
    for (const char* group : {"x", "y", "quantity"}) {
        QJsonObject members;
        for (const Number& n : kNumbers)
            if (qstrcmp(n.group, group) == 0)
                members.insert(QLatin1String(n.key),
                               n.real ? QJsonValue(values.*n.real) : QJsonValue(values.*n.whole));
        for (const Item& i : kItems)
            if (qstrcmp(i.group, group) == 0)
                members.insert(QLatin1String(i.key), this->*i.item);
        top.insert(QLatin1String(group), members);
    }
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

SweepInput CalcSetup::input() const
{
    SweepInput in;
    in.minX = NumberFormat::shortest(values.minX);
    in.maxX = NumberFormat::shortest(values.maxX);
    in.stepX = NumberFormat::shortest(values.stepX);
    in.levelX = QString::number(values.levelX);
    in.minY = NumberFormat::shortest(values.minY);
    in.maxY = NumberFormat::shortest(values.maxY);
    in.stepY = NumberFormat::shortest(values.stepY);
    in.levelY = QString::number(values.levelY);
    in.calcLevel = QString::number(values.calcLevel);
    in.itemX = itemX;
    in.itemY = itemY;
    in.calcType = calcType;
    return in;
}
