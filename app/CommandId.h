#pragma once

#include "view/ToolId.h"

namespace td {

// The command ids of the menus, accelerators and toolbar; every command is routed by its id.
enum CommandId : int {
    CmdNew = 40007,
    CmdOpen = 40008,
    CmdExit = 40009,
    CmdSave = 40010,
    CmdSaveAs = 40011,
    CmdUndo = 40012,
    CmdAddSubProject = 40013,
    CmdDeleteSubProject = 40014,
    CmdCloseProject = 40015,
    CmdDelete = 40016,
    CmdCopy = 40017,
    CmdPaste = 40018,
    CmdCut = 40019,
    CmdItemFormat = 40020,
    CmdProjectFormat = 40021,
    CmdHolidays = 40022,
    CmdHelp = 40023,
    CmdVersion = 40024,
    CmdPrintPreview = 40025,
    CmdPrint = 40026,
    CmdClosePreview = 40027,
    CmdPreviousPage = 40028,
    CmdNextPage = 40029,
    CmdRedo = 40030,
    CmdToolSelect = ToolId::Select,
    CmdZoomWider = 41002,
    CmdZoomNarrower = 41003,
    CmdToolTaskLine = ToolId::TaskLine,
    CmdToolTaskBand = ToolId::TaskBand,
    CmdToolEvent = ToolId::Event,
    CmdToolProgress = ToolId::Progress,
    CmdToolLine = ToolId::Line,
    CmdToolTextBox = ToolId::TextBox,
    CmdToolSchedule = ToolId::Schedule,
    CmdRowUp = 41011,
    CmdRowDown = 41012,
    CmdRowOutdent = 41013,
    CmdRowIndent = 41014,
};

inline bool IsToolCommand(int id) { return id == CmdToolSelect || (id >= CmdToolTaskLine && id <= CmdToolSchedule); }

}  // namespace td
