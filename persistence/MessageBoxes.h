#pragma once

#include "persistence/ErrorReporter.h"

#include <string_view>

namespace td {

enum class SaveAnswer { Yes, No, Cancel };

inline constexpr char SavePromptTitle[] = "データの保存？";
inline constexpr char SavePromptText[] = "変更されたデータが有ります。　保存しますか？";
inline constexpr char ErrorTitle[] = "Error";
inline constexpr char OverwriteTitle[] = "ファイルの上書き？";
inline constexpr char OverwriteText[] = "このファイルは、開いた後に他で変更されています。　上書きしますか？";
inline constexpr char RestoreTitle[] = "データの復元？";
inline constexpr char RestoreText[] = "保存されていない変更が残っています。　復元しますか？";
inline constexpr char UntitledName[] = "（名前なし）";
inline constexpr char RecoveryDamagedText[] = "復元用のデータを読み込めませんでした。　次の名前で残しました。";

// The main window's message boxes: the "Error" box of every failure, the save question and the
// yes-or-no questions of overwriting and recovery.
class MessageBoxes : public ErrorReporter {
public:
    virtual SaveAnswer AskSave() = 0;
    virtual bool AskYesNo(std::string_view title, std::string_view text, bool yesByDefault) = 0;
};

}  // namespace td
