#include "tools/ExportCommand.h"

#include "model/Document.h"
#include "tools/CommandReporter.h"
#include "tools/DocumentJson.h"
#include "tools/DocumentLoader.h"

#include <iostream>

namespace td {

int RunExport(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        return 2;
    Document document;
    if (!LoadDocumentFile("export", args[0], document))
        return 1;
    Json json;
    std::string error;
    if (!DocumentToJson(document, json, error)) {
        PrintCommandError("export", args[0] + ": " + error);
        return 1;
    }
    std::cout << FormatDocumentJson(json) << std::flush;
    return std::cout ? 0 : 1;
}

}  // namespace td
