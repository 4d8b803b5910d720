#include "fuzz/EditingProperties.h"

#include "calendar/Dates.h"
#include "fuzz/EditingSession.h"
#include "fuzz/FuzzProperty.h"
#include "fuzz/StepTrace.h"
#include "model/AttributeValues.h"
#include "persistence/DocumentFile.h"
#include "view/ChartView.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace td::fuzz {

namespace {

bool ValidDate(const ItemPoint& point)
{
    return point.year >= FirstYear && point.year < EndYear && point.month >= 1 && point.month <= 12
        && point.day >= 1 && point.day <= DaysInMonth(point.year, point.month);
}

bool FitsByte(int32_t value)
{
    return value >= 0 && value <= 255;
}

bool HasEndDate(int type)
{
    return type == TaskLine || type == TaskBand || type == Progress || type == Line;
}

void CheckItem(const ChartItem& item)
{
    Require(IsItemType(item.type), "every item has a type of the format");
    Require(item.state == ItemNormal || item.state == ItemDeleted || item.state == ItemSelected,
            "every item is normal, deleted or selected");
    Require(ValidDate(item.start), "every item starts on a valid date of 2000..2099");
    Require(!HasEndDate(item.type) || ValidDate(item.end), "every item with an end date ends on a valid date");
    Require(FitsByte(item.lineStyle) && FitsByte(item.lineWidth) && FitsByte(item.arrow)
                && FitsByte(item.progress) && FitsByte(item.textSize),
            "every one-byte item field fits its byte");
    Require(item.type == Line || item.textWeight == WeightNormal || item.textWeight == WeightBold,
            "every text weight is 400 or 700");
    Require(item.type != Schedule
                || (FitsByte(item.start.hour) && FitsByte(item.start.minute) && FitsByte(item.end.hour)
                    && FitsByte(item.end.minute)),
            "every schedule time fits its bytes");
    Require(item.type != TextBox || item.boxWidth >= 0, "a text box's width is not negative");
}

void CheckRows(const Document& document)
{
    std::vector<bool> inOrder(document.RowCount(), false);
    for (int position = 0; position < document.OrderCount(); ++position) {
        const int index = document.RowIndexAtPosition(position);
        Require(index >= 0 && index < document.RowCount() && !inOrder[index],
                "the row order names distinct rows of the table");
        inOrder[index] = true;
    }
    for (int index = 0; index < document.RowCount(); ++index) {
        const ProjectRow& row = document.RowRecord(index);
        Require(row.level >= 0 && row.level <= MaxLevel, "every row's level is 0..3");
        Require(row.lanes >= 1 && row.lanes <= 255, "every row has 1..255 lanes");
        const bool shown = row.state == RowShown || row.state == RowHidden;
        Require(inOrder[index] ? shown : row.state == RowDeleted,
                "rows in the order are shown or hidden, the others deleted");
    }
}

template <std::size_t N>
bool SameText(const char (&a)[N], const char (&b)[N])
{
    return FieldLength(a) == FieldLength(b) && std::memcmp(a, b, FieldLength(a)) == 0;
}

bool SameDate(const ItemPoint& a, const ItemPoint& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool SameRow(const ProjectRow& a, const ProjectRow& b)
{
    return a.id == b.id && a.level == b.level && a.lanes == b.lanes && a.backColor == b.backColor
        && a.textColor == b.textColor && SameText(a.name, b.name) && SameText(a.person, b.person)
        && SameText(a.comment, b.comment);
}

// The fields the type's record carries, and the end date the reader derives from the start.
bool SameItem(const ChartItem& a, const ChartItem& b)
{
    const int type = a.type;
    const bool task = type == TaskLine || type == TaskBand || type == Progress;
    return type == b.type && a.start.rowId == b.start.rowId && SameDate(a.start, b.start)
        && SameDate(a.end, b.end)
        && (type == Schedule
            || (a.start.lane == b.start.lane && a.lineStyle == b.lineStyle && a.lineColor == b.lineColor))
        && (!task || (a.lineWidth == b.lineWidth && a.arrow == b.arrow))
        && (type != Progress || (a.progress == b.progress && a.progressColor == b.progressColor))
        && (type != Line || (a.end.rowId == b.end.rowId && a.end.lane == b.end.lane))
        && (type != TextBox || (a.end.lane == b.end.lane && a.boxWidth == b.boxWidth))
        && (type != Schedule
            || (a.start.hour == b.start.hour && a.start.minute == b.start.minute
                && a.end.hour == b.end.hour && a.end.minute == b.end.minute))
        && (type == Line
            || (a.textSize == b.textSize && a.textWeight == b.textWeight && a.textColor == b.textColor
                && SameText(a.text, b.text)));
}

// A drag of the selection that began with a move marks the dragged items deleted until its
// release; one that began with a press on a selected item leaves them selected.
void CheckSelection(const ChartView& view, const Workspace& workspace)
{
    const int mode = view.Mode();
    const int count = workspace.SelectionCount();
    const bool itemsHeld = mode == Selected || mode == MoveItems || mode == DragStart || mode == DragEnd;
    Require(itemsHeld == (count > 0), "items are selected exactly while the chart holds a selection");
    const Document* document = workspace.Doc(workspace.SelectionDoc());
    int entriesSelected = 0;
    for (int n = 0; n < count; ++n) {
        const int index = workspace.SelectionIndex(n);
        const int state = document ? document->ItemState(index) : 0;
        Require(state == ItemSelected || (mode == MoveItems && state == ItemDeleted),
                "every selection entry names an item of its document in the selection's state");
        entriesSelected += state == ItemSelected;
        for (int m = 0; m < n; ++m)
            Require(workspace.SelectionIndex(m) != index, "no item is selected twice");
    }
    int selectedItems = 0;
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
        for (int index = 0; index < workspace.ItemCount(doc); ++index)
            selectedItems += workspace.ItemState(doc, index) == ItemSelected;
    }
    Require(selectedItems == entriesSelected, "every item in the selected state is in the selection");
}

void CheckLayout(const ChartView& view, const Workspace& workspace)
{
    const int rows = workspace.VisibleRowCount();
    Require(rows == 0 || (view.Layout().FirstRow() >= 0 && view.Layout().FirstRow() < rows), "the chart starts at a row of the list");
    Require(view.Layout().RowCount() == std::min(std::max(rows - view.Layout().FirstRow(), 0), MaxVisibleRows),
            "the chart lays out every row from its first");
    for (int k = 0; k < view.Layout().RowCount(); ++k)
        Require(view.Layout().RowTop(k + 1) - view.Layout().RowTop(k) == view.RowHeight(view.Layout().FirstRow() + k),
                "the laid-out rows have the heights of their rows");
}

// Closed groups are numbered 0, 1, ... without gaps and none is empty; only a drag not yet
// released keeps entries in the open group.
void CheckUndoLog(const ChartView& view, const Workspace& workspace)
{
    const UndoLog& log = workspace.Undo();
    int previous = -1;
    for (int n = 0; n < log.Count(); ++n) {
        const UndoRecord record = log.Record(n);
        Require(record.doc >= 0 && record.doc < workspace.DocumentCount(), "undo entries name open documents");
        Require(record.group == previous || record.group == previous + 1,
                "undo groups are numbered from 0 without gaps");
        previous = record.group;
    }
    Require(previous == log.Group() - 1 || (view.Dragging() && previous == log.Group()),
            "every closed undo group holds entries, and only a drag keeps an open one");
}

void TraceItem(const char* what, const ChartItem& item)
{
    Trace("  %s: type %d row %d lane %d %d-%d-%d %d:%d .. row %d lane %d %d-%d-%d %d:%d style %d width %d "
          "color %u arrow %d progress %d %u box %d text %d %d %u \"%.128s\"",
          what, item.type, item.start.rowId, item.start.lane, item.start.year, item.start.month,
          item.start.day, item.start.hour, item.start.minute, item.end.rowId, item.end.lane,
          item.end.year, item.end.month, item.end.day, item.end.hour, item.end.minute,
          item.lineStyle, item.lineWidth, item.lineColor, item.arrow, item.progress,
          item.progressColor, item.boxWidth, item.textSize, item.textWeight, item.textColor, item.text);
}

void TraceImage(const char* what, const std::vector<uint8_t>& image)
{
    if (!Tracing())
        return;
    Document document;
    MessageCount messages;
    ReadDocumentImage(document, image, messages);
    Trace("%s: %d rows, %d items", what, document.OrderCount(), document.ItemCount());
    for (int position = 0; position < document.OrderCount(); ++position) {
        const ProjectRow& row = *document.RowAtPosition(position);
        Trace("  row id %d level %d lanes %d", row.id, row.level, row.lanes);
    }
    for (int index = 0; index < document.ItemCount(); ++index)
        TraceItem(std::to_string(index).c_str(), *document.ItemPtr(index));
}

bool HasUndoEntries(const Workspace& workspace, int doc)
{
    const UndoLog& log = workspace.Undo();
    for (int n = 0; n < log.Count(); ++n) {
        if (log.Record(n).doc == doc)
            return true;
    }
    return false;
}

}  // namespace

