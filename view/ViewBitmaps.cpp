#include "view/ViewBitmaps.h"

#include <QString>

#include <cstring>

// The resources live in a static library, whose unreferenced objects the linker would drop.
static void InitViewResources()
{
    Q_INIT_RESOURCE(view);
}

namespace td {

namespace {

QImage Load(const char* name)
{
    InitViewResources();
    QImage image(QStringLiteral(":/view/%1.png").arg(QString::fromLatin1(name)));
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

const QImage& ViewBitmap(const char* name)
{
    static const QImage plusMinus = Load("IDB_PLUS_MINUS");
    static const QImage triangle = Load("IDB_TRIANGLE");
    static const QImage none;
    if (std::strcmp(name, "IDB_PLUS_MINUS") == 0)
        return plusMinus;
    if (std::strcmp(name, "IDB_TRIANGLE") == 0)
        return triangle;
    return none;
}

}  // namespace td
