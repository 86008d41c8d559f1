// SPDX-License-Identifier: GPL-3.0-or-later
#include "AllocationLimit.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

constexpr std::size_t NoLimit = std::numeric_limits<std::size_t>::max();
std::atomic<std::size_t> largest{NoLimit};

void* allocate(std::size_t size) noexcept
{
    if (size > largest.load(std::memory_order_relaxed))
        return nullptr;
    return std::malloc(size == 0 ? 1 : size);
}

void* allocateOrFail(std::size_t size)
{
    if (void* block = allocate(size))
        return block;
    throw std::bad_alloc();
}

} // namespace

AllocationLimit::AllocationLimit(std::size_t bytes)
{
    largest = bytes;
}

AllocationLimit::~AllocationLimit()
{
    largest = NoLimit;
}

// Every replaceable form without an alignment argument, so that each block is
// released by the form that pairs with the one that made it. The aligned forms
// stay the library's own; they pair among themselves.
void* operator new(std::size_t size)
{
    return allocateOrFail(size);
}
void* operator new[](std::size_t size)
{
    return allocateOrFail(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return allocate(size);
}
void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete[](void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}