void CheckRecords(const Workspace& workspace)
{
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
        const Document& document = *workspace.Doc(doc);
        CheckRows(document);
        for (int index = 0; index < document.ItemCount(); ++index)
            CheckItem(*document.ItemPtr(index));
    }
}

std::vector<uint8_t> CompactedImage(const Document& document)
{
    Document copy = document;
    copy.Compact();
    return DocumentImage(copy);
}

std::vector<std::vector<uint8_t>> DocumentImages(const Workspace& workspace)
{
    std::vector<std::vector<uint8_t>> images;
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc)
        images.push_back(CompactedImage(*workspace.Doc(doc)));
    return images;
}

void CheckRoundTrip(const Document& document)
{
    Document copy = document;
    copy.Compact();
    const std::vector<uint8_t> image = DocumentImage(copy);
    Document reread;
    MessageCount messages;
    Require(ReadDocumentImage(reread, image, messages) == (copy.Kind() == DocumentKind::Project ? 1 : 2),
            "a written document reads back as its kind");
    Require(reread.OrderCount() == copy.OrderCount() && reread.ItemCount() == copy.ItemCount(),
            "a written document reads back with as many rows and items");
    for (int position = 0; position < copy.OrderCount(); ++position)
        Require(SameRow(*copy.RowAtPosition(position), *reread.RowAtPosition(position)),
                "a written document reads back with the same rows");
    for (int index = 0; index < copy.ItemCount(); ++index) {
        if (!SameItem(*copy.ItemPtr(index), *reread.ItemPtr(index))) {
            TraceItem("written", *copy.ItemPtr(index));
            TraceItem("read back", *reread.ItemPtr(index));
        }
        Require(SameItem(*copy.ItemPtr(index), *reread.ItemPtr(index)),
                "a written document reads back with the same items");
    }
}

