#include "app/PrintJob.h"

#include "print/PrintPreview.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace td {

namespace {

constexpr int FallbackDpi = 600;
constexpr int CancelButtonId = 2;

DeviceValues Measure(QPrinter& printer)
{
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect printable = printer.pageRect(QPrinter::DevicePixel).toRect();
    return {paper.width(), paper.height(), printer.resolution(), printer.resolution(),
            printable.left() - paper.left(), printable.top() - paper.top()};
}

}  // namespace

PrintJob::PrintJob(QWidget* window) : window(window), printer(QPrinter::HighResolution) {}

PrintJob::~PrintJob() = default;

void PrintJob::UseDefaultDevice()
{
    const QPrinterInfo device = QPrinterInfo::defaultPrinter();
    if (!device.isNull()) {
        printer.setPrinterName(device.printerName());
        return;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(FallbackDpi);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
}

bool PrintJob::Open(bool preview, DeviceValues& values)
{
    UseDefaultDevice();
    if (!preview) {
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
