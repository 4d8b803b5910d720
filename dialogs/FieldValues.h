#pragma once

#include "model/AttributeValues.h"
#include "model/DocumentRecords.h"

#include <cstddef>
#include <string>

namespace td {

// Copies code page 932 bytes into a fixed record field. A terminated field keeps room for its
// NUL (row texts); an unterminated one is filled to its width when the text is that long (item
// texts). A double-byte character that would not fit whole is left out, never cut in half.
void CopyTextField(char* field, std::size_t size, const std::string& bytes, bool terminated);

template <std::size_t N>
void CopyTextField(char (&field)[N], const std::string& bytes, bool terminated)
{
    CopyTextField(field, N, bytes, terminated);
}

// A record field's bytes up to its NUL or its width.
template <std::size_t N>
std::string FieldBytes(const char (&field)[N])
{
    return std::string(field, FieldLength(field));
}

// The value a list's selected index stands for; no selection (-1) leaves the field.
template <typename Field>
void TakeListValue(const AttributeTable& table, int index, Field& field)
{
    uint32_t value = 0;
    if (table.ValueAt(index, value))
        field = static_cast<Field>(value);
}

// The index of a value in a list of numbers from `first`, -1 when outside the list.
inline int NumberIndex(int value, int first, int count)
{
    return value >= first && value < first + count ? value - first : -1;
}

}  // namespace td
