// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// While one lives, every allocation through operator new of more than the
// given number of bytes fails with std::bad_alloc, as when memory is nearly
// used up; smaller ones go on as usual. For it, this test executable
// replaces the global allocation functions (AllocationLimit.cpp), which
// keeps the limit working under AddressSanitizer too.
class AllocationLimit
{
public:
    explicit AllocationLimit(std::size_t bytes);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
};
