// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/TextBuffer.h"

#include <algorithm>

// Doubles the capacity at least, so that appending stays linear in the text's length.
void TextBuffer::grow(std::size_t n)
{
    const std::size_t capacity = std::max({m_size + n, 2 * m_capacity, std::size_t(4096)});
    std::unique_ptr<char[]> data(new char[capacity]);
    if (m_size > 0)
        std::memcpy(data.get(), m_data.get(), m_size);
    m_data = std::move(data);
    m_capacity = capacity;
}
