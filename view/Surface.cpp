#include "view/Surface.h"

#include "view/ShiftJis.h"
#include "view/TextCache.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QStaticText>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <unordered_map>

namespace td {

namespace {

const QString ChartFace = QStringLiteral("ＭＳ Ｐゴシック");

// GDI's cosmetic dash lengths, in pixels: on, off, on, off ...
QList<qreal> DashPattern(int32_t style)
{
    switch (style) {
    case PenDash:
        return {18, 6};
    case PenDot:
        return {3, 3};
    case PenDashDot:
        return {9, 6, 3, 6};
    case PenDashDotDot:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

// Calls paint(from, to) for each run of pixels [from, to) that a pen paints along a level or
// upright segment from `start` towards `end`, as the raster engine paints it unscaled. A thin
// pen run backwards keeps its start and loses its far end, and its dashes begin a pixel short of
// the start; a wide pen covers the pixels between the ends.
template <typename Paint>
void PaintedRuns(int start, int end, bool wide, const QList<qreal>& dashes, Paint paint)
{
    const int step = end > start ? 1 : -1;
    const int length = std::abs(end - start);
    if (dashes.isEmpty()) {
        const int from = wide ? std::min(start, end) : step > 0 ? start : end + 1;
        paint(from, from + length);
        return;
    }
    const int origin = step > 0 ? start : start - 1;
    const int count = step > 0 ? length : length - 1;
    if (step < 0)
        paint(start, start + 1);
    int phase = 0;
    for (int done = 0; done < count; phase = (phase + 1) % dashes.size()) {
        const int dash = std::min(count - done, static_cast<int>(dashes[phase]));
        if (phase % 2 == 0) {
            const int near = origin + step * done;
            const int far = origin + step * (done + dash - 1);
            paint(std::min(near, far), std::max(near, far) + 1);
        }
        done += dash;
    }
}

// DrawText of an edit control breaks at CR LF as well as at the right edge.
QString WithLineSeparators(QString text)
{
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    return text;
}

// GDI's source-AND of two colours, channel by channel.
QColor AndColors(const QColor& a, const QColor& b)
{
    return QColor(a.red() & b.red(), a.green() & b.green(), a.blue() & b.blue());
}

int ClampedFontHeight(int height)
{
    return std::max(1, height);
}

int ClampedFontWeight(int weight)
{
    return std::clamp(weight, 1, 1000);
}

int64_t FontKey(int height, int weight)
{
    return static_cast<int64_t>(height) << 16 | weight;
}

// Building a QFont resolves the face's substitutes, and the metrics need the font loaded.
const ChartFont& CachedFont(int height, int weight)
{
    // Surfaces keep pointers to their fonts: the map must never move its values.
    static std::unordered_map<int64_t, ChartFont> fonts;
    // Items ask for the same font one after another.
    static const ChartFont* last = nullptr;
    const int64_t key = FontKey(height, weight);
    if (last && last->key == key)
        return *last;
    if (auto found = fonts.find(key); found != fonts.end()) {
        last = &found->second;
        return *last;
    }
    QFont font(ChartFace);
    font.setPixelSize(height);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font);
    last = &fonts.emplace(key, ChartFont{font, key, metrics.ascent() + metrics.descent()})
                .first->second;
    return *last;
}

struct ShapedLine {
    QStaticText text;
    int width = 0;
};

struct WrappedText {
    std::unique_ptr<QTextLayout> layout;
    int lines = 0;
};

// The chart is only ever drawn from the GUI thread.
TextCache<ShapedLine>& ShapedLines()
{
    static TextCache<ShapedLine> cache;
    return cache;
}

TextCache<WrappedText>& WrappedTexts()
{
    static TextCache<WrappedText> cache;
    return cache;
}

const ShapedLine& Shaped(const QString& text, const ChartFont& font)
{
    TextKey key{font.key, 0, text};
    if (const ShapedLine* found = ShapedLines().Find(key))
        return *found;
    QStaticText shaped(text);
    shaped.setTextFormat(Qt::PlainText);
    shaped.setPerformanceHint(QStaticText::AggressiveCaching);
    shaped.prepare(QTransform(), font.font);
    const int width = static_cast<int>(std::lround(shaped.size().width()));
    return ShapedLines().Insert(std::move(key), {shaped, width});
}

const WrappedText& Wrapped(const QString& text, const ChartFont& font, int width)
{
    TextKey key{font.key, width, text};
    if (const WrappedText* found = WrappedTexts().Find(key))
        return *found;
    auto layout = std::make_unique<QTextLayout>(WithLineSeparators(text), font.font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->beginLayout();
    int lines = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, lines * font.lineHeight));
        ++lines;
    }
    layout->endLayout();
    return WrappedTexts().Insert(std::move(key), {std::move(layout), lines});
}

}  // namespace

