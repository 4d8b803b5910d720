#include "fuzz/FuzzProperty.h"
#include "persistence/HolidayFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using td::fuzz::Require;

// Any text gives a table of 0s and 1s; that table, written and read again, is the same table.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int table[td::HolidayTableSize] = {};
    td::ScanHolidayText(std::string_view(reinterpret_cast<const char*>(data), size), table);
    Require(std::all_of(std::begin(table), std::end(table), [](int entry) { return entry == 0 || entry == 1; }),
            "every entry is 0 or 1");
    const std::string text = td::HolidayText(table);
    Require(text.size() <= 30 + td::HolidayTableSize * 6, "a written file fits the format's size");
    int reread[td::HolidayTableSize] = {};
    td::ScanHolidayText(text, reread);
    Require(std::equal(std::begin(table), std::end(table), std::begin(reread)),
            "a written file reads back to the same table");
    return 0;
}
