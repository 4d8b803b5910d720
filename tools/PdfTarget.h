#pragma once

#include "print/PrintTarget.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>

#include <memory>

namespace td {

// A PDF file of a chosen paper, resolution and page range; its text stays text.
class PdfTarget : public PrintTarget {
public:
    PdfTarget(QString path, QPageSize::PageSizeId paper, QPageLayout::Orientation orientation,
              int dpi, int fromPage, int toPage);
    ~PdfTarget() override;

    bool Open(bool preview, DeviceValues& values) override;
    int FromPage() const override { return fromPage; }
    int ToPage() const override { return toPage; }
    QPagedPaintDevice* BeginJob(const char* name) override;
    bool KeepGoing() override { return true; }
    void EndJob(bool) override {}
    // Writes the finished document to the file in one safe replacement, so that a full disk or a
    // size limit fails the command instead of leaving a truncated PDF; false when it could not.
    bool Save() const;

private:
    QString path;
    QPageSize::PageSizeId paper;
    QPageLayout::Orientation orientation;
    int dpi;
    int fromPage;
    int toPage;
    QBuffer document;
    std::unique_ptr<QPdfWriter> writer;
};

}  // namespace td
