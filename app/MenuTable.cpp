#include "app/MenuTable.h"

#include "app/CommandId.h"

#include <array>

namespace td {

namespace {

constexpr std::array FileMenu {
    MenuEntry { CmdNew, "新規作成\tCtrl+N" },
    MenuEntry { CmdOpen, "開く" },
    MenuEntry { CmdSave, "上書き保存" },
    MenuEntry { CmdSaveAs, "名前を付けて保存" },
    MenuEntry { 0, "" },
    MenuEntry { CmdPrintPreview, "印刷プレビュー" },
    MenuEntry { CmdPrint, "印刷\tCtrl+P" },
    MenuEntry { 0, "" },
    MenuEntry { CmdExit, "アプリケーションの終了" },
};

constexpr std::array EditMenu {
    MenuEntry { CmdUndo, "元に戻す" },
    MenuEntry { 0, "" },
    MenuEntry { CmdCut, "切り取り\tCtrl+X" },
    MenuEntry { CmdCopy, "コピー\tCtrl+C" },
    MenuEntry { CmdPaste, "貼り付け\tCtrl+V" },
    MenuEntry { CmdDelete, "削除\tDel" },
};

constexpr std::array ToolMenu {
    MenuEntry { CmdHolidays, "休日設定" },
};

constexpr std::array HelpMenu {
    MenuEntry { CmdHelp, "ヘルプ" },
    MenuEntry { CmdVersion, "バージョン" },
};

constexpr std::array Menu1 {
    MenuColumn { "ファイル", FileMenu },
    MenuColumn { "編集", EditMenu },
    MenuColumn { "ツール", ToolMenu },
    MenuColumn { "ヘルプ", HelpMenu },
};

constexpr std::array Accelerator1 {
    Accelerator { "Ctrl+C", CmdCopy },
    Accelerator { "Ctrl+N", CmdNew },
    Accelerator { "Ctrl+P", CmdPrint },
    Accelerator { "Ctrl+V", CmdPaste },
    Accelerator { "Del", CmdDelete },
    Accelerator { "Ctrl+X", CmdCut },
};

}  // namespace

std::span<const MenuColumn> MainMenu() { return Menu1; }

std::span<const Accelerator> Accelerators() { return Accelerator1; }

}  // namespace td
