#pragma once

namespace td {

// The modal dialogs the chart's commands open; each returns 1 for OK and 2 for Cancel.
class FormatDialogs {
public:
    virtual ~FormatDialogs() = default;
    virtual int TaskFormat() = 0;      // on the Workspace's item selection
    virtual int ScheduleFormat() = 0;  // on the Workspace's item selection
    virtual int ProjectFormat() = 0;   // on the Workspace's selected row
    virtual int HolidaySettings() = 0;
};

}  // namespace td