Surface::Surface(QPaintDevice& device) : Surface(device, 1.0, DeviceScale()) {}

Surface::Surface(QPaintDevice& device, qreal scale) : Surface(device, scale, DeviceScale()) {}

Surface::Surface(QImage& device, const DeviceScale& pixels) : Surface(device, 1.0, pixels) {}

Surface::Surface(QPaintDevice& device, qreal scale, const DeviceScale& pixels)
    : scale(scale)
    , pixels(pixels)
{
    InstallFontSubstitution();
    painter.begin(&device);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (scale != 1.0)
        painter.scale(scale, scale);
    const QPaintEngine* engine = painter.paintEngine();
    raster = engine && engine->type() == QPaintEngine::Raster;
    svg = engine && engine->type() == QPaintEngine::SVG;
    deviceRect = QRect(0, 0, static_cast<int>(std::ceil(device.width() / scale)),
                       static_cast<int>(std::ceil(device.height() / scale)));
    SelectBlackPen();
    SelectFont(14, 400);
}

Surface::~Surface()
{
    painter.end();
}

QColor Surface::ToQColor(uint32_t colorRef)
{
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

void Surface::InstallFontSubstitution()
{
    static const bool installed = [] {
        QFont::insertSubstitutions(ChartFace, {QStringLiteral("IPAPGothic"),
                                               QStringLiteral("IPA Pゴシック"),
                                               QStringLiteral("Noto Sans CJK JP"),
                                               QStringLiteral("IPAGothic"),
                                               QStringLiteral("VL PGothic"),
                                               QStringLiteral("Droid Sans Fallback")});
        return true;
    }();
    (void)installed;
}

void Surface::SelectPen(int32_t style, uint32_t color)
{
    // Items select their pen one after another, mostly the same few.
    if (cosmeticStyle == style && pen.isCosmetic() && pen.color() == ToQColor(color))
        return;
    pen = QPen(ToQColor(color));
    pen.setWidth(1);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    QList<qreal> dashes = DashPattern(style);
    if (!dashes.isEmpty())
        pen.setDashPattern(dashes);
    cosmeticStyle = style;
    ApplyPen();
}

void Surface::SelectWidePen(int32_t width, uint32_t color)
{
    cosmeticStyle = -1;
    pen = QPen(ToQColor(color));
    pen.setWidth(std::max(1, width));
    // Scaled down below a pixel, Qt would draw the line faint; it stays one pixel wide.
    pen.setCosmetic(pen.width() * scale < 1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::BevelJoin);
    ApplyPen();
}

void Surface::SelectGeometricPen(int32_t width, const std::vector<int32_t>& dashes, uint32_t color)
{
    SelectWidePen(width, color);
    if (!dashes.empty()) {
        // Qt measures dashes in pen widths, the callers in drawing units.
        const qreal unit = pen.isCosmetic() ? 1 / scale : pen.width();
        QList<qreal> pattern;
        for (int32_t d : dashes)
            pattern.append(std::max(1, d) / unit);
        if (pattern.size() % 2 != 0)
            pattern.append(pattern.back());
        pen.setDashPattern(pattern);
    }
    ApplyPen();
}

void Surface::ApplyPen()
{
    if (painterPen == PainterPen::Line)
        painterPen = PainterPen::Stale;
}

// Text and lines take turns on the painter's pen; it is set only when the other one had it. A
// tint may ask for another colour than the selected one, just for one drawing.
void Surface::UseLinePen(const QColor& color)
{
    if (color != pen.color()) {
        QPen tinted = pen;
        tinted.setColor(color);
        painter.setPen(tinted);
        painterPen = PainterPen::Stale;
        return;
    }
    if (painterPen != PainterPen::Line)
        painter.setPen(pen);
    painterPen = PainterPen::Line;
}

void Surface::UseTextPen(const QColor& color)
{
    if (color != textColor) {
        painter.setPen(color);
        painterPen = PainterPen::Stale;
        return;
    }
    if (painterPen != PainterPen::Text)
        painter.setPen(textColor);
    painterPen = PainterPen::Text;
}

void Surface::Segment(int x1, int y1, int x2, int y2)
{
    if (x1 == x2 && y1 == y2)
        return;
    const int reach = pen.width();
    const QRect bounds = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                               QPoint(std::max(x1, x2), std::max(y1, y2)))
                             .adjusted(-reach, -reach, reach, reach);
    Tinted(bounds, pen.color(), [&](const QColor& color) { Stroke(x1, y1, x2, y2, color); });
}

