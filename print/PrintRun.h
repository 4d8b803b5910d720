#pragma once

namespace td {

class ChartView;
class PrintPreview;
class PrintTarget;

// One print job: sends the pages the user chose to a target, laid out by the same page layout
// the preview shows, so that paper and preview agree.
class PrintRun {
public:
    explicit PrintRun(PrintPreview& pages) : pages(pages) {}

    // Starts no job when the chosen pages hold none; 0 when the print dialog was cancelled.
    int Print(PrintTarget& target, const ChartView& view);

private:
    PrintPreview& pages;
};

}  // namespace td
