#pragma once

#include <string>

namespace td {

class Document;

// A document's dated items as an iCalendar file (RFC 5545). Events are one-day all-day entries;
// tasks and progress bars all-day spans from their start to their end, both days included;
// schedule entries run from their start to their end time on their date (an end before the
// start is on the next day, an end equal to it leaves the entry without an end), local times
// written in UTC. The summary is the item's text, or its row's name when the text is empty; the
// description is the row's name. Lines and text boxes are left out. `source` names the file in
// the UIDs: each entry keeps its UID across exports of that file for as long as its type, row,
// dates, times and text stay. False, with a message naming the item and the field, when a date
// is not one of 2000..2099, a time is not one of a day, or a string is not code page 932.
bool DocumentICalendar(const Document& document, const std::string& source, std::string& ics,
                       std::string& error);

}  // namespace td
