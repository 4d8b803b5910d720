#include "fuzz/FuzzProperty.h"
#include "model/Document.h"
#include "persistence/DocumentFile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using td::fuzz::MessageCount;
using td::fuzz::Require;

// A refused file reports exactly one message; an accepted one, compacted and written, reads back
// to a document that is written as the same bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> input(data, data + size);
    td::Document document;
    MessageCount messages;
    const int kind = td::ReadDocumentImage(document, input, messages);
    if (kind == 0) {
        Require(messages.shown == 1, "a refused file reports exactly one message");
        return 0;
    }
    Require(messages.shown == 0, "an accepted file reports nothing");
    document.Compact();
    const std::vector<uint8_t> image = td::DocumentImage(document);
    td::Document reread;
    MessageCount rereadMessages;
    Require(td::ReadDocumentImage(reread, image, rereadMessages) == kind, "a written file reads back");
    Require(rereadMessages.shown == 0, "a written file reads back without a message");
    Require(td::DocumentImage(reread) == image, "a written file reads back to the same bytes");
    return 0;
}
