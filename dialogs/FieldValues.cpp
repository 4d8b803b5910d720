#include "dialogs/FieldValues.h"

#include <cstring>

namespace td {

namespace {

bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The longest prefix of at most `limit` bytes that ends between characters.
std::size_t WholeCharacters(const std::string& bytes, std::size_t limit)
{
    std::size_t end = 0;
    while (end < bytes.size()) {
        const std::size_t width = IsLeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
        if (end + width > limit)
            break;
        end += width;
    }
    return std::min(end, bytes.size());
}

}  // namespace

void CopyTextField(char* field, std::size_t size, const std::string& bytes, bool terminated)
{
    const std::size_t length = WholeCharacters(bytes, terminated ? size - 1 : size);
    std::memset(field, 0, size);
    std::memcpy(field, bytes.data(), length);
}

}  // namespace td
