#include "app/PrintJob.h"

#include "print/PrintPreview.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace td {

namespace {

constexpr int FallbackDpi = 600;
constexpr int CancelButtonId = 2;

// Pages are drawn on the whole sheet, as the preview shows them; the printer's margins only
// widen the frame's margin where they are wider.
DeviceValues Measure(QPrinter& printer)
{
    printer.setFullPage(true);
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect paper = layout.fullRectPixels(dpi);
    const QMargins margins = layout.marginsPixels(dpi);
    return {paper.width(), paper.height(), dpi, dpi, margins.left(), margins.top()};
}

}  // namespace

PrintJob::PrintJob(QWidget* window, QString queue)
    : window(window), queue(std::move(queue)), printer(QPrinter::HighResolution)
{
}

PrintJob::~PrintJob() = default;

// The one device set-up of the preview and the print command, so that the preview shows the
// pages the printer gets unless the user changes the printer or its settings in the dialog.
bool PrintJob::UseDevice()
{
    const QPrinterInfo device =
        queue.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(queue);
    if (!device.isNull()) {
        printer.setPrinterName(device.printerName());
        return true;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(FallbackDpi);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    return queue.isEmpty();
}

bool PrintJob::Open(bool preview, DeviceValues& values)
{
    if (!UseDevice())
        return false;
    if (!preview && queue.isEmpty()) {
        QPrintDialog dialog(&printer, window);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setMinMax(1, MaxPages);
        if (dialog.exec() != QDialog::Accepted)
            return false;
    }
    values = Measure(printer);
    return values.pageWidth > 0 && values.pageHeight > 0;
}

int PrintJob::FromPage() const
{
    return printer.fromPage() > 0 ? printer.fromPage() : 1;
}

int PrintJob::ToPage() const
{
    return printer.toPage() > 0 ? printer.toPage() : MaxPages;
}

// The copies asked for in the dialog stay on the printer, which makes them.
QPagedPaintDevice* PrintJob::BeginJob(const char* name)
{
    printer.setDocName(QString::fromLatin1(name));
    cancelled = false;
    // Without a parent, so that disabling the main window leaves the cancel button working.
    cancelDialog = std::make_unique<QDialog>(nullptr, Qt::WindowStaysOnTopHint);
    cancelDialog->setObjectName(QStringLiteral("IDD_PRINTSTOP"));
    cancelDialog->setWindowTitle(QStringLiteral("印刷"));
    auto* layout = new QVBoxLayout(cancelDialog.get());
    layout->addWidget(new QLabel(QStringLiteral("印刷しています…"), cancelDialog.get()));
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), cancelDialog.get());
    cancel->setProperty("id", CancelButtonId);
    layout->addWidget(cancel);
    QObject::connect(cancel, &QPushButton::clicked, cancelDialog.get(), [this] {
        cancelled = true;
        cancelDialog->hide();
    });
    cancelDialog->show();
    if (window)
        window->setEnabled(false);
    return &printer;
}

bool PrintJob::KeepGoing()
{
    QCoreApplication::processEvents();
    return !cancelled;
}

void PrintJob::EndJob(bool jobCancelled)
{
    if (jobCancelled)
        printer.abort();
    cancelDialog.reset();
    if (window) {
        window->setEnabled(true);
        window->activateWindow();
        window->setFocus();
    }
}

}  // namespace td
