#include "print/PrintRun.h"

#include "print/PrintPreview.h"
#include "view/Surface.h"

#include <QPagedPaintDevice>

#include <algorithm>

namespace td {

namespace {

constexpr char JobName[] = "TimelineDraft - No Name";

}  // namespace

int PrintRun::Print(PrintTarget& target, const ChartView& view)
{
    if (!pages.SetUpDevice(target, false))
        return 0;
    pages.Paginate();
    pages.CopyView(view);
    const int first = std::max(1, target.FromPage());
    const int last = std::min(target.ToPage(), pages.PageCount());
    // Starting a job already puts out a sheet: without a page to print there is no job.
    if (first > last)
        return 1;
    QPagedPaintDevice* device = target.BeginJob(JobName);
    if (!device)
        return 1;
    bool cancelled = false;
    {
        Surface s(*device);
        for (int n = first; n <= last && !cancelled; ++n) {
            if (n > first)
                device->newPage();
            pages.ShowPage(n - 1);
            pages.LayoutPage(pages.PageFirstRow(n - 1));
            pages.RenderPage(s);
            cancelled = !target.KeepGoing();
        }
        target.EndJob(cancelled);
    }
    return 1;
}

}  // namespace td
