// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepInput.h"

#include <optional>

// The calculation window's inputs kept per user between runs
// (KeptSettings): the texts of its nine fields as typed, the items of its
// three radio groups and the key of the model. Nothing is kept or read
// while keeping is off.
class KeptInputs
{
public:
    struct Kept
    {
        SweepInput input;
        std::optional<int> model;
    };

    // Without a model, the model kept before stays.
    static void keep(const SweepInput& input, std::optional<int> model);
    // What the last run kept; nothing on a first start. An item that is not
    // one of its group (a settings file edited by hand) reads as the initial one.
    static std::optional<Kept> restore();
    // Drops the kept model (one that no longer exists), keeping the inputs.
    static void forgetModel();
};
