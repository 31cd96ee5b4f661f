#include "platform/ui/Canvas.h"

#include <QPixmap>

#include <QBitmap>

#include "platform/app/Errors.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {
namespace {

// Where each system colour comes from in a Qt palette. Greys stand in for the caption
// colours, which Qt has not; disabled menu items are drawn in the inactive caption colour.
struct SystemColourRole {
    TColor colour;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};
constexpr SystemColourRole kSystemColourRoles[] = {
    {clScrollBar, QPalette::Active, QPalette::Button},
    {clBackground, QPalette::Active, QPalette::Dark},
    {clActiveCaption, QPalette::Active, QPalette::Highlight},
    {clInactiveCaption, QPalette::Active, QPalette::Mid},
    {clMenu, QPalette::Active, QPalette::Window},
    {clWindow, QPalette::Active, QPalette::Base},
    {clWindowFrame, QPalette::Active, QPalette::Shadow},
    {clMenuText, QPalette::Active, QPalette::WindowText},
    {clWindowText, QPalette::Active, QPalette::Text},
    {clCaptionText, QPalette::Active, QPalette::HighlightedText},
    {clActiveBorder, QPalette::Active, QPalette::Button},
    {clInactiveBorder, QPalette::Active, QPalette::Button},
    {clAppWorkSpace, QPalette::Active, QPalette::Mid},
    {clHighlight, QPalette::Active, QPalette::Highlight},
    {clHighlightText, QPalette::Active, QPalette::HighlightedText},
    {clBtnFace, QPalette::Active, QPalette::Button},
    {clBtnShadow, QPalette::Active, QPalette::Dark},
    {clGrayText, QPalette::Disabled, QPalette::Text},
    {clBtnText, QPalette::Active, QPalette::ButtonText},
    {clInactiveCaptionText, QPalette::Disabled, QPalette::Text},
    {clBtnHighlight, QPalette::Active, QPalette::Light},
    {cl3DDkShadow, QPalette::Active, QPalette::Shadow},
    {cl3DLight, QPalette::Active, QPalette::Midlight},
    {clInfoText, QPalette::Active, QPalette::ToolTipText},
    {clInfoBk, QPalette::Active, QPalette::ToolTipBase},
    {clHotLight, QPalette::Active, QPalette::Link},
    {clGradientActiveCaption, QPalette::Active, QPalette::Highlight},
    {clGradientInactiveCaption, QPalette::Active, QPalette::Mid},
    {clMenuHighlight, QPalette::Active, QPalette::Highlight},
    {clMenuBar, QPalette::Active, QPalette::Window},
};

// Floor of a / b for b > 0.
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

QRgb Opaque(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

void Put(QImage &image, int x, int y, QRgb rgb) {
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        reinterpret_cast<QRgb *>(image.scanLine(y))[x] = rgb;
}

QRgb Get(const QImage &image, int x, int y) {
    return reinterpret_cast<const QRgb *>(image.constScanLine(y))[x] | 0xFF000000u;
}

// Pixels (centres at +0.5) inside a box with corners rounded by an ellipse of the given size;
// an ellipse is a box whose corners take all of it.
std::vector<char> ShapeMask(int w, int h, int cornerWidth, int cornerHeight) {
    const double rx = std::min(cornerWidth, w) / 2.0, ry = std::min(cornerHeight, h) / 2.0;
    std::vector<char> mask(std::size_t(w) * h, 1);
    if (rx <= 0 || ry <= 0)
        return mask;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const double fx = std::min(i + 0.5, w - i - 0.5), fy = std::min(j + 0.5, h - j - 0.5);
            if (fx >= rx || fy >= ry)
                continue;
            const double dx = (rx - fx) / rx, dy = (ry - fy) / ry;
            mask[std::size_t(j) * w + i] = dx * dx + dy * dy <= 1.0;
        }
    return mask;
}

// Peels `times` layers of 4-connected border off a mask.
std::vector<char> Erode(std::vector<char> mask, int w, int h, int times) {
    for (int t = 0; t < times; ++t) {
        std::vector<char> next(mask.size(), 0);
        auto at = [&](int i, int j) {
            return i >= 0 && j >= 0 && i < w && j < h && mask[std::size_t(j) * w + i];
        };
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                next[std::size_t(j) * w + i] =
                    at(i, j) && at(i - 1, j) && at(i + 1, j) && at(i, j - 1) && at(i, j + 1);
        mask = std::move(next);
    }
    return mask;
}

// The text as shown: "&x" shows x underlined, "&&" shows one "&".
QString WithoutMnemonics(const QString &text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

QImage Writable(QImage image) {
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return image;
    default:
        return image.convertToFormat(QImage::Format_RGB32);
    }
}

} // namespace

