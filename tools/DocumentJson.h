#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace td {

class Document;

// The JSON form of a document: its kind, its rows in display order and its items in table order,
// every record field under its own name, strings in UTF-8.
using Json = nlohmann::ordered_json;

// False, with a message naming the record and field, when a stored string is not code page 932.
bool DocumentToJson(const Document& document, Json& json, std::string& error);
// One record a line, so that scripts can diff and grep the output.
std::string FormatDocumentJson(const Json& json);
// False, with the parser's message, when the text is not JSON; false as soon as it nests deeper
// or holds longer lists or more fields than a document can, before the rest is read. `json` is
// then to be discarded.
bool ParseDocumentJson(const std::string& text, Json& json, std::string& error);
// Builds a new, empty document from the JSON. False, with a message naming the record and field,
// when a value would not be stored as given; the document is then to be discarded.
bool DocumentFromJson(const Json& json, Document& document, std::string& error);

}  // namespace td
