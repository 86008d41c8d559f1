// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/ComponentPalette.h"

namespace {

std::vector<ComponentPalette::Entry>& registry()
{
    static std::vector<ComponentPalette::Entry> all;
    return all;
}

} // namespace

void ComponentPalette::add(Entry entry)
{
    if (!find(entry.className))
        registry().push_back(std::move(entry));
}

const std::vector<ComponentPalette::Entry>& ComponentPalette::entries()
{
    return registry();
}

const ComponentPalette::Entry* ComponentPalette::find(const QString& className)
{
    for (const Entry& entry : registry())
        if (entry.className == className)
            return &entry;
    return nullptr;
}
