#include "tools/PdfTarget.h"

#include "persistence/FileReplacement.h"

#include <QMarginsF>

#include <utility>

namespace td {

PdfTarget::PdfTarget(QString path, QPageSize::PageSizeId paper,
                     QPageLayout::Orientation orientation, int dpi, int fromPage, int toPage)
    : path(std::move(path))
    , paper(paper)
    , orientation(orientation)
    , dpi(dpi)
    , fromPage(fromPage)
    , toPage(toPage)
{
}

PdfTarget::~PdfTarget() = default;

// The paper is the printable area: a PDF has no unprintable edge.
bool PdfTarget::Open(bool, DeviceValues& values)
{
    const QSizeF inches = QPageSize(paper).size(QPageSize::Inch);
    const QSizeF size = orientation == QPageLayout::Landscape ? inches.transposed() : inches;
    values.pageWidth = static_cast<int>(size.width() * dpi);
    values.pageHeight = static_cast<int>(size.height() * dpi);
    values.dpiX = dpi;
    values.dpiY = dpi;
    values.offsetX = 0;
    values.offsetY = 0;
    return true;
}

QPagedPaintDevice* PdfTarget::BeginJob(const char* name)
{
    document.open(QIODevice::WriteOnly);
    writer = std::make_unique<QPdfWriter>(&document);
    writer->setTitle(QString::fromLatin1(name));
    writer->setCreator(QStringLiteral("TimelineDraft"));
    writer->setResolution(dpi);
    writer->setPageLayout(QPageLayout(QPageSize(paper), orientation, QMarginsF(0, 0, 0, 0)));
    return writer.get();
}

bool PdfTarget::Save() const
{
    const QByteArray& bytes = document.data();
    return !bytes.isEmpty()
        && ReplaceFile(path.toStdString(), std::string_view(bytes.constData(), bytes.size()));
}

}  // namespace td
