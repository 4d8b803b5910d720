#include "fuzz/FuzzProperty.h"
#include "model/Document.h"
#include "persistence/DocumentFile.h"
#include "tools/DocumentJson.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <vector>

using td::fuzz::MessageCount;
using td::fuzz::Require;

namespace {

// Whether text that the library parses holds a container that the import must refuse: one
// nested four deep, an object of more than 32 distinct fields, or a list of more than 256
// entries other than the document's items. Measured on the parser's events, which still show
// the values a repeated field name replaces.
bool BeyondLimits(const std::string& text)
{
    using Event = td::Json::parse_event_t;
    struct Container {
        bool list;
        bool items;
        std::size_t entries = 0;
        std::set<std::string> fields;
    };
    std::vector<Container> open;
    std::string documentField;
    bool beyond = false;
    const auto addEntry = [&] {
        if (!open.empty() && open.back().list && ++open.back().entries > (open.back().items ? SIZE_MAX : 256))
            beyond = true;
    };
    const td::Json parsed = td::Json::parse(text, [&](int depth, Event event, td::Json& value) {
        if (event == Event::object_start || event == Event::array_start) {
            addEntry();
            beyond = beyond || depth >= 4;
            const bool list = event == Event::array_start;
            const bool items = list && depth == 1 && !open[0].list && documentField == "items";
            open.push_back({list, items, 0, {}});
        } else if (event == Event::key) {
            if (depth == 1)
                documentField = value.get<std::string>();
            open.back().fields.insert(value.get<std::string>());
            beyond = beyond || open.back().fields.size() > 32;
        } else if (event == Event::value) {
            addEntry();
        } else {
            open.pop_back();
        }
        return true;
    }, false);
    return beyond && !parsed.is_discarded();
}

// The import's parser builds what the library's own parser builds, and refuses only text that
// the library refuses or that goes beyond the limits.
void RequireTheLibrarysParse(const std::string& text, bool accepted, const td::Json& json, const std::string& error)
{
    const td::Json plain = td::Json::parse(text, nullptr, false);
    if (accepted) {
        Require(!plain.is_discarded() && json == plain, "accepted JSON is what the library parses");
        Require(!BeyondLimits(text), "JSON beyond the limits is refused");
    } else if (error.starts_with("not valid JSON")) {
        Require(plain.is_discarded(), "JSON refused as invalid is invalid");
    } else {
        Require(plain.is_discarded() || BeyondLimits(text), "JSON refused for its size is beyond the limits");
    }
}

}  // namespace

// What tdtool import refuses comes with a message; what it accepts is written as a file that
// reads back to the same bytes and exports as the same JSON.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    td::Json json;
    std::string error;
    const bool accepted = td::ParseDocumentJson(text, json, error);
    RequireTheLibrarysParse(text, accepted, json, error);
    if (!accepted) {
        Require(!error.empty(), "refused JSON comes with a message");
        return 0;
    }
    td::Document document;
    if (!td::DocumentFromJson(json, document, error)) {
        Require(!error.empty(), "a refused document comes with a message");
        return 0;
    }
    const std::vector<uint8_t> image = td::DocumentImage(document);
    td::Document reread;
    MessageCount messages;
    Require(td::ReadDocumentImage(reread, image, messages) == document.Kind(), "the file reads back");
    Require(messages.shown == 0, "the file reads back without a message");
    Require(td::DocumentImage(reread) == image, "the file reads back to the same bytes");
    td::Json exported;
    td::Json reexported;
    Require(td::DocumentToJson(document, exported, error), "the document exports");
    Require(td::DocumentToJson(reread, reexported, error), "the file exports");
    Require(exported == reexported, "the file exports as the imported document");
    return 0;
}
