#include "app/MenuTable.h"

#include "app/CommandId.h"

#include <array>

namespace td {

namespace {

constexpr std::array<int, 9> FileMenu { CmdNew, CmdOpen, CmdSave, CmdSaveAs, 0, CmdPrintPreview, CmdPrint, 0, CmdExit };
constexpr std::array<int, 7> EditMenu { CmdUndo, CmdRedo, 0, CmdCut, CmdCopy, CmdPaste, CmdDelete };
constexpr std::array<int, 1> ToolMenu { CmdHolidays };
constexpr std::array<int, 2> HelpMenu { CmdHelp, CmdVersion };

constexpr std::array MainMenuColumns {
    MenuColumn { "ファイル", FileMenu },
    MenuColumn { "編集", EditMenu },
    MenuColumn { "ツール", ToolMenu },
    MenuColumn { "ヘルプ", HelpMenu },
};

constexpr std::array MenuProject {
    MenuEntry { CmdCloseProject, "プロジェクトを閉じる" },
    MenuEntry { 0, "" },
    MenuEntry { CmdAddSubProject, "サブプロジェクトの追加" },
    MenuEntry { CmdDeleteSubProject, "サブプロジェクトの削除" },
    MenuEntry { CmdProjectFormat, "書式設定" },
};

constexpr std::array MenuTask {
    MenuEntry { CmdCut, "切り取り" },
    MenuEntry { CmdCopy, "コピー" },
    MenuEntry { CmdPaste, "貼り付け" },
    MenuEntry { CmdDelete, "削除" },
    MenuEntry { 0, "" },
    MenuEntry { CmdItemFormat, "書式設定" },
};

}  // namespace

std::span<const MenuColumn> MainMenu() { return MainMenuColumns; }

std::span<const MenuEntry> ProjectMenu() { return MenuProject; }

std::span<const MenuEntry> TaskMenu() { return MenuTask; }

}  // namespace td
