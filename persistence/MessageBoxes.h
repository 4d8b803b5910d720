#pragma once

#include "persistence/ErrorReporter.h"

namespace td {

enum class SaveAnswer { Yes, No, Cancel };

inline constexpr char SavePromptTitle[] = "データの保存？";
inline constexpr char SavePromptText[] = "変更されたデータが有ります。　保存しますか？";
inline constexpr char ErrorTitle[] = "Error";

// The main window's message boxes: the "Error" box of every failure and the save question.
class MessageBoxes : public ErrorReporter {
public:
    virtual SaveAnswer AskSave() = 0;
};

}  // namespace td
