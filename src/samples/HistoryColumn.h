// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// One time step of the performance graph: up to 16 (colour, value) entries,
// entry i being Colors[i] with Values[i]. A fixed record of 33 words.
struct THistoryColumn
{
    static constexpr int Capacity = 16;

    std::int32_t Count = 0;
    std::uint32_t Colors[Capacity] = {};
    std::int32_t Values[Capacity] = {};
};

static_assert(sizeof(THistoryColumn) == 132, "a history column is 33 32-bit words");
