// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/EngineError.h"

// A store asked to take a whole content already holds models or levels.
class NotEmptyError : public EngineError
{
public:
    using EngineError::EngineError;
};
