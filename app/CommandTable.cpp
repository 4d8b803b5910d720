#include "app/CommandTable.h"

#include "app/CommandId.h"

#include <array>

namespace td {

namespace {

// IDR_ACCELERATOR1's keys, and Ctrl+O, Ctrl+S, Ctrl+Z and both redo keys as every Linux editor
// has them.
constexpr std::array Table {
    CommandEntry { CmdNew, "新規作成", "Ctrl+N", true },
    CommandEntry { CmdOpen, "開く", "Ctrl+O" },
    CommandEntry { CmdExit, "アプリケーションの終了", nullptr },
    CommandEntry { CmdSave, "上書き保存", "Ctrl+S" },
    CommandEntry { CmdSaveAs, "名前を付けて保存", nullptr },
    CommandEntry { CmdUndo, "元に戻す", "Ctrl+Z" },
    CommandEntry { CmdRedo, "やり直し", "Ctrl+Y; Ctrl+Shift+Z" },
    CommandEntry { CmdAddSubProject, "サブプロジェクトの追加", nullptr },
    CommandEntry { CmdDeleteSubProject, "サブプロジェクトの削除", nullptr },
    CommandEntry { CmdCloseProject, "プロジェクトを閉じる", nullptr },
    CommandEntry { CmdDelete, "削除", "Del", true },
    CommandEntry { CmdCopy, "コピー", "Ctrl+C", true },
    CommandEntry { CmdPaste, "貼り付け", "Ctrl+V", true },
    CommandEntry { CmdCut, "切り取り", "Ctrl+X", true },
    CommandEntry { CmdItemFormat, "書式設定", nullptr },
    CommandEntry { CmdProjectFormat, "書式設定", nullptr },
    CommandEntry { CmdHolidays, "休日設定", nullptr },
    CommandEntry { CmdHelp, "ヘルプ", nullptr },
    CommandEntry { CmdVersion, "バージョン", nullptr },
    CommandEntry { CmdPrintPreview, "印刷プレビュー", nullptr },
    CommandEntry { CmdPrint, "印刷", "Ctrl+P", true },
    CommandEntry { CmdClosePreview, "閉じる", nullptr },
    CommandEntry { CmdPreviousPage, "<<", nullptr },
    CommandEntry { CmdNextPage, ">>", nullptr },
    CommandEntry { CmdToolSelect, "選択", nullptr },
    CommandEntry { CmdZoomWider, "広く", nullptr },
    CommandEntry { CmdZoomNarrower, "狭く", nullptr },
    CommandEntry { CmdToolTaskLine, "タスク（線）", nullptr },
    CommandEntry { CmdToolTaskBand, "タスク（帯）", nullptr },
    CommandEntry { CmdToolEvent, "イベント", nullptr },
    CommandEntry { CmdToolProgress, "プログレス", nullptr },
    CommandEntry { CmdToolLine, "線", nullptr },
    CommandEntry { CmdToolTextBox, "テキストボックス", nullptr },
    CommandEntry { CmdToolSchedule, "スケジュール", nullptr },
    CommandEntry { CmdRowUp, "上", nullptr },
    CommandEntry { CmdRowDown, "下", nullptr },
    CommandEntry { CmdRowOutdent, "左", nullptr },
    CommandEntry { CmdRowIndent, "右", nullptr },
};

}  // namespace

std::span<const CommandEntry> Commands() { return Table; }

}  // namespace td
