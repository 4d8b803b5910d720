#pragma once

#include <string>

namespace td {

class Document;

// Reads a document file into a new document the way the editor opens one; on failure the
// reader's message ("Data Error !!", ...) goes to stderr, naming the command and the file.
bool LoadDocumentFile(const std::string& command, const std::string& file, Document& document);

}  // namespace td
