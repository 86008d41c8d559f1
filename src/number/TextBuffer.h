// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

// A growing run of bytes that is never filled in advance: room() hands out
// space at the end, the writer fills what it needs and claims it with
// advance(). Writing a million cells then costs one comparison each, not a
// zero fill and a copy as with std::string.
class TextBuffer
{
public:
    // At least n free bytes at the end; raises std::bad_alloc when memory runs out.
    char* room(std::size_t n)
    {
        if (m_capacity - m_size < n)
            grow(n);
        return m_data.get() + m_size;
    }
    // The first n bytes of the room given out are now part of the text.
    void advance(std::size_t n) { m_size += n; }
    void append(std::string_view text)
    {
        if (text.empty()) // an empty view may hold no pointer at all
            return;
        std::memcpy(room(text.size()), text.data(), text.size());
        m_size += text.size();
    }
    void append(char c) { *room(1) = c, ++m_size; }
    // Empties the text and keeps the memory for the next one.
    void clear() { m_size = 0; }
    std::size_t size() const { return m_size; }
    std::string_view view() const { return {m_data.get(), m_size}; }

private:
    void grow(std::size_t n);

    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};
