// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/NotEmptyError.h"

// Runs work on an open store; a driver's error from it ("cannot execute
// INSERT in a read-only transaction") is given the store's name, its target
// and its INI section, so that the administrator knows where to look. A
// store that is not empty stays that error.
template <typename Work> auto onStore(const Database& db, Work work)
{
    try {
        return work();
    } catch (const NotEmptyError&) {
        throw;
    } catch (const EngineError& e) {
        if (e.message().contains(db.storeName()))
            throw;
        throw EngineError(QStringLiteral("Хранилище %1: %2").arg(db.storeName(), e.message()));
    }
}
