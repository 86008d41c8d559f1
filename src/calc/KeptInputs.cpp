// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/KeptInputs.h"

#include "calccore/Indicator.h"
#include "calccore/ParameterSweep.h"
#include "toolkit/KeptSettings.h"

namespace {

const QString kGroup = QStringLiteral("calculation/");
const QString kModel = kGroup + QStringLiteral("model");

struct Text
{
    const char* key;
    QString SweepInput::*text;
};

const Text kTexts[] = {
    {"minX", &SweepInput::minX},           {"maxX", &SweepInput::maxX},
    {"stepX", &SweepInput::stepX},         {"levelX", &SweepInput::levelX},
    {"minY", &SweepInput::minY},           {"maxY", &SweepInput::maxY},
    {"stepY", &SweepInput::stepY},         {"levelY", &SweepInput::levelY},
    {"calcLevel", &SweepInput::calcLevel},
};

struct Item
{
    const char* key;
    int SweepInput::*item;
    int count;
};

const Item kItems[] = {
    {"itemX", &SweepInput::itemX, Indicator::Count},
    {"itemY", &SweepInput::itemY, Indicator::Count},
    {"calcType", &SweepInput::calcType, ParameterSweep::CalcTypeCount},
};

QString keyOf(const char* name)
{
    return kGroup + QLatin1String(name);
}

} // namespace

void KeptInputs::keep(const SweepInput& input, std::optional<int> model)
{
    if (!KeptSettings::enabled())
        return;
    QSettings settings = KeptSettings::open();
    for (const Text& t : kTexts)
        settings.setValue(keyOf(t.key), input.*t.text);
    for (const Item& i : kItems)
        settings.setValue(keyOf(i.key), input.*i.item);
    // Without a model (an unreachable store) the one kept before stays.
    if (model)
        settings.setValue(kModel, *model);
}

std::optional<KeptInputs::Kept> KeptInputs::restore()
{
    if (!KeptSettings::enabled())
        return std::nullopt;
    const QSettings settings = KeptSettings::open();
    if (!settings.contains(keyOf(kTexts[0].key)))
        return std::nullopt;
    Kept kept;
    for (const Text& t : kTexts)
        kept.input.*t.text = settings.value(keyOf(t.key), kept.input.*t.text).toString();
    for (const Item& i : kItems) {
        bool ok = false;
        const int item = settings.value(keyOf(i.key)).toInt(&ok);
        if (ok && item >= -1 && item < i.count)
            kept.input.*i.item = item;
    }
    bool ok = false;
    const int model = settings.value(kModel).toInt(&ok);
    if (ok)
        kept.model = model;
    return kept;
}

void KeptInputs::forgetModel()
{
    if (KeptSettings::enabled())
        KeptSettings::open().remove(kModel);
}
