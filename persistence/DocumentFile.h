#pragma once

#include "persistence/ErrorReporter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace td {

class Document;

inline constexpr char FileOpenError[] = "File Open Error !!";
inline constexpr char IncorrectFileType[] = "Incorrect File Type !!";
inline constexpr char UnknownFileFormat[] = "Unknown File Format !!";
inline constexpr char DataError[] = "Data Error !!";
inline constexpr char MemoryAllocationError[] = "Memory Allocation Error !!";

inline constexpr uint32_t FormatVersion = 16;

// The document's path field as a string (it holds at most PathSize - 1 bytes and a NUL).
std::string DocumentPath(const Document& document);

// Fills a new, empty document from the file named by its path. Returns its kind (1 or 2), or 0
// after reporting one of the format's messages; records read before a failure stay in the
// document, which the caller then discards.
int ReadDocument(Document& document, ErrorReporter& errors);
// Same, from bytes already in memory.
int ReadDocumentImage(Document& document, const std::vector<uint8_t>& image, ErrorReporter& errors);

// The file image of a compacted document, header and end tag included.
std::vector<uint8_t> DocumentImage(const Document& document);
// Writes the image to the document's path with ReplaceFile. Returns 1, or 0 after reporting the
// failure ("File Open Error !!" also for a file the user may not write).
int WriteDocument(const Document& document, ErrorReporter& errors);
int WriteDocument(const Document& document, const std::string& path, ErrorReporter& errors);

}  // namespace td
