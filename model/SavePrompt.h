#pragma once

namespace td {

class Document;

// Asks whether a modified document is to be saved before it goes away. The editor implements it
// with its question box and file dialogs; tests answer with fakes.
class SavePrompt {
public:
    virtual ~SavePrompt() = default;
    // 1 when the document may be dropped (saved, or the user declined), 0 to keep it open.
    virtual int ConfirmSave(Document& document) = 0;
};

}  // namespace td
