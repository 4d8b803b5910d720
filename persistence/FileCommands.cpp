#include "persistence/FileCommands.h"

#include "persistence/FileChooser.h"
#include "persistence/MessageBoxes.h"
#include "model/Workspace.h"
#include "persistence/DocumentFile.h"
#include "persistence/FileStamps.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

namespace td {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// The path field holds at most PathSize - 1 bytes and a terminating NUL.
bool StorePath(Document& document, const std::string& path)
{
    if (path.size() >= static_cast<size_t>(PathSize))
        return false;
    std::memset(document.Path(), 0, PathSize);
    std::memcpy(document.Path(), path.data(), path.size());
    return true;
}

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

// Whether compacting moves any record to another index.
bool CompactionRenumbers(const Document& document)
{
    if (document.RowCount() != document.OrderCount())
        return true;
    for (int p = 0; p < document.OrderCount(); ++p) {
        if (document.RowIndexAtPosition(p) != p)
            return true;
    }
    for (int i = 0; i < document.ItemCount(); ++i) {
        if (document.ItemState(i) == ItemDeleted)
            return true;
    }
    return false;
}

}  // namespace

bool HasDocumentExtension(std::string_view path)
{
    const size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string_view extension = name.substr(dot + 1);
    return EqualsIgnoringCase(extension, "tdp") || EqualsIgnoringCase(extension, "tds");
}

FileCommands::FileCommands(Workspace& workspace, FileChooser& chooser, MessageBoxes& boxes)
    : workspace(workspace)
    , chooser(chooser)
    , boxes(boxes)
{
}

int FileCommands::OpenDocument()
{
    const auto chosen = chooser.ChooseOpenFile();
    if (!chosen)
        return 0;
    return OpenDocumentFile(*chosen);
}

int FileCommands::OpenDocumentFile(const std::string& path)
{
    if (path.size() >= static_cast<size_t>(PathSize)) {
        boxes.ShowError(FileOpenError);
        return 0;
    }
    // A plan is never open twice: two editions of one file could only overwrite each other.
    if (const int open = OpenSlotOf(path); open >= 0)
        return workspace.DocumentKind(open);
    if (!workspace.AddDocument(0))
        return 0;
    const int doc = workspace.DocumentCount() - 1;
    Document& document = *workspace.Doc(doc);
    StorePath(document, path);
    const int kind = ReadDocument(document, boxes);
    if (kind == 0) {
        workspace.RemoveDocument(doc);
        return 0;
    }
    document.SetModState(Clean);
    document.SetDiskStamp(ReadFileStamp(path));
    workspace.RebuildVisibleRows();
    workspace.UpdateDateRange(nullptr);
    return kind;
}

int FileCommands::RestoreDocument(const std::vector<uint8_t>& image, const std::string& path,
                                  const std::optional<FileStamp>& stamp)
{
    if (!workspace.AddDocument(0))
        return 0;
    const int doc = workspace.DocumentCount() - 1;
    Document& document = *workspace.Doc(doc);
    const bool named = OpenSlotOf(path) < 0 && StorePath(document, path);
    const int kind = ReadDocumentImage(document, image, boxes);
    if (kind == 0) {
        workspace.RemoveDocument(doc);
        return 0;
    }
    document.SetModState(Modified);
    if (named)
        document.SetDiskStamp(stamp);
    workspace.RebuildVisibleRows();
    workspace.UpdateDateRange(nullptr);
    return kind;
}

int FileCommands::OpenSlotOf(const std::string& path) const
{
    for (int doc = 0; doc < workspace.DocumentCount() && !path.empty(); ++doc) {
        if (SameFile(DocumentPath(*workspace.Doc(doc)), path))
            return doc;
    }
    return -1;
}

int FileCommands::SaveAll(bool saveAs)
{
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
        if (workspace.Doc(doc)->ModState() != Modified)
            continue;
        if (!SaveDocument(doc, saveAs))
            return 0;
    }
    workspace.Undo().ClearUndo();
    workspace.UpdateDateRange(nullptr);
    return 1;
}

bool FileCommands::ChooseTarget(Document& document, bool saveAs)
{
    if (document.Path()[0] != '\0' && !saveAs)
        return true;
    const auto chosen = chooser.ChooseSaveFile(document.Kind(), document.Path());
    if (!chosen)
        return false;
    if (!StorePath(document, *chosen)) {
        boxes.ShowError(FileOpenError);
        return false;
    }
    return true;
}

// Compacting renumbers the document's records, so the document itself is compacted only once
// its file is written; undo entries recorded before a renumbering would restore the wrong
// records, and a failed write must leave them able to take the changes back.
int FileCommands::SaveDocument(int doc, bool saveAs)
{
    Document* document = workspace.Doc(doc);
    if (!document)
        return 0;
    if (!ChooseTarget(*document, saveAs))
        return 0;
    if (!HasDocumentExtension(document->Path())) {
        boxes.ShowError(InvalidFileExtension);
        return 0;
    }
    if (!MayOverwrite(*document))
        return 0;
    Document compacted = *document;
    compacted.Compact();
    if (!WriteDocument(compacted, boxes))
        return 0;
    document->SetDiskStamp(ReadFileStamp(DocumentPath(*document)));
    if (CompactionRenumbers(*document))
        workspace.Undo().DropEntriesOf(doc);
    workspace.CompactDocument(doc);
    document->SetModState(Clean);
    return 1;
}

// Another program (or a colleague on a shared folder) may have written the file since this
// document read or wrote it; a save over that asks first.
bool FileCommands::MayOverwrite(const Document& document)
{
    const std::optional<FileStamp>& known = document.DiskStamp();
    if (!known || known->path != DocumentPath(document) || !ChangedOnDisk(*known))
        return true;
    return boxes.AskYesNo(OverwriteTitle, known->path + "\n\n" + OverwriteText, false);
}

int FileCommands::ConfirmSave(int doc)
{
    if (doc >= 0) {
        Document* document = workspace.Doc(doc);
        if (!document || document->ModState() != Modified)
            return 1;
        switch (boxes.AskSave()) {
        case SaveAnswer::Yes:
            return SaveDocument(doc, false);
        case SaveAnswer::No:
            return 1;
        case SaveAnswer::Cancel:
            return 0;
        }
        return 0;
    }
    for (int slot = 0; slot < workspace.DocumentCount(); ++slot) {
        if (!ConfirmSave(slot))
            return 0;
    }
    return 1;
}

int FileCommands::ConfirmSave(Document& document)
{
    const int doc = SlotOf(document);
    return doc < 0 ? 1 : ConfirmSave(doc);
}

int FileCommands::SlotOf(const Document& document) const
{
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
        if (workspace.Doc(doc) == &document)
            return doc;
    }
    return -1;
}

}  // namespace td
