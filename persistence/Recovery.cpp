#include "persistence/Recovery.h"

#include "model/Workspace.h"
#include "persistence/DocumentFile.h"
#include "persistence/FileCommands.h"
#include "persistence/MessageBoxes.h"
#include "persistence/RecoveryStore.h"

#include <ctime>

namespace td {

namespace {

class SilentErrors final : public ErrorReporter {
public:
    void ShowError(std::string_view) override { }
};

bool ReadsBack(const std::vector<uint8_t>& image)
{
    Document scratch;
    SilentErrors errors;
    return ReadDocumentImage(scratch, image, errors) != 0;
}

std::string LocalTime(int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local {};
    char text[32] = {};
    if (localtime_r(&time, &local))
        std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local);
    return text;
}

std::string RestoreQuestion(const RecoveryCopy& copy)
{
    const std::string name = copy.originalPath.empty() ? UntitledName : copy.originalPath;
    return name + "\n" + LocalTime(copy.savedAt) + "\n\n" + RestoreText;
}

}  // namespace

Recovery::Recovery(Workspace& workspace, FileCommands& files, MessageBoxes& boxes, RecoveryStore& store)
    : workspace(workspace)
    , files(files)
    , boxes(boxes)
    , store(store)
{
}

bool Recovery::Current(const Document& document) const
{
    const auto found = kept.find(&document);
    return found != kept.end() && found->second.revision == document.Revision();
}

bool Recovery::Behind() const
{
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
        const Document& document = *workspace.Doc(doc);
        if (document.ModState() == Modified && !Current(document))
            return true;
    }
    return false;
}

int Recovery::KeepCopies()
{
    Prune();
    int written = 0;
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
        const Document& document = *workspace.Doc(doc);
        if (document.ModState() != Modified || Current(document))
            continue;
        const auto found = kept.find(&document);
        const int key = found != kept.end() ? found->second.key : nextKey++;
        if (store.Write(key, document)) {
            kept[&document] = Kept {key, document.Revision()};
            ++written;
        }
    }
    return written;
}

// A document is known by its address while it is open; once closed, its entry goes here, before
// another document can be given the same address.
void Recovery::Prune()
{
    for (auto entry = kept.begin(); entry != kept.end();) {
        bool open = false;
        for (int doc = 0; doc < workspace.DocumentCount(); ++doc)
            open = open || (workspace.Doc(doc) == entry->first && entry->first->ModState() == Modified);
        if (open) {
            ++entry;
            continue;
        }
        store.Remove(entry->second.key);
        entry = kept.erase(entry);
    }
}

int Recovery::OfferOrphans()
{
    int restored = 0;
    for (const RecoveryCopy& copy : store.ClaimOrphans()) {
        const auto image = store.ReadImage(copy);
        if (!image || !ReadsBack(*image)) {
            boxes.ShowError(std::string(RecoveryDamagedText) + "\n" + store.SetAside(copy));
            continue;
        }
        if (!boxes.AskYesNo(RestoreTitle, RestoreQuestion(copy), true)) {
            store.Discard(copy);
            continue;
        }
        // Only a full workspace refuses a plan that reads back; the copy is kept for the user.
        if (!files.RestoreDocument(*image, copy.originalPath, copy.stamp)) {
            boxes.ShowError(std::string(RecoveryDamagedText) + "\n" + store.SetAside(copy));
            continue;
        }
        ++restored;
        // The plan is safe under this editor before the old copy goes.
        KeepCopies();
        store.Discard(copy);
    }
    store.ReleaseClaims();
    return restored;
}

void Recovery::Finish()
{
    kept.clear();
    store.RemoveAll();
}

void Recovery::LeaveUnsaved()
{
    KeepCopies();
    store.Unlock();
}

}  // namespace td