void CheckEditState(const ChartView& view, const Workspace& workspace)
{
    CheckSelection(view, workspace);
    CheckLayout(view, workspace);
    CheckUndoLog(view, workspace);
    Require(view.Layout().Zoom() >= 0 && view.Layout().Zoom() <= MaxZoomLevel, "the zoom level is 0..9");
    ItemPoint first;
    first.year = view.Layout().FirstDate().year;
    first.month = view.Layout().FirstDate().month;
    first.day = view.Layout().FirstDate().day;
    Require(ValidDate(first), "the chart starts at a valid date");
}

void CreationCheck::BeforePress(const ChartView& view, const Workspace& workspace, int y)
{
    pressDoc = -1;
    int row = 0;
    int lane = 0;
    if (view.YToRowLane(y, row, lane) && workspace.VisibleRowDocument(view.Layout().FirstRow() + row, pressDoc)) {
        pressRowId = workspace.RowIdAt(view.Layout().FirstRow() + row);
        pressLane = lane;
    }
    BeforeRelease(workspace);
}

void CreationCheck::BeforeRelease(const Workspace& workspace)
{
    itemCounts.clear();
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc)
        itemCounts.push_back(workspace.ItemCount(doc));
}

void CreationCheck::Check(const Workspace& workspace) const
{
    Require(static_cast<int>(itemCounts.size()) == workspace.DocumentCount(),
            "a gesture neither opens nor closes documents");
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
        for (int index = itemCounts[doc]; index < workspace.ItemCount(doc); ++index) {
            Require(doc == pressDoc, "an item is created only in the document under the press");
            CheckItem(workspace, doc, *workspace.ItemPtr(doc, index));
        }
    }
}