void Surface::Stroke(int x1, int y1, int x2, int y2, const QColor& color)
{
    if (!pixels.IsIdentity()) {
        StrokeScaled(x1, y1, x2, y2, color);
        return;
    }
    UseLinePen(color);
    if (!pen.isCosmetic() && pen.width() > 1) {
        painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
        return;
    }
    // A flat-capped cosmetic line leaves out the pixel at its larger end along the major axis,
    // whichever way it runs. LineTo leaves out the end point: a line drawn towards smaller
    // coordinates must lose its far end instead and keep its start.
    const bool xMajor = std::abs(x2 - x1) >= std::abs(y2 - y1);
    const bool reversed = xMajor ? x2 < x1 : y2 < y1;
    if (svg) {
        // A vector stroke covers exactly its geometry: half a pixel across centres it on the
        // pixels GDI paints, and one pixel along leaves out a reversed line's far end.
        const int along = reversed ? 1 : 0;
        const QPointF shift = xMajor ? QPointF(along, 0.5) : QPointF(0.5, along);
        painter.drawLine(QPointF(x1, y1) + shift, QPointF(x2, y2) + shift);
        return;
    }
    // A solid level or upright line is a one-pixel fill of the same pixels, which the raster
    // engine paints without stepping along the line.
    if (cosmeticStyle == PenSolid && raster && (x1 == x2 || y1 == y2)
        && painter.transform().isIdentity()) {
        const int from = reversed ? (xMajor ? x2 : y2) + 1 : (xMajor ? x1 : y1);
        const int length = std::abs(xMajor ? x2 - x1 : y2 - y1);
        painter.fillRect(xMajor ? QRect(from, y1, length, 1) : QRect(x1, from, 1, length), color);
        return;
    }
    if (!reversed) {
        painter.drawLine(QPoint(x1, y1), QPoint(x2, y2));
        return;
    }
    constexpr int Far = 1 << 24;
    painter.save();
    painter.setClipRect(xMajor ? QRect(QPoint(x2 + 1, -Far), QPoint(x1, Far))
                               : QRect(QPoint(-Far, y2 + 1), QPoint(Far, y1)),
                        Qt::IntersectClip);
    painter.drawLine(QPoint(x1, y1), QPoint(x2, y2));
    painter.restore();
    painter.drawPoint(x1, y1);
}

// A level or upright segment at a device scale: the logical pixels the unscaled pen paints along
// it become fills of whole device pixels.
void Surface::StrokeScaled(int x1, int y1, int x2, int y2, const QColor& color)
{
    const bool wide = !pen.isCosmetic() && pen.width() > 1;
    if (x1 != x2 && y1 != y2) {
        StrokeSlantScaled(x1, y1, x2, y2, color, wide);
        return;
    }
    const bool level = y1 == y2;
    const int width = wide ? pen.width() : 1;
    const int line = pixels((level ? y1 : x1) - width / 2);
    const int across = pixels.Width(width);
    const QList<qreal> dashes = wide ? QList<qreal>() : DashPattern(cosmeticStyle);
    PaintedRuns(level ? x1 : y1, level ? x2 : y2, wide, dashes, [&](int from, int to) {
        const int a = pixels(from);
        const int b = pixels(to);
        painter.fillRect(level ? QRect(a, line, b - a, across) : QRect(line, a, across, b - a),
                         color);
    });
}

