#pragma once

#include "print/PrintTarget.h"

#include <QPrinter>
#include <QString>

#include <memory>

class QDialog;
class QWidget;

namespace td {

// A print job on Qt's printing: the print dialog for the print command, the default printer
// for the preview, and the modeless cancel dialog while pages are sent. Without any printer
// both take an A4 portrait page at 600 dots per inch (Qt's PDF printer).
class PrintJob : public PrintTarget {
public:
    // With a queue named, the job prints there without asking and the preview measures it.
    explicit PrintJob(QWidget* window, QString queue = {});
    ~PrintJob() override;

    bool Open(bool preview, DeviceValues& values) override;
    int FromPage() const override;
    int ToPage() const override;
    QPagedPaintDevice* BeginJob(const char* name) override;
    bool KeepGoing() override;
    void EndJob(bool cancelled) override;

    // IDD_PRINTSTOP while a job runs, else null.
    QDialog* CancelDialog() const { return cancelDialog.get(); }

private:
    bool UseDevice();

    QWidget* window;
    QString queue;
    QPrinter printer;
    std::unique_ptr<QDialog> cancelDialog;
    bool cancelled = false;
};

}  // namespace td
