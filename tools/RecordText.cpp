#include "tools/RecordText.h"

#include "model/Document.h"
#include "view/ShiftJis.h"

#include <QString>

namespace td {

bool RecordText(const char* field, std::size_t width, const std::string& record,
                const char* name, std::string& utf8, std::string& error)
{
    QString text;
    if (!DecodeShiftJis(field, width, text)) {
        error = record + ": field \"" + name + "\" is not valid code page 932 text";
        return false;
    }
    utf8 = text.toStdString();
    return true;
}

bool RowNames::Read(const Document& document, std::string& error)
{
    for (int position = 0; position < document.OrderCount(); ++position) {
        const ProjectRow& row = *document.RowAtPosition(position);
        std::string name;
        if (!RecordText(row.name, "row " + std::to_string(position), "name", name, error))
            return false;
        names.emplace(row.id, std::move(name));
    }
    return true;
}

const std::string& RowNames::Of(int32_t rowId) const
{
    static const std::string none;
    const auto found = names.find(rowId);
    return found == names.end() ? none : found->second;
}

}  // namespace td