// A slanting segment is drawn anew in device pixels, as wide as the pen's rules.
void Surface::StrokeSlantScaled(int x1, int y1, int x2, int y2, const QColor& color, bool wide)
{
    const int across = pixels.Width(wide ? pen.width() : 1);
    QPen devicePen(color, across, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin);
    if (const QList<qreal> dashes = DashPattern(cosmeticStyle); !wide && !dashes.isEmpty()) {
        QList<qreal> pattern;
        for (qreal d : dashes)
            pattern.append(d * pixels.Ratio() / across);
        devicePen.setDashPattern(pattern);
    }
    painter.setPen(devicePen);
    painterPen = PainterPen::Stale;
    const QPoint centre(across / 2, across / 2);
    painter.drawLine(QPoint(pixels(x1), pixels(y1)) + centre,
                     QPoint(pixels(x2), pixels(y2)) + centre);
}

void Surface::FillRect(int left, int top, int right, int bottom, uint32_t color)
{
    if (right <= left || bottom <= top)
        return;
    PaintFill(pixels(QRect(left, top, right - left, bottom - top)), ToQColor(color));
}

void Surface::PaintFill(const QRect& area, const QColor& color)
{
    if (svg)
        FillTintedParts(area, color);
    else
        Tinted(area, color, [&](const QColor& shade) { painter.fillRect(area, shade); });
    if (raster)
        return;
    // A page begins with a fill of the whole device; nothing under it shows again.
    if (area.contains(deviceRect))
        fills.clear();
    fills.emplace_back(area, color);
    const QColor tinted = AndColors(color, ToQColor(tintColor));
    for (const QRect& part : tintRegion.intersected(area))
        fills.emplace_back(part, tinted);
}

// SVG has no clipping: each side of a tint's edge is filled on its own.
void Surface::FillTintedParts(const QRect& area, const QColor& color)
{
    const QColor tinted = AndColors(color, ToQColor(tintColor));
    for (const QRect& part : QRegion(area).subtracted(tintRegion))
        painter.fillRect(part, color);
    for (const QRect& part : tintRegion.intersected(area))
        painter.fillRect(part, tinted);
}

QColor Surface::FillUnder(const QPoint& point) const
{
    for (auto fill = fills.rbegin(); fill != fills.rend(); ++fill)
        if (fill->first.contains(point))
            return fill->second;
    return Qt::white;
}

template <typename Draw>
void Surface::Tinted(const QRect& bounds, const QColor& color, Draw draw)
{
    const bool reached = !raster && !tintRegion.isEmpty() && tintRegion.intersects(bounds);
    const QColor tinted = reached ? AndColors(color, ToQColor(tintColor)) : color;
    if (tinted == color) {
        draw(color);
        return;
    }
    const QRegion inside = tintRegion.intersected(bounds);
    if (inside == QRegion(bounds)) {
        draw(tinted);
        return;
    }
    for (const auto& [part, shade] : {std::pair{QRegion(bounds).subtracted(tintRegion), color},
                                      std::pair{inside, tinted}}) {
        painter.save();
        painter.setClipRegion(part, Qt::IntersectClip);
        draw(shade);
        painter.restore();
        painterPen = PainterPen::Stale;
    }
}

void Surface::SelectFont(int height, int weight)
{
    height = ClampedFontHeight(height);
    weight = ClampedFontWeight(weight);
    // Items select their font one after another, mostly the same one; building a QFont resolves
    // the face's substitutes each time.
    if (font && font->key == FontKey(height, weight))
        return;
    font = &CachedFont(height, weight);
    deviceFont = pixels.IsIdentity()
                     ? font
                     : &CachedFont(static_cast<int>(std::lround(height * pixels.Ratio())), weight);
    painter.setFont(deviceFont->font);
}

void Surface::SetTextColor(uint32_t color)
{
    const QColor color32 = ToQColor(color);
    if (color32 == textColor)
        return;
    textColor = color32;
    if (painterPen == PainterPen::Text)
        painterPen = PainterPen::Stale;
}

int Surface::AlignedX(int x, int width, TextAlign align) const
{
    return align == TextAlign::CenterBottom ? x - width / 2 : x;
}

