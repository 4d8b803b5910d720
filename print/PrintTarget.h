#pragma once

class QPagedPaintDevice;

namespace td {

// What a print device tells about itself, in its own dots: the paper size, the resolution and
// where the printable area starts on the paper.
struct DeviceValues {
    int pageWidth = 0;
    int pageHeight = 0;
    int dpiX = 0;
    int dpiY = 0;
    int offsetX = 0;
    int offsetY = 0;
};

// A printer or a PDF file that pages are sent to. The editor asks the user through the print
// dialog; the command-line tool writes a PDF of a chosen paper.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    // The device's values; false when the user cancelled or no device could be had. A preview
    // asks no question and takes the default device.
    virtual bool Open(bool preview, DeviceValues& values) = 0;
    // The pages to send, counted from 1.
    virtual int FromPage() const = 0;
    virtual int ToPage() const = 0;
    // Starts the job under the given name; the device pages are drawn on, or none on failure.
    virtual QPagedPaintDevice* BeginJob(const char* name) = 0;
    // Lets the user's cancel through between pages; false once the job is cancelled.
    virtual bool KeepGoing() = 0;
    // Called while the last page is still open: a cancelled job is dropped here.
    virtual void EndJob(bool cancelled) = 0;
};

}  // namespace td
