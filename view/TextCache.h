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
// same labels come back on every redraw. Nothing is dropped during a redraw, so a chart showing
// many labels never thrashes; when a redraw begins and the cache has outgrown its limit, the
// texts the previous redraw did not use go, and the limit becomes twice what stays, so texts
// scrolled out of sight do not pile up.
template <typename Value>
class TextCache {
public:
    Value* Find(const TextKey& key)
    {
        auto found = entries.find(key);
        if (found == entries.end())
            return nullptr;
        found->second.lastPass = pass;
        return &found->second.value;
    }

    Value& Insert(TextKey key, Value value)
    {
        return entries.insert_or_assign(std::move(key), Entry{std::move(value), pass})
            .first->second.value;
    }

    void BeginPass()
    {
        if (entries.size() > limit) {
            std::erase_if(entries,
                          [this](const auto& entry) { return entry.second.lastPass != pass; });
            limit = std::max(MinLimit, 2 * entries.size());
        }
        ++pass;
    }

    std::size_t Size() const { return entries.size(); }

private:
    static constexpr std::size_t MinLimit = 4096;

    struct Entry {
        Value value;
        uint64_t lastPass = 0;
    };

    std::unordered_map<TextKey, Entry, TextKeyHash> entries;
    std::size_t limit = MinLimit;
    uint64_t pass = 0;
};

}  // namespace td