void Surface::TextOut(int x, int y, const QString& text, TextAlign align)
{
    if (text.isEmpty())
        return;
    const ShapedLine& shaped = Shaped(text, *deviceFont);
    const int height = deviceFont->lineHeight;
    const int left = AlignedX(pixels(x), shaped.width, align);
    const int top = align == TextAlign::CenterBottom ? pixels(y) - height : pixels(y);
    const QRect cells(left, top, shaped.width, height);
    if (!Touches(cells, height))
        return;
    PaintFill(cells, Qt::white);
    Tinted(cells, textColor, [&](const QColor& color) {
        UseTextPen(color);
        painter.drawStaticText(QPoint(left, top), shaped.text);
    });
}

void Surface::TextOut(int x, int y, const char* bytes, std::size_t maxBytes, TextAlign align)
{
    TextOut(x, y, FromShiftJis(bytes, maxBytes), align);
}

int Surface::DrawWrapped(int left, int top, int right, int bottom, const QString& text)
{
    if (text.isEmpty())
        return 0;
    const int lineHeight = font->lineHeight;
    const WrappedText& wrapped = Wrapped(text, *font, std::max(1, right - left));
    const QTextLayout& layout = *wrapped.layout;
    const QRect clip(left, top, right - left, bottom - top);
    const bool visible = right > left && bottom > top && Touches(pixels(clip));
    if (visible && !pixels.IsIdentity()) {
        DrawWrappedScaled(top, clip, layout);
    } else if (visible) {
        painter.save();
        painter.setClipRect(clip);
        for (int i = 0; i < layout.lineCount(); ++i) {
            QTextLine line = layout.lineAt(i);
            int lineTop = top + i * lineHeight;
            if (lineTop >= bottom)
                break;
            int textWidth = static_cast<int>(line.naturalTextWidth() + 0.5);
            PaintFill(QRect(left, lineTop, textWidth, lineHeight).intersected(clip), Qt::white);
        }
        Tinted(clip, textColor, [&](const QColor& color) {
            painter.setPen(color);
            if (!svg) {
                layout.draw(&painter, QPointF(left, top));
                return;
            }
            // Without clipping, a line is drawn whole when its baseline lies in the rectangle.
            for (int i = 0; i < layout.lineCount(); ++i) {
                const QTextLine line = layout.lineAt(i);
                if (top + line.y() + line.ascent() <= bottom)
                    line.draw(&painter, QPointF(left, top));
            }
        });
        painter.restore();
    }
    return wrapped.lines * lineHeight;
}

// The lines break where they break unscaled, so that a cell's text takes the same height at
// any scale; each is drawn in the device font on its own.
void Surface::DrawWrappedScaled(int top, const QRect& clip, const QTextLayout& layout)
{
    const QRect deviceClip = pixels(clip);
    painter.save();
    painter.setClipRect(deviceClip);
    UseTextPen(textColor);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const int lineTop = top + i * font->lineHeight;
        if (lineTop >= clip.y() + clip.height())
            break;
        const QTextLine line = layout.lineAt(i);
        QString part = layout.text().mid(line.textStart(), line.textLength());
        while (!part.isEmpty() && (part.back() == QChar::LineSeparator || part.back().isSpace()))
            part.chop(1);
        if (part.isEmpty())
            continue;
        const ShapedLine& shaped = Shaped(part, *deviceFont);
        const int deviceTop = pixels(lineTop);
        const QRect cells(deviceClip.x(), deviceTop, shaped.width,
                          pixels(lineTop + font->lineHeight) - deviceTop);
        painter.fillRect(cells.intersected(deviceClip), Qt::white);
        painter.drawStaticText(cells.topLeft(), shaped.text);
    }
    painter.restore();
    painterPen = PainterPen::Stale;
}

int Surface::DrawWrapped(int left, int top, int right, int bottom, const char* bytes,
                         std::size_t maxBytes)
{
    return DrawWrapped(left, top, right, bottom, FromShiftJis(bytes, maxBytes));
}

int Surface::LineHeight() const
{
    return font->lineHeight;
}

void Surface::BeginChartPass()
{
    ShapedLines().BeginPass();
    WrappedTexts().BeginPass();
}

int Surface::LineHeightOf(int height, int weight)
{
    return CachedFont(ClampedFontHeight(height), ClampedFontWeight(weight)).lineHeight;
}

bool Surface::Touches(const QRect& area, int spare) const
{
    return area.adjusted(-spare, -spare, spare, spare).intersects(deviceRect);
}

