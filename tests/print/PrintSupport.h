#pragma once

#include "model/Workspace.h"
#include "print/PrintPreview.h"
#include "print/PrintTarget.h"

namespace td {

// An A4 portrait sheet at 600 dots per inch.
inline constexpr DeviceValues A4At600 = {4960, 7016, 600, 600, 0, 0};

// A device that tells fixed values, sends the pages from..to and takes none. It counts the print
// dialogs and the jobs it is asked for into the device it was copied from, so that a test can
// count what the copies its factory hands out were asked.
struct FakeDevice : PrintTarget {
    explicit FakeDevice(DeviceValues values = A4At600, int from = 1, int to = MaxPages) : values(values), from(from), to(to) {}

    bool Open(bool preview, DeviceValues& out) override { tally->dialogs += preview ? 0 : 1; out = values; return true; }
    int FromPage() const override { return from; }
    int ToPage() const override { return to; }
    QPagedPaintDevice* BeginJob(const char*) override { ++tally->jobs; return nullptr; }
    bool KeepGoing() override { return true; }
    void EndJob(bool) override {}

    DeviceValues values;
    int from, to;
    int dialogs = 0, jobs = 0;
    FakeDevice* tally = this;
};

// Adds a project of `count` rows of `lanes` lanes each.
inline void AddRows(Workspace& workspace, int count, int lanes)
{
    workspace.AddDocument(DocumentKind::Project);
    for (int row = 1; row < count; ++row)
        workspace.Doc(workspace.DocumentCount() - 1)->AddRow(0);
    workspace.RebuildVisibleRows();
    for (int row = workspace.VisibleRowCount() - count; row < workspace.VisibleRowCount(); ++row)
        workspace.RowAt(row)->lanes = lanes;
}

}  // namespace td
