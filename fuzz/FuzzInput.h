#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>

namespace td::fuzz {

// The fuzzer's bytes as a stream of small choices. An exhausted input answers 0 to everything,
// so that every choice's first option is also its default.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : bytes(data, size) { }

    bool Empty() const { return position >= bytes.size(); }

    uint8_t Byte() { return Empty() ? 0 : bytes[position++]; }

    uint16_t Word() { return static_cast<uint16_t>(Byte() | Byte() << 8); }

    // 0 .. count - 1; 0 when count is not positive.
    int Below(int count)
    {
        if (count <= 1)
            return 0;
        const unsigned value = count <= 256 ? Byte() : count <= 65536 ? Word() : Word() | Word() << 16;
        return static_cast<int>(value % static_cast<unsigned>(count));
    }

    int Between(int low, int high) { return low + Below(high - low + 1); }

    // True one time in `n`, false on an exhausted input.
    bool OneIn(int n) { return !Empty() && Below(n) == 0; }

    template <typename Choices>
    const auto& Pick(const Choices& choices)
    {
        return choices[static_cast<size_t>(Below(static_cast<int>(std::size(choices))))];
    }

    // Up to `maxBytes` bytes of what an edit can hold: ASCII, line breaks (CR LF) and
    // double-byte code page 932 characters, never split. Mostly short, so that the input's
    // bytes go to the steps.
    std::string Text(int maxBytes)
    {
        std::string text;
        const int length = OneIn(8) ? Below(maxBytes + 1) : Below(std::min(maxBytes, 6) + 1);
        while (static_cast<int>(text.size()) < length) {
            const int kind = Below(8);
            const int room = length - static_cast<int>(text.size());
            if (kind == 0 && room >= 2)
                text += "\r\n";
            else if (kind == 1 && room >= 2)
                text += {'\x82', static_cast<char>(0x9F + Below(0x53))};  // hiragana
            else
                text += static_cast<char>('a' + Below(26));
        }
        return text;
    }

private:
    std::span<const uint8_t> bytes;
    size_t position = 0;
};

}  // namespace td::fuzz
