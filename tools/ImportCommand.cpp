#include "tools/ImportCommand.h"

#include "model/Document.h"
#include "persistence/DocumentFile.h"
#include "tools/CommandReporter.h"
#include "tools/DocumentJson.h"

#include <fstream>
#include <sstream>

namespace td {

namespace {

bool ReadJsonFile(const std::string& file, Json& json)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        PrintCommandError("import", file + ": cannot open the file");
        return false;
    }
    std::ostringstream text;
    text << stream.rdbuf();
    std::string error;
    if (!ParseDocumentJson(text.str(), json, error)) {
        PrintCommandError("import", file + ": " + error);
        return false;
    }
    return true;
}

}  // namespace

int RunImport(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return 2;
    const std::string& input = args[0];
    const std::string& output = args[1];
    Json json;
    if (!ReadJsonFile(input, json))
        return 1;
    Document document;
    std::string error;
    if (!DocumentFromJson(json, document, error)) {
        PrintCommandError("import", input + ": " + error);
        return 1;
    }
    CommandReporter errors("import", output);
    return WriteDocument(document, output, errors) ? 0 : 1;
}

}  // namespace td
