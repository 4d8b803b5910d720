#include "view/ChartView.h"

#include "calendar/Dates.h"
#include "calendar/HolidayCalendar.h"
#include "view/ChartRenderer.h"

#include <QDate>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace td {

namespace {

DateTriple Today()
{
    QDate today = QDate::currentDate();
    // A clock outside the calendar's years shows the nearest year; 29 February may not exist there.
    int year = std::clamp(today.year(), FirstYear, EndYear - 1);
    return {year, today.month(), std::min(today.day(), DaysInMonth(year, today.month()))};
}

// The clean copy is refreshed after every full redraw. When the overlay is about to paint, the
// pixels are copied into the existing image, which spares a buffer allocation per redraw. When
// it is idle, the copy only shares the buffer's pixels: most redraws are followed by no
// feedback at all, and the first paint into the buffer after them (a drag's first move, never a
// redraw, which lets go of the share first) copies them then.
void TakeCleanCopy(const QImage& from, QImage& to, bool idle)
{
    if (idle || to.size() != from.size() || to.format() != from.format()) {
        to = idle ? from : from.copy();
        return;
    }
    std::memcpy(to.bits(), from.constBits(), static_cast<std::size_t>(from.sizeInBytes()));
}

}  // namespace

ChartView::ChartView(Workspace& workspace, HolidayCalendar& holidays, int screenWidth,
                     int screenHeight)
    : workspace(workspace)
    , holidays(holidays)
    , layout(std::max(1, screenWidth + BufferExtraWidth), std::max(1, screenHeight), Today())
{
}

ChartView::~ChartView() = default;

void ChartView::EnsureBuffers()
{
    if (!backBuffer.isNull())
        return;
    // The clean copy is made by the overlay when it first needs one: an editor that is only
    // looked at never touches a second screen of memory.
    backBuffer = QImage(pixels.Covering(layout.BufferWidth()),
                        pixels.Covering(layout.BufferHeight()), QImage::Format_RGB32);
    backBuffer.fill(Qt::white);
}

void ChartView::PaintArea(QPainter& painter, const QRect& area) const
{
    if (pixels.IsIdentity()) {
        painter.drawImage(area.topLeft(), backBuffer, area);
        return;
    }
    const QRect from = pixels(area);
    const double ratio = pixels.Ratio();
    painter.drawImage(QRectF(QPointF(from.topLeft()) / ratio, QSizeF(from.size()) / ratio),
                      backBuffer, from);
}

void ChartView::SetDeviceScale(double ratio)
{
    const DeviceScale scale(ratio);
    if (scale.Ratio() == pixels.Ratio())
        return;
    pixels = scale;
    const bool drawn = !backBuffer.isNull();
    backBuffer = QImage();
    cleanCopy = QImage();
    if (!drawn)
        return;
    if (Dragging())
        CancelDrag();
    Redraw();
}

int ChartView::Resize(int width, int height)
{
    // A new size may lay out other rows under the pointer.
    if (Dragging())
        CancelDrag();
    clientWidth = width;
    clientHeight = height;
    if (backBuffer.isNull())
        Redraw();
    UpdateVerticalScroll();
    UpdateHorizontalScroll();
    return 1;
}

int ChartView::Redraw()
{
    EnsureBuffers();
    ReleaseSharedCleanCopy();
    Surface::BeginChartPass();
    layout.LayOutRows(workspace);
    {
        const ChartGeometry geometry = Geometry();
        const ChartFrame frame = ScreenFrame(layout.BufferWidth());
        const HolidayDays days =
            holidays.DaysFrom(layout.FirstDate(), DayColumnCount(geometry.dates, frame.right));
        Surface s(backBuffer, pixels);
        ChartRenderer(workspace, geometry, frame, days).Draw(s, selectedViewRow, &itemMonths);
    }
    overlaySaved = false;
    DrawOverlay();
    return 1;
}

int ChartView::XToDate(int x, int& year, int& month, int& day) const
{
    return layout.XToDate(x, year, month, day);
}

int ChartView::DateToX(int& x, int year, int month, int day) const
{
    return layout.DateToX(x, year, month, day);
}

void ChartView::DateToXUnclamped(int& x, int year, int month, int day) const
{
    layout.DateToXUnclamped(x, year, month, day);
}

int ChartView::YToRowLane(int y, int& visibleRow, int& lane) const
{
    return layout.YToRowLane(y, visibleRow, lane);
}

void ChartView::GetView(int& zoom, int& year, int& month, int& day) const
{
    zoom = layout.Zoom();
    year = layout.FirstDate().year;
    month = layout.FirstDate().month;
    day = layout.FirstDate().day;
}

int ChartView::RowHeight(int visibleRow) const
{
    return Geometry().RowHeight(workspace, visibleRow);
}

void ChartView::ReleaseSharedCleanCopy()
{
    if (!cleanCopy.isNull() && cleanCopy.constBits() == backBuffer.constBits())
        cleanCopy = QImage();
}

void ChartView::DrawOverlay()
{
    if (backBuffer.isNull())
        return;
    const bool restore = overlaySaved;
    const bool idle = Mode() == Idle;
    if (!restore) {
        TakeCleanCopy(backBuffer, cleanCopy, idle);
        overlaySaved = true;
        AddDamage({0, 0, layout.BufferWidth(), layout.BufferHeight()});
    }
    if (idle && (!restore || overlayRect.IsEmpty())) {
        overlayRect = {};
        return;
    }
    Surface s(backBuffer, pixels);
    if (restore && !overlayRect.IsEmpty()) {
        // Scaled text may reach a device pixel past its logical cells; the clean copy is the
        // chart without feedback, so restoring a little more is harmless.
        const int spare = pixels.IsIdentity() ? 0 : 1;
        const QRect buffer(0, 0, layout.BufferWidth(), layout.BufferHeight());
        const QRect erased = QRect(overlayRect.x, overlayRect.y, overlayRect.width,
                                   overlayRect.height)
                                 .adjusted(-spare, -spare, spare, spare)
                                 .intersected(buffer);
        s.CopyAtScale(erased.x(), erased.y(), cleanCopy, erased);
        AddDamage({erased.x(), erased.y(), erased.width(), erased.height()});
    }
    Feedback feedback(workspace, layout, s);
    if (drag)
        drag->Draw(feedback);
    else if (rest == Selected)
        feedback.DrawSelection(0, 0);
    overlayRect = feedback.Painted();
    AddDamage(overlayRect);
}

void ChartView::AddDamage(const OverlayRect& area)
{
    if (area.IsEmpty())
        return;
    if (damage.IsEmpty()) {
        damage = area;
        return;
    }
    const int left = std::min(damage.x, area.x);
    const int top = std::min(damage.y, area.y);
    const int right = std::max(damage.x + damage.width, area.x + area.width);
    const int bottom = std::max(damage.y + damage.height, area.y + area.height);
    damage = {left, top, right - left, bottom - top};
}

OverlayRect ChartView::TakeRepaintArea()
{
    const OverlayRect area = damage;
    damage = {};
    return area;
}

OverlayRect ChartView::ChartRect(bool fromLeft) const
{
    const int left = fromLeft ? 0 : TimelineLeft;
    return {left, layout.RowsTop(), std::max(0, clientWidth - left),
            layout.RowsBottom() - layout.RowsTop()};
}

}  // namespace td
