#pragma once

#include "view/FormatDialogs.h"

class QWidget;

namespace td {

class ErrorReporter;
class Workspace;

// The chart's format and holiday dialogs as Qt dialogs owned by the main window.
class QtFormatDialogs final : public FormatDialogs {
public:
    QtFormatDialogs(Workspace& workspace, ErrorReporter& reporter, QWidget* owner);

    int TaskFormat() override;
    int ScheduleFormat() override;
    int ProjectFormat() override;
    int HolidaySettings() override;

private:
    Workspace& workspace;
    ErrorReporter& reporter;
    QWidget* owner;
};

}  // namespace td
