#include "app/DroppedDocuments.h"

#include "persistence/FileCommands.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace td {

std::vector<std::string> DroppedDocuments(const QMimeData& data)
{
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            continue;
        std::string path = QFile::encodeName(url.toLocalFile()).toStdString();
        if (HasDocumentExtension(path))
            paths.push_back(std::move(path));
    }
    return paths;
}

}  // namespace td
