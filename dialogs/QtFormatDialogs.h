#pragma once

#include "view/FormatDialogs.h"

class QWidget;

namespace td {

class ErrorReporter;
class HolidayCalendar;
class Workspace;

// The chart's format and holiday dialogs as Qt dialogs owned by the main window.
class QtFormatDialogs final : public FormatDialogs {
public:
    QtFormatDialogs(Workspace& workspace, HolidayCalendar& calendar, ErrorReporter& reporter,
                    QWidget* owner);

    int TaskFormat() override;
    int ScheduleFormat() override;
    int ProjectFormat() override;
    // After OK the calendar reloads the years it holds, so the chart shows the new holidays.
    int HolidaySettings() override;

private:
    Workspace& workspace;
    HolidayCalendar& calendar;
    ErrorReporter& reporter;
    QWidget* owner;
};

}  // namespace td
