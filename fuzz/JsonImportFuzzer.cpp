#include "fuzz/FuzzProperty.h"
#include "model/Document.h"
#include "persistence/DocumentFile.h"
#include "tools/DocumentJson.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using td::fuzz::MessageCount;
using td::fuzz::Require;

// What tdtool import refuses comes with a message; what it accepts is written as a file that
// reads back to the same bytes and exports as the same JSON.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    td::Json json;
    std::string error;
    if (!td::ParseDocumentJson(text, json, error)) {
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
