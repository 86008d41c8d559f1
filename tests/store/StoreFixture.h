// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/Dmcom.h"
#include "store/Dmstruct.h"
#include "testutil/TestStore.h"

#include <memory>

// A fresh store with both data modules created in start-up order.
struct StoreFixture
{
    std::unique_ptr<TestStore> store = std::make_unique<TestStore>();
    std::unique_ptr<TdmCommon> common = std::make_unique<TdmCommon>();
    std::unique_ptr<TdmStructure> structure = std::make_unique<TdmStructure>();

    ~StoreFixture()
    {
        structure.reset();
        common.reset();
    }
};