void Surface::SetBlitMode(BlitOp op)
{
    painter.setCompositionMode(op == BlitOp::Copy ? QPainter::CompositionMode_Source
                                                  : QPainter::RasterOp_SourceAndDestination);
}

// Printers and PDF have no raster operations: the source's white leaves the page as it is, and
// every other source pixel is painted in its colour ANDed with the fill under it.
void Surface::AndOntoFills(const QRect& target, const QImage& source, const QRect& from)
{
    const auto along = [](int start, int length, int i, int count) {
        return start + static_cast<int>(static_cast<int64_t>(i) * length / count);
    };
    for (int row = 0; row < from.height(); ++row) {
        const int top = along(target.top(), target.height(), row, from.height());
        const int bottom = along(target.top(), target.height(), row + 1, from.height());
        const int sy = from.top() + row;
        // Runs of one source colour become one rectangle.
        for (int col = 0, end = 0; col < from.width(); col = end) {
            const int sx = from.left() + col;
            const QRgb pixel = source.valid(sx, sy) ? source.pixel(sx, sy) : qRgb(255, 255, 255);
            for (end = col + 1; end < from.width() && source.valid(from.left() + end, sy)
                                && source.pixel(from.left() + end, sy) == pixel;)
                ++end;
            const int left = along(target.left(), target.width(), col, from.width());
            const int right = along(target.left(), target.width(), end, from.width());
            const QRect run(left, top, right - left, bottom - top);
            if ((pixel & 0xFFFFFF) != 0xFFFFFF && !run.isEmpty())
                painter.fillRect(run, AndColors(QColor(pixel), FillUnder(run.center())));
        }
    }
}

// Qt's SVG generator draws a source image whole, whatever part of it was asked for.
void Surface::DrawImagePart(const QRect& target, const QImage& source, const QRect& from)
{
    if (svg)
        painter.drawImage(target, source.copy(from));
    else
        painter.drawImage(target, source, from);
}

void Surface::Blit(int x, int y, int width, int height, const QImage& source, int sx, int sy,
                   BlitOp op)
{
    if (width <= 0 || height <= 0 || source.isNull())
        return;
    if (op == BlitOp::And && !raster) {
        AndOntoFills(QRect(x, y, width, height), source, QRect(sx, sy, width, height));
        return;
    }
    SetBlitMode(op);
    DrawImagePart(pixels(QRect(x, y, width, height)), source, QRect(sx, sy, width, height));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Surface::CopyAtScale(int x, int y, const QImage& source, const QRect& from)
{
    const QRect part = pixels(from);
    if (part.isEmpty() || source.isNull())
        return;
    SetBlitMode(BlitOp::Copy);
    DrawImagePart(QRect(QPoint(pixels(x), pixels(y)), part.size()), source, part);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Surface::Stretch(int x, int y, int width, int height, const QImage& source, int sx, int sy,
                      int sourceWidth, int sourceHeight, BlitOp op)
{
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0 || source.isNull())
        return;
    if (op == BlitOp::And && !raster) {
        AndOntoFills(QRect(x, y, width, height), source,
                     QRect(sx, sy, sourceWidth, sourceHeight));
        return;
    }
    SetBlitMode(op);
    const QRect target = pixels(QRect(x, y, width, height));
    if (sourceWidth == 1 && sourceHeight == 1 && source.valid(sx, sy)) {
        // One pixel stretched is a fill; the raster engine combines fills as it does images.
        painter.fillRect(target, source.pixelColor(sx, sy));
    } else {
        DrawImagePart(target, source, QRect(sx, sy, sourceWidth, sourceHeight));
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Surface::BeginTint(std::vector<QRect> areas, uint32_t color)
{
    tintAreas = std::move(areas);
    tintColor = color;
    if (raster)
        return;
    for (const QRect& area : tintAreas)
        tintRegion += area;
    for (const QRect& area : tintAreas)
        PaintFill(area, Qt::white);
}

void Surface::EndTint()
{
    if (raster) {
        // One pixel stretched with source-AND, as the chart's tint is laid.
        SetBlitMode(BlitOp::And);
        for (const QRect& area : tintAreas)
            if (!area.isEmpty())
                painter.fillRect(pixels(area), ToQColor(tintColor));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    tintAreas.clear();
    tintRegion = QRegion();
    tintColor = 0xFFFFFF;
}

}  // namespace td
