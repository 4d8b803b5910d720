#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace td {

class Document;

// A record's string field (code page 932 bytes up to the first NUL or the field's width) in
// UTF-8. False, with a message naming the record and the field, when the bytes are not code
// page 932: the tools convert text without losing a byte or inventing one.
bool RecordText(const char* field, std::size_t width, const std::string& record,
                const char* name, std::string& utf8, std::string& error);
template <std::size_t N>
bool RecordText(const char (&field)[N], const std::string& record, const char* name,
                std::string& utf8, std::string& error)
{
    return RecordText(field, N, record, name, utf8, error);
}

// The names of a document's rows by id, in UTF-8, for the items that refer to them; the first
// row of an id in display order names it.
class RowNames {
public:
    bool Read(const Document& document, std::string& error);
    // Empty for an id that no row has.
    const std::string& Of(int32_t rowId) const;

private:
    std::map<int32_t, std::string> names;
};

}  // namespace td
