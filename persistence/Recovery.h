#pragma once

#include <cstdint>
#include <map>

namespace td {

class Document;
class FileCommands;
class MessageBoxes;
class RecoveryStore;
class Workspace;

// Keeps a recovery copy of every document with unsaved changes, and offers at start the copies
// an editor that died left behind. When to write is the caller's choice (idle, no button held).
class Recovery {
public:
    Recovery(Workspace& workspace, FileCommands& files, MessageBoxes& boxes, RecoveryStore& store);

    // Whether a modified document has changed since its copy was written.
    bool Behind() const;
    // Writes the copies of such documents; the number written.
    int KeepCopies();
    // The copies of documents saved or closed since go at once.
    void Prune();
    // Asks about each copy left by an editor no longer running: Yes opens it as a modified
    // document under its original name (and keeps its copy under this editor), No deletes it. A
    // copy that does not read back is set aside and reported. Returns the number restored.
    int OfferOrphans();
    // A clean exit: no copy is left.
    void Finish();
    // An exit without the save prompt: what is unsaved stays in copies for the next start.
    void LeaveUnsaved();

private:
    bool Current(const Document& document) const;

    struct Kept {
        int key;
        uint64_t revision;
    };

    Workspace& workspace;
    FileCommands& files;
    MessageBoxes& boxes;
    RecoveryStore& store;
    std::map<const Document*, Kept> kept;
    int nextKey = 0;
};

}  // namespace td
