#pragma once

#include <QString>

#include <cstddef>
#include <string>

namespace td {

// Record strings are code page 932 bytes; these are the only conversions to and from Qt text.
// Decodes up to the first NUL or `maxBytes`, whichever comes first; bytes that are not code page
// 932 come out as replacement characters.
QString FromShiftJis(const char* bytes, std::size_t maxBytes);
template <std::size_t N>
QString FromShiftJis(const char (&field)[N]) { return FromShiftJis(field, N); }
// Strict decoding for tools that must not lose bytes: false when the bytes up to the first NUL
// or `maxBytes` are not valid code page 932.
bool DecodeShiftJis(const char* bytes, std::size_t maxBytes, QString& text);
// False when the text has a character that code page 932 cannot hold.
bool ToShiftJis(const QString& text, std::string& bytes);

}  // namespace td