TColor ColorToRGB(TColor color) {
    if (!(color & clSystemColor))
        return color;
    const QPalette palette = QApplication::palette();
    for (const SystemColourRole &entry : kSystemColourRoles)
        if (entry.colour == (color & 0x800000FF))
            return FromQColor(palette.color(entry.group, entry.role));
    return FromQColor(palette.color(QPalette::Button)); // an index Windows never used
}

TColor TransparentColor(const QImage &image) {
    return image.isNull() ? clNone : FromQColor(image.pixelColor(0, image.height() - 1));
}

QIcon TransparentIcon(const QImage &image) {
    if (image.isNull())
        return {};
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(QBitmap::fromImage(
        image.createMaskFromColor(ToQColor(TransparentColor(image)).rgb(), Qt::MaskInColor)));
    return QIcon(pixmap);
}

QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor &color) { return RGB(color.red(), color.green(), color.blue()); }

// --- TFont -----------------------------------------------------------------------------------

TFont::TFont() : name_(QApplication::font().family()) {}

int TFont::Size() const { return -int(std::lround(height_ * 72.0 / 96.0)); }

void TFont::SetSize(int points) { height_ = -int(std::lround(points * 96.0 / 72.0)); }

void TFont::AssignQFont(const QFont &font) {
    name_ = font.family();
    height_ = font.pixelSize() > 0 ? -font.pixelSize()
                                   : -int(std::lround(font.pointSizeF() * 96.0 / 72.0));
    style_ = (font.bold() ? unsigned(fsBold) : 0u) | (font.italic() ? unsigned(fsItalic) : 0u) |
             (font.underline() ? unsigned(fsUnderline) : 0u) |
             (font.strikeOut() ? unsigned(fsStrikeOut) : 0u);
}

QFont TFont::ToQFont() const {
    QFont font(name_);
    // A positive height counts the internal leading too; Qt only sizes the characters, so
    // the cell height is taken as a slightly larger character height.
    const int pixels = height_ < 0 ? -height_ : std::max(1, int(std::lround(height_ * 0.85)));
    font.setPixelSize(std::max(1, pixels));
    font.setBold(style_ & fsBold);
    font.setItalic(style_ & fsItalic);
    font.setUnderline(style_ & fsUnderline);
    font.setStrikeOut(style_ & fsStrikeOut);
    return font;
}

// --- TCanvas ---------------------------------------------------------------------------------

TCanvas::TCanvas(QImage *image) : image_(image) {}

TCanvas::TCanvas(QPixmap *pixmap) : pixmap_(pixmap) {}

TCanvas::~TCanvas() { EndLines(); }

TCanvas::LineBatch::~LineBatch() {
    canvas_.batching_ = false;
    canvas_.EndLines();
}

QPainter &TCanvas::LinePainter() {
    if (!linePainter_) {
        QImage &image = Target();
        linePainter_ = std::make_unique<QPainter>(&image);
        linePainter_->setRenderHint(QPainter::Antialiasing, false);
    }
    return *linePainter_;
}

void TCanvas::EndLines() const { linePainter_.reset(); }

QImage &TCanvas::Target() {
    EndLines();
    if (pixmap_) {
        Current();
        return pixmapImage_;
    }
    *image_ = Writable(*image_);
    return *image_;
}

void TCanvas::Changed() {
    if (pixmap_) {
        *pixmap_ = QPixmap::fromImage(pixmapImage_);
        pixmapKey_ = pixmap_->cacheKey();
    }
    if (OnChange)
        OnChange(this);
}

int TCanvas::Width() const { return pixmap_ ? pixmap_->width() : image_->width(); }
int TCanvas::Height() const { return pixmap_ ? pixmap_->height() : image_->height(); }
int TCanvas::BitsPerPixel() const { return pixmap_ ? pixmap_->depth() : image_->depth(); }

// A one-pixel line as GDI draws it: one pixel per step along the major axis, the minor
// coordinate rounded to the nearest pixel (halves towards the smaller coordinate), the last
// point left out.
void TCanvas::PlotLine(QImage &image, QPoint from, QPoint to, QRgb rgb) {
    const int dx = to.x() - from.x(), dy = to.y() - from.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int steps = xMajor ? std::abs(dx) : std::abs(dy);
    const int minor = xMajor ? dy : dx;
    for (int i = 0; i < steps; ++i) {
        // round-half-down(i * minor / steps) = ceil((2 * i * minor - steps) / (2 * steps))
        const int offset = -FloorDiv(-(2 * i * minor - steps), 2 * steps);
        if (xMajor)
            Put(image, from.x() + (dx > 0 ? i : -i), from.y() + offset, rgb);
        else
            Put(image, from.x() + offset, from.y() + (dy > 0 ? i : -i), rgb);
    }
}

