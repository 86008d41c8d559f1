// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepInput.h"
#include "calccore/SweepRefusal.h"

#include <optional>

struct ModelLevels;

// The inputs that cannot give a result for a model, refused before the
// sweep changes anything: a first value or a step with a fraction for a
// parameter that takes whole numbers, a step of zero, a range without a point, a level
// that is used (X's when an X parameter is chosen, Y's likewise, K when a
// quantity is computed) and is not one of the model's levels, a model
// without levels, and the quantity that has no formula. One rule per line of
// a table, checked in the window's order; the first that fails is the refusal.
class SweepCheck
{
public:
    // The converted values (SweepInput::read) against the model's levels.
    static std::optional<SweepRefusal>
    check(const SweepInput& input, const SweepInput::Values& values, const ModelLevels& model);
    // The quantity that has no formula.
    static constexpr Quantity NoFormula = Quantity::Efficiency;
};
