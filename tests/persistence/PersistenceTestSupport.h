#pragma once

#include "model/Document.h"
#include "persistence/ErrorReporter.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace td::testing {

using Bytes = std::vector<uint8_t>;

inline Bytes Concat(Bytes bytes, const Bytes& more)
{
    bytes.insert(bytes.end(), more.begin(), more.end());
    return bytes;
}

// A new project: one row and no items.
inline Document NewProject()
{
    Document doc;
    doc.SetKind(DocumentKind::Project);
    doc.AddRow(0);
    return doc;
}

inline ChartItem MakeItem(int type, ItemPoint start, ItemPoint end, const char* text = "")
{
    ChartItem item;
    item.type = type;
    item.state = ItemNormal;
    item.start = start;
    item.end = end;
    item.textWeight = 400;
    std::memcpy(item.text, text, std::strlen(text));
    return item;
}

struct Reporter final : ErrorReporter {
    void ShowError(std::string_view text) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};

}  // namespace td::testing