void TCanvas::LineTo(int x, int y) {
    const QPoint from = penPos_, to(x, y);
    penPos_ = to;
    if (pen_.Style() == psClear)
        return;
    if (pen_.Width() <= 1) {
        PlotLine(Target(), from, to, Opaque(pen_.Color()));
    } else {
        // A wide pen is a shape with round ends, as GDI strokes it; the pixels whose centres it
        // covers are painted, without anti-aliasing. A batch shares its painter, unless the
        // owner looks at the picture after each line (a pixmap, or a change handler).
        const QPen pen(ToQColor(pen_.Color()), pen_.Width(), Qt::SolidLine, Qt::RoundCap,
                       Qt::RoundJoin);
        if (batching_ && !pixmap_ && !OnChange) {
            QPainter &painter = LinePainter();
            painter.setPen(pen);
            painter.drawLine(from, to);
        } else {
            QPainter painter(&Target());
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(pen);
            painter.drawLine(from, to);
        }
    }
    Changed();
}

void TCanvas::PaintShape(const TRect &box, int cornerWidth, int cornerHeight) {
    const int w = box.Width(), h = box.Height();
    if (w <= 0 || h <= 0)
        return;
    const std::vector<char> shape = ShapeMask(w, h, cornerWidth, cornerHeight);
    const bool outlined = pen_.Style() != psClear;
    const std::vector<char> inside = outlined ? Erode(shape, w, h, pen_.Width()) : shape;
    const QRgb penRgb = Opaque(pen_.Color()), brushRgb = Opaque(brush_.Color());
    const bool filled = brush_.Style() != bsClear;
    QImage &image = Target();
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const std::size_t k = std::size_t(j) * w + i;
            if (inside[k]) {
                if (filled)
                    Put(image, box.Left + i, box.Top + j, brushRgb);
            } else if (shape[k]) {
                Put(image, box.Left + i, box.Top + j, penRgb);
            }
        }
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    PaintShape({left, top, right, bottom}, 0, 0);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    PaintShape({left, top, right, bottom}, right - left, bottom - top);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight) {
    PaintShape({left, top, right, bottom}, cornerWidth, cornerHeight);
}

void TCanvas::FillRect(const TRect &r) {
    if (brush_.Style() == bsClear)
        return;
    QImage &image = Target();
    const QRgb rgb = Opaque(brush_.Color());
    const QRect area = r.ToQRect().intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            Put(image, x, y, rgb);
    Changed();
}

void TCanvas::FrameRect(const TRect &r) {
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    QImage &image = Target();
    const QRgb rgb = Opaque(brush_.Color());
    for (int x = r.Left; x < r.Right; ++x) {
        Put(image, x, r.Top, rgb);
        Put(image, x, r.Bottom - 1, rgb);
    }
    for (int y = r.Top; y < r.Bottom; ++y) {
        Put(image, r.Left, y, rgb);
        Put(image, r.Right - 1, y, rgb);
    }
    Changed();
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style) {
    QImage &image = Target();
    if (!image.rect().contains(x, y) || brush_.Style() == bsClear)
        return;
    const QRgb key = Opaque(color), fill = Opaque(brush_.Color());
    const int w = image.width(), h = image.height();
    auto fillable = [&](int px, int py) {
        return (Get(image, px, py) == key) == (style == fsSurface);
    };
    std::vector<char> seen(std::size_t(w) * h, 0);
    std::vector<QPoint> stack{QPoint(x, y)};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h)
            continue;
        char &visited = seen[std::size_t(p.y()) * w + p.x()];
        if (visited || !fillable(p.x(), p.y()))
            continue;
        visited = 1;
        stack.push_back(p + QPoint(1, 0));
        stack.push_back(p + QPoint(-1, 0));
        stack.push_back(p + QPoint(0, 1));
        stack.push_back(p + QPoint(0, -1));
    }
    // Painted only once the area is known, so a fill colour equal to the key cannot leak.
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px)
            if (seen[std::size_t(py) * w + px])
                Put(image, px, py, fill);
    Changed();
}

const QImage &TCanvas::Current() const {
    EndLines();
    if (!pixmap_)
        return *image_;
    if (pixmap_->cacheKey() != pixmapKey_ || pixmapImage_.isNull()) {
        pixmapImage_ = Writable(pixmap_->toImage());
        pixmapKey_ = pixmap_->cacheKey();
    }
    return pixmapImage_;
}

