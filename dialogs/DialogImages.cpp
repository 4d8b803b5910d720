#include "dialogs/DialogImages.h"

#include "model/AttributeValues.h"
#include "view/Surface.h"
#include "view/ViewBitmaps.h"

#include <QPixmap>
#include <QString>

#include <cstring>

namespace td {

namespace {

// Where the sample sits in its image; the middle row is the chart's lane middle.
constexpr int Left = 4;
constexpr int Right = AttributeImageWidth - 4;
constexpr int Middle = 7;
constexpr int HeadLength = 8;
constexpr int BandTop = 2;
constexpr int BandBottom = 12;
constexpr int TipLength = 6;
constexpr char SampleText[] = "Aaあ";

const char* const MarkGlyphs[] = {"○", "◎", "●", "△", "▲", "◇", "◆", "31"};

void DrawSwatch(Surface& s, uint32_t color)
{
    s.FillRect(Left, BandTop, Right, BandBottom + 1, 0);
    s.FillRect(Left + 1, BandTop + 1, Right - 1, BandBottom, color);
}

void DrawMark(Surface& s, int index)
{
    s.SelectFont(14, WeightNormal);
    s.TextOut(AttributeImageWidth / 2, AttributeImageHeight,
              QString::fromUtf8(MarkGlyphs[index]), TextAlign::CenterBottom);
}

// One stroke for each bit 2..6 of the code, bit 4 on the middle row.
void DrawWidth(Surface& s, uint32_t code)
{
    for (int bit = 2; bit <= 6; ++bit) {
        if (code & (1u << bit))
            s.Segment(Left, Middle + bit - 4, Right, Middle + bit - 4);
    }
}

// The heads are the chart's own arrow glyphs, blitted as the task painter does.
void DrawLineArrow(Surface& s, uint32_t code)
{
    const bool left = code & ArrowLeft;
    const bool right = code & ArrowRight;
    s.Segment(Left + (left ? HeadLength : 0), Middle, Right - (right ? HeadLength : 0), Middle);
    const QImage& glyphs = ViewBitmap("IDB_TRIANGLE");
    if (left)
        s.Blit(Left, 0, HeadLength, AttributeImageHeight, glyphs, 0, 0, BlitOp::And);
    if (right)
        s.Blit(Right - HeadLength, 0, HeadLength, AttributeImageHeight, glyphs,
               GlyphCell - HeadLength, 0, BlitOp::And);
}

// A band's outline with a pointed end for the right head and a notch for the left one.
void DrawBandArrow(Surface& s, uint32_t code)
{
    const bool head = code & ArrowRight;
    const bool notch = code & ArrowLeft;
    if (head) {
        s.Segment(Right, Middle, Right - TipLength, BandTop);
        s.Segment(Right, Middle, Right - TipLength, BandBottom);
    } else {
        s.Segment(Right, BandTop, Right, BandBottom);
    }
    const int end = head ? Right - TipLength : Right;
    s.Segment(end, BandTop, Left, BandTop);
    s.Segment(end, BandBottom, Left, BandBottom);
    if (notch) {
        s.Segment(Left + TipLength, Middle, Left, BandTop);
        s.Segment(Left + TipLength, Middle, Left, BandBottom);
    } else {
        s.Segment(Left, BandTop, Left, BandBottom + 1);
    }
}

void DrawSample(Surface& s, int height, int weight)
{
    s.SelectFont(height, weight);
    s.TextOut(AttributeImageWidth / 2, AttributeImageHeight, QString::fromUtf8(SampleText),
              TextAlign::CenterBottom);
}

void DrawEntry(Surface& s, const char* strip, int index, uint32_t value)
{
    const auto is = [strip](const char* name) { return std::strcmp(strip, name) == 0; };
    const int number = static_cast<int>(value);
    if (is("IDB_COLOR_SEL"))
        DrawSwatch(s, value);
    else if (is("IDB_PEN_STYLE")) {
        s.SelectPen(number, 0);
        s.Segment(Left, Middle, Right, Middle);
    } else if (is("IDB_EVENT_MARK"))
        DrawMark(s, index);
    else if (is("IDB_PEN_WIDTH"))
        DrawWidth(s, value);
    else if (is("IDB_ARROW"))
        DrawLineArrow(s, value);
    else if (is("IDB_BAND_ARROW"))
        DrawBandArrow(s, value);
    else if (is("IDB_TEXT_HIGHT"))
        DrawSample(s, number, WeightNormal);
    else if (is("IDB_TEXT_WEIGHT"))
        DrawSample(s, 14, number);
}

QImage WhiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

}  // namespace

QImage AttributeImage(const AttributeTable& table, int index, double ratio)
{
    const DeviceScale pixels(ratio);
    QImage image =
        WhiteImage(pixels.Covering(AttributeImageWidth), pixels.Covering(AttributeImageHeight));
    uint32_t value = 0;
    if (table.ValueAt(index, value)) {
        Surface s(image, pixels);
        DrawEntry(s, table.bitmapStrip, index, value);
    }
    // Only now: a painter on an image of another ratio would scale the drawing again.
    image.setDevicePixelRatio(pixels.Ratio());
    return image;
}

QImage MonthArrowImage(bool next)
{
    constexpr int Width = 8;
    constexpr int Height = 15;
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    Surface s(image);
    for (int column = 0; column < Width; ++column) {
        const int reach = next ? Width - 1 - column : column;
        s.Segment(column, Height / 2 - reach, column, Height / 2 + reach + 1);
    }
    return image;
}

QIcon DialogIcon()
{
    constexpr int Size = 32;
    QImage image = WhiteImage(Size, Size);
    {
        Surface s(image);
        s.FillRect(2, 4, Size - 2, 6, 0x7F7F7F);
        s.FillRect(4, 10, 18, 14, 0xFF0000);
        s.FillRect(10, 17, 28, 21, 0x0000FF);
        s.FillRect(16, 24, 26, 28, 0x00AA00);
    }
    return QIcon(QPixmap::fromImage(image));
}

}  // namespace td
