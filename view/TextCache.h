#pragma once

#include <QHashFunctions>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>

namespace td {

// What a text's layout depends on: the font (pixel height and weight) and, for wrapped text, the
// width it wraps in.
struct TextKey {
    int64_t font = 0;
    int width = 0;
    QString text;

    bool operator==(const TextKey&) const = default;
};

struct TextKeyHash {
    std::size_t operator()(const TextKey& key) const
    {
        return qHashMulti(0, key.font, key.width, key.text);
    }
};

// Laid-out texts kept between redraws: laying text out is most of what a label costs, and the
// same labels come back on every redraw. When the cache outgrows its limit, the entries not used
// since the previous sweep go, and the limit becomes twice what stays; so the texts of a screen
// stay however many there are, and texts scrolled out of sight do not pile up.
template <typename Value>
class TextCache {
public:
    Value* Find(const TextKey& key)
    {
        auto found = entries.find(key);
        if (found == entries.end())
            return nullptr;
        found->second.used = true;
        return &found->second.value;
    }

    Value& Insert(TextKey key, Value value)
    {
        if (entries.size() >= limit)
            Sweep();
        return entries.insert_or_assign(std::move(key), Entry{std::move(value), true})
            .first->second.value;
    }

private:
    static constexpr std::size_t MinLimit = 4096;

    struct Entry {
        Value value;
        bool used = false;
    };

    void Sweep()
    {
        std::erase_if(entries, [](const auto& entry) { return !entry.second.used; });
        for (auto& entry : entries)
            entry.second.used = false;
        limit = std::max(MinLimit, 2 * entries.size());
    }

    std::unordered_map<TextKey, Entry, TextKeyHash> entries;
    std::size_t limit = MinLimit;
};

}  // namespace td