TColor TCanvas::Pixel(int x, int y) const {
    const QImage &image = Current();
    if (!image.rect().contains(x, y))
        return 0xFFFFFFFF;
    return FromQColor(image.pixelColor(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    Put(Target(), x, y, Opaque(color));
    Changed();
}

void TCanvas::FillSpans(const std::vector<TSpan> &spans) {
    QImage &image = Target();
    for (const TSpan &span : spans) {
        if (span.Y < 0 || span.Y >= image.height())
            continue;
        const int from = std::max(span.X, 0);
        const int to = std::min(span.X + span.Length, image.width());
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(span.Y));
        std::fill(line + from, line + std::max(from, to), Opaque(span.Color));
    }
    Changed();
}

void TCanvas::TextOut(int x, int y, const QString &text) {
    QImage &image = Target();
    const QFont font = font_.ToQFont();
    const QFontMetrics metrics(font);
    {
        QPainter painter(&image);
        if (brush_.Style() != bsClear)
            painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()),
                             ToQColor(brush_.Color()));
        painter.setFont(font);
        painter.setPen(ToQColor(font_.Color()));
        painter.drawText(QPoint(x, y + metrics.ascent()), text);
    }
    penPos_ = QPoint(x + metrics.horizontalAdvance(text), y);
    Changed();
}

int TCanvas::TextWidth(const QString &text) const {
    return QFontMetrics(font_.ToQFont()).horizontalAdvance(text);
}

// The cell height of the font, whatever the text: what GDI measures too.
int TCanvas::TextHeight(const QString &) const { return QFontMetrics(font_.ToQFont()).height(); }

int TCanvas::DrawText(const QString &text, TRect &r, unsigned format) {
    const QFont font = font_.ToQFont();
    int flags = (format & DT_NOPREFIX) ? 0 : int(Qt::TextShowMnemonic);
    flags |= (format & DT_CENTER)  ? int(Qt::AlignHCenter)
             : (format & DT_RIGHT) ? int(Qt::AlignRight)
                                   : int(Qt::AlignLeft);
    // Vertical placement only applies to a single line, as in GDI.
    if (format & DT_SINGLELINE)
        flags |= Qt::TextSingleLine | ((format & DT_VCENTER)  ? int(Qt::AlignVCenter)
                                       : (format & DT_BOTTOM) ? int(Qt::AlignBottom)
                                                              : int(Qt::AlignTop));
    else
        flags |= Qt::AlignTop;
    // Measured line by line with the same advances as TextWidth, so both agree.
    const QFontMetrics metrics(font);
    const QStringList lines = (format & DT_SINGLELINE) ? QStringList{text} : text.split('\n');
    int width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(
                                    (format & DT_NOPREFIX) ? line : WithoutMnemonics(line)));
    const int height = int(lines.size()) * metrics.height();
    if (format & DT_CALCRECT) {
        r.Right = r.Left + width;
        r.Bottom = r.Top + height;
        return height;
    }
    QImage &image = Target();
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(ToQColor(font_.Color()));
        if (format & DT_RTLREADING)
            painter.setLayoutDirection(Qt::RightToLeft);
        painter.drawText(r.ToQRect(), flags, text);
    }
    Changed();
    return height;
}

void TCanvas::Draw(int x, int y, const QImage &image) {
    {
        QPainter painter(&Target());
        painter.drawImage(QPoint(x, y), image);
    }
    Changed();
}

void TCanvas::DrawTransparent(int x, int y, const QImage &image, TColor transparent) {
    QImage &target = Target();
    const QImage source = Writable(image);
    const QRgb key = Opaque(transparent);
    for (int j = 0; j < source.height(); ++j)
        for (int i = 0; i < source.width(); ++i) {
            const QRgb rgb = Get(source, i, j);
            if (rgb != key)
                Put(target, x + i, y + j, rgb);
        }
    Changed();
}

void TCanvas::StretchDraw(const TRect &r, const QImage &image) {
    {
        QPainter painter(&Target());
        painter.drawImage(r.ToQRect(), image);
    }
    Changed();
}

// --- TBitmap ---------------------------------------------------------------------------------

TBitmap::TBitmap() : canvas_(&image_) {}

TBitmap::TBitmap(const QImage &image) : image_(Writable(image)), canvas_(&image_) {}

void TBitmap::SetSize(int width, int height) {
    if (width == Width() && height == Height())
        return;
    QImage resized(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    resized.fill(Qt::white);
    if (!image_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(QPoint(0, 0), image_);
    }
    image_ = resized;
}

void TBitmap::LoadFromFile(const QString &fileName) {
    QImage loaded;
    if (!loaded.load(fileName))
        throw EFOpenError(fileName);
    image_ = Writable(loaded);
}

void TBitmap::SaveToFile(const QString &fileName) const {
    if (!image_.save(fileName, "BMP"))
        throw EInOutError(fileName, QCoreApplication::translate("Canvas", "écriture impossible"));
}

void TBitmap::Assign(const QImage &image) { image_ = Writable(image); }

TColor TBitmap::TransparentColor() const { return platform::TransparentColor(image_); }

} // namespace platform