// Schedule entries are made with row id 0 by design: their document draws them in its first row.
void CreationCheck::CheckItem(const Workspace& workspace, int doc, const ChartItem& item) const
{
    if (item.type == Schedule) {
        Require(item.start.rowId == 0, "a schedule entry is created with row id 0");
        return;
    }
    Require(item.start.rowId == pressRowId, "a created item starts in the row under its press");
    const ProjectRow* row = workspace.RowAt(workspace.FindVisibleRow(doc, item.start.rowId));
    Require(row && item.start.lane < row->lanes, "a created item starts in a lane of its row");
    // A text box spans the lanes its drag covered within the pressed row.
    if (item.type == TextBox) {
        Require(item.start.lane <= pressLane && pressLane <= item.end.lane && item.end.lane < row->lanes,
                "a created text box covers the lane under its press within its row");
        return;
    }
    Require(item.start.lane == pressLane, "a created item starts in the lane under its press");
    if (item.type != Line)
        return;
    const ProjectRow* endRow = workspace.RowAt(workspace.FindVisibleRow(doc, item.end.rowId));
    Require(endRow && item.end.lane < endRow->lanes, "a created line ends in a lane of a row of its document");
}

void UndoBaselines::Track(const Document* document)
{
    baselines[document] = Baseline {CompactedImage(*document), true};
}

void UndoBaselines::BeforeStep(const Workspace& workspace)
{
    modStates.clear();
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc)
        modStates[workspace.Doc(doc)] = workspace.Doc(doc)->ModState();
}

// A document saved while the log keeps entries of it can still be undone past that save, back
// to its earlier baseline; only a save that leaves none of its entries starts a new one.
void UndoBaselines::AfterStep(const Workspace& workspace, const StepEvents& events)
{
    std::map<const Document*, Baseline> open;
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
        const auto found = baselines.find(workspace.Doc(doc));
        if (found != baselines.end())
            open.insert(*found);
    }
    baselines = std::move(open);
    for (const Document* added : events.added)
        Track(added);
    if (events.pastedInto)
        baselines[events.pastedInto].applicable = false;
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
        const Document* document = workspace.Doc(doc);
        const auto before = modStates.find(document);
        const bool saved = before != modStates.end() && before->second == Modified && document->ModState() == Clean;
        if (events.savedAll || (saved && !HasUndoEntries(workspace, doc)))
            Track(document);
    }
}

void UndoBaselines::Check(const Workspace& workspace) const
{
    for (int doc = 0; doc < workspace.DocumentCount(); ++doc) {
        const auto found = baselines.find(workspace.Doc(doc));
        Require(found != baselines.end(), "every open document has a baseline");
        if (!found->second.applicable)
            continue;
        const std::vector<uint8_t> image = CompactedImage(*workspace.Doc(doc));
        if (image != found->second.image) {
            TraceImage("baseline", found->second.image);
            TraceImage("after undo", image);
        }
        Require(image == found->second.image,
                "undoing every change gives back each document as it was at its last open or save");
    }
}

}  // namespace td::fuzz
