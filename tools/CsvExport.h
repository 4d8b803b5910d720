#pragma once

#include <string>

namespace td {

class Document;

// A document's rows (in display order) or items (in stored order) as one CSV table (RFC 4180)
// that spreadsheet programs open: UTF-8 after a byte order mark, a header line, CR LF line ends,
// fields quoted where they hold a comma, a quote or a line break, dates as YYYY-MM-DD. A field
// that an item's type does not use is empty. False, with a message naming the record and the
// field, when a stored string is not code page 932.
bool RowsCsv(const Document& document, std::string& csv, std::string& error);
bool ItemsCsv(const Document& document, std::string& csv, std::string& error);

}  // namespace td
