#include "dialogs/QtFormatDialogs.h"

#include "calendar/HolidayCalendar.h"
#include "dialogs/HolidayDialog.h"
#include "dialogs/ProjectFormatDialog.h"
#include "dialogs/ScheduleFormatDialog.h"
#include "dialogs/TaskFormatDialog.h"

namespace td {

QtFormatDialogs::QtFormatDialogs(Workspace& workspace, HolidayCalendar& calendar,
                                 ErrorReporter& reporter, QWidget* owner)
    : workspace(workspace), calendar(calendar), reporter(reporter), owner(owner)
{
}

int QtFormatDialogs::TaskFormat()
{
    TaskFormatDialog dialog(workspace, owner);
    return dialog.exec();
}

int QtFormatDialogs::ScheduleFormat()
{
    ScheduleFormatDialog dialog(workspace, owner);
    return dialog.exec();
}

int QtFormatDialogs::ProjectFormat()
{
    ProjectFormatDialog dialog(workspace, owner);
    return dialog.exec();
}

int QtFormatDialogs::HolidaySettings()
{
    HolidayDialog dialog(QDate::currentDate(), reporter, owner);
    const int result = dialog.exec();
    if (result == DialogOk)
        calendar.ReloadHolidays();
    return result;
}

}  // namespace td
