#include "tools/ExportCommand.h"

#include "model/Document.h"
#include "persistence/FileReplacement.h"
#include "tools/CommandReporter.h"
#include "tools/CsvExport.h"
#include "tools/DocumentJson.h"
#include "tools/DocumentLoader.h"
#include "tools/ICalendarExport.h"

#include <filesystem>
#include <iostream>
#include <utility>

namespace td {

namespace {

using Format = bool (*)(const Document&, const std::string& file, std::string& text,
                        std::string& error);

struct Output {
    const char* option;
    Format format;
};

// The file's own path names it in the calendar's UIDs, however it was given.
bool ICalendarFormat(const Document& document, const std::string& file, std::string& text,
                     std::string& error)
{
    std::error_code failed;
    const std::filesystem::path path = std::filesystem::weakly_canonical(file, failed);
    return DocumentICalendar(document, failed ? file : path.string(), text, error);
}

bool RowsFormat(const Document& document, const std::string&, std::string& text,
                std::string& error)
{
    return RowsCsv(document, text, error);
}

bool ItemsFormat(const Document& document, const std::string&, std::string& text,
                 std::string& error)
{
    return ItemsCsv(document, text, error);
}

constexpr Output Outputs[] = {
    {"--ics", ICalendarFormat},
    {"--csv-rows", RowsFormat},
    {"--csv-items", ItemsFormat},
};

bool Fail(const std::string& text)
{
    PrintCommandError("export", text);
    return false;
}

const Output* FindOutput(const std::string& option)
{
    for (const Output& output : Outputs) {
        if (option == output.option)
            return &output;
    }
    return nullptr;
}

bool ParseOptions(const std::vector<std::string>& args, std::string& file,
                  std::vector<std::pair<const Output*, std::string>>& outputs)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const Output* output = FindOutput(args[i]);
        if (output && i + 1 < args.size())
            outputs.emplace_back(output, args[++i]);
        else if (args[i].rfind("--", 0) == 0)
            return Fail(output ? args[i] + " needs a value" : "unknown option " + args[i]);
        else if (!file.empty())
            return Fail("one document file is needed");
        else
            file = args[i];
    }
    return !file.empty() || Fail("one document file is needed");
}

int ExportJson(const Document& document, const std::string& file)
{
    Json json;
    std::string error;
    if (!DocumentToJson(document, json, error)) {
        PrintCommandError("export", file + ": " + error);
        return 1;
    }
    std::cout << FormatDocumentJson(json) << std::flush;
    return std::cout ? 0 : 1;
}

// Every output is made before the first is written, so that a refused document writes none.
int ExportFiles(const Document& document, const std::string& file,
                const std::vector<std::pair<const Output*, std::string>>& outputs)
{
    std::vector<std::string> texts;
    for (const auto& [output, path] : outputs) {
        std::string error;
        if (!output->format(document, file, texts.emplace_back(), error)) {
            Fail(file + ": " + error);
            return 1;
        }
    }
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (!ReplaceFile(outputs[i].second, texts[i])) {
            Fail("cannot write " + outputs[i].second);
            return 1;
        }
    }
    return 0;
}

}  // namespace

int RunExport(const std::vector<std::string>& args)
{
    std::string file;
    std::vector<std::pair<const Output*, std::string>> outputs;
    if (!ParseOptions(args, file, outputs))
        return 2;
    Document document;
    if (!LoadDocumentFile("export", file, document))
        return 1;
    return outputs.empty() ? ExportJson(document, file) : ExportFiles(document, file, outputs);
}

}  // namespace td
