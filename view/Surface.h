#pragma once

#include "view/DeviceScale.h"

#include <QFont>
#include <QPainter>
#include <QPen>
#include <QRegion>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class QImage;
class QPaintDevice;
class QTextLayout;

namespace td {

// Pen styles as the attribute tables store them.
enum SurfacePenStyle : int32_t {
    PenSolid = 0,
    PenDash = 1,
    PenDot = 2,
    PenDashDot = 3,
    PenDashDotDot = 4,
};

enum class TextAlign {
    LeftTop,
    CenterBottom,
};

enum class BlitOp {
    Copy,
    And,
};

// The program's face at one pixel height and weight, made once with what drawing needs of it.
struct ChartFont {
    QFont font;
    int64_t key = 0;
    int lineHeight = 0;
};

// The chart's drawing vocabulary, with GDI's pixel rules: segments leave out their end point,
// fills leave out the right and bottom edges, text is painted opaquely on white, one-pixel pens
// are never antialiased. Colours are 0x00BBGGRR. Every renderer draws through this class so that
// no other file has to know how QPainter differs.
class Surface {
public:
    explicit Surface(QPaintDevice& device);
    // Drawn in units of 1 / `scale` device pixels (the preview draws a page at a quarter).
    Surface(QPaintDevice& device, qreal scale);
    // An image of a screen's device pixels, drawn in logical pixels: edges on whole device
    // pixels, text laid out at the device's pixel height.
    Surface(QImage& device, const DeviceScale& pixels);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    static QColor ToQColor(uint32_t colorRef);
    // Registers the substitute for the program's font face; safe to call more than once.
    static void InstallFontSubstitution();

    // Pens. The default pen is black, solid, one pixel.
    void SelectPen(int32_t style, uint32_t color);
    // A solid pen of the given width (a dotted pen wider than one pixel draws solid, as in GDI).
    void SelectWidePen(int32_t width, uint32_t color);
    // A geometric pen with a user-defined dash pattern in device pixels and bevel joins. Pages
    // use it; a surface at a device scale draws it solid.
    void SelectGeometricPen(int32_t width, const std::vector<int32_t>& dashes, uint32_t color);
    void SelectBlackPen() { SelectPen(PenSolid, 0); }

    // One segment from (x1, y1) up to, not including, (x2, y2).
    void Segment(int x1, int y1, int x2, int y2);

    // Fills left..right-1 by top..bottom-1; nothing when the rectangle is empty.
    void FillRect(int left, int top, int right, int bottom, uint32_t color);

    // Fonts: the program's face at a pixel cell height and a weight (400 normal, 700 bold).
    void SelectFont(int height, int weight);
    void SetTextColor(uint32_t color);
    void TextOut(int x, int y, const QString& text, TextAlign align = TextAlign::LeftTop);
    // Shift-JIS bytes up to the first NUL or maxBytes.
    void TextOut(int x, int y, const char* bytes, std::size_t maxBytes,
                 TextAlign align = TextAlign::LeftTop);
    // Word-wrapped text clipped to left..right-1 by top..bottom-1, lines broken at spaces and,
    // within a word too long for the line, between characters. Returns the height the lines
    // used (which may exceed the rectangle, as DrawText reports it).
    int DrawWrapped(int left, int top, int right, int bottom, const QString& text);
    int DrawWrapped(int left, int top, int right, int bottom, const char* bytes,
                    std::size_t maxBytes);
    // Height of one line of text in the selected font.
    int LineHeight() const;
    // Height of one line of text in the font that SelectFont(height, weight) selects.
    static int LineHeightOf(int height, int weight);
    // Called as each full redraw of the chart begins, so that the kept text layouts can let go
    // of those the previous redraw did not use.
    static void BeginChartPass();

    // On printers and PDF, which have no raster operations, an AND leaves the page under the
    // source's white and paints its other pixels ANDed with the fills painted under them.
    // Copies width x height pixels of source at (sx, sy) to (x, y).
    void Blit(int x, int y, int width, int height, const QImage& source, int sx, int sy,
              BlitOp op = BlitOp::Copy);
    // Scales the source rectangle onto the destination rectangle, nearest neighbour.
    void Stretch(int x, int y, int width, int height, const QImage& source, int sx, int sy,
                 int sourceWidth, int sourceHeight, BlitOp op = BlitOp::Copy);
    // Copies the logical rectangle `from` of an image drawn at this surface's device scale,
    // its top left corner to (x, y), pixel for pixel.
    void CopyAtScale(int x, int y, const QImage& source, const QRect& from);
    const DeviceScale& Pixels() const { return pixels; }

    // A solid colour ANDed over the blank `areas` and over everything drawn into them until
    // EndTint. Raster devices combine it with their pixels at EndTint. Printers and PDF cannot
    // read their page back: there the areas take the tint at once and what is drawn into them
    // takes its colour ANDed with it, which paints the same page.
    void BeginTint(std::vector<QRect> areas, uint32_t color);
    void EndTint();

private:
    enum class PainterPen { Stale, Line, Text };

    Surface(QPaintDevice& device, qreal scale, const DeviceScale& pixels);

    void ApplyPen();
    void UseLinePen(const QColor& color);
    void UseTextPen(const QColor& color);
    void Stroke(int x1, int y1, int x2, int y2, const QColor& color);
    // The same segment in device pixels, at a device scale other than one.
    void StrokeScaled(int x1, int y1, int x2, int y2, const QColor& color);
    void StrokeSlantScaled(int x1, int y1, int x2, int y2, const QColor& color, bool wide);
    void DrawWrappedScaled(int top, const QRect& clip, const QTextLayout& layout);
    void SetBlitMode(BlitOp op);
    // Paints and, on a device that cannot be read back, remembers an opaque fill.
    void PaintFill(const QRect& area, const QColor& color);
    void FillTintedParts(const QRect& area, const QColor& color);
    // Calls draw(colour) once, or, where a tint on a device without raster operations reaches
    // part of `bounds`, once clipped to each side with the colour that side must show.
    template <typename Draw>
    void Tinted(const QRect& bounds, const QColor& color, Draw draw);
    void DrawImagePart(const QRect& target, const QImage& source, const QRect& from);
    void AndOntoFills(const QRect& target, const QImage& source, const QRect& from);
    QColor FillUnder(const QPoint& point) const;
    int AlignedX(int x, int width, TextAlign align) const;
    // Whether a rectangle, grown by `spare` on every side, meets the device at all.
    bool Touches(const QRect& area, int spare = 0) const;

    QPainter painter;
    QPen pen;
    // The style of the selected one-pixel pen, -1 for a wide pen.
    int32_t cosmeticStyle = -1;
    PainterPen painterPen = PainterPen::Stale;
    // The selected font measures the logical layout; its device twin draws the glyphs.
    const ChartFont* font = nullptr;
    const ChartFont* deviceFont = nullptr;
    QColor textColor = Qt::black;
    bool raster = true;
    // Qt's SVG generator: no clipping, strokes on exact geometry.
    bool svg = false;
    qreal scale = 1;
    DeviceScale pixels;
    // The device's extent in the painter's units.
    QRect deviceRect;
    std::vector<QRect> tintAreas;
    QRegion tintRegion;
    uint32_t tintColor = 0xFFFFFF;
    // Devices that cannot be read back: the opaque fills painted so far, the last on top.
    std::vector<std::pair<QRect, QColor>> fills;
};

}  // namespace td
