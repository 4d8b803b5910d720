#pragma once

#include "model/FileStamp.h"
#include "model/SavePrompt.h"

#include <cstdint>
#include <optional>
#include <vector>

#include <string>
#include <string_view>

namespace td {

class FileChooser;
class MessageBoxes;
class Workspace;

inline constexpr char InvalidFileExtension[] = "Invalid File Extension !!";

// True when the file name (not its directory) ends in .tdp or .tds, in any letter case.
bool HasDocumentExtension(std::string_view path);

// Open, Save, Save As and the save prompt, between the Workspace and the user's answers.
class FileCommands final : public SavePrompt {
public:
    FileCommands(Workspace& workspace, FileChooser& chooser, MessageBoxes& boxes);

    // The document's kind (1 or 2), or 0 when nothing was opened.
    int OpenDocument();
    // Opens a named file as Open would (the command line's files).
    int OpenDocumentFile(const std::string& path);
    // A recovered plan, opened as a modified document named as its file was (unnamed when that
    // plan is already open); the stamp is that file as it was when last read or written. 0 when
    // the image does not read back or no slot is free.
    int RestoreDocument(const std::vector<uint8_t>& image, const std::string& path,
                        const std::optional<FileStamp>& stamp);
    int SaveAll(bool saveAs);
    int SaveDocument(int doc, bool saveAs);
    // Slot -1 asks about every modified document in slot order.
    int ConfirmSave(int doc);
    int ConfirmSave(Document& document) override;

private:
    bool ChooseTarget(Document& document, bool saveAs);
    bool MayOverwrite(const Document& document);
    int OpenSlotOf(const std::string& path) const;
    int SlotOf(const Document& document) const;

    Workspace& workspace;
    FileChooser& chooser;
    MessageBoxes& boxes;
};

}  // namespace td
