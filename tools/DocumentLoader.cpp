#include "tools/DocumentLoader.h"

#include "model/Document.h"
#include "persistence/DocumentFile.h"
#include "tools/CommandReporter.h"

#include <cstring>

namespace td {

bool LoadDocumentFile(const std::string& command, const std::string& file, Document& document)
{
    CommandReporter errors(command, file);
    if (file.size() >= PathSize) {
        errors.ShowError(FileOpenError);
        return false;
    }
    std::memcpy(document.Path(), file.c_str(), file.size() + 1);
    return ReadDocument(document, errors) != 0;
}

}  // namespace td
