// A GDI-like drawing surface over a QImage: pen, brush, font, lines without their end point,
// shapes with exclusive right and bottom edges, flood fill, pixels and text. Colours are
// 32-bit values with red in the low byte, or system colours (0x80000000 + index).
#pragma once

#include "base/Event.h"

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

using TColor = std::uint32_t;

constexpr TColor RGB(int r, int g, int b) {
    return TColor(r & 0xFF) | TColor(g & 0xFF) << 8 | TColor(b & 0xFF) << 16;
}
constexpr int GetRValue(TColor c) { return int(c & 0xFF); }
constexpr int GetGValue(TColor c) { return int(c >> 8 & 0xFF); }
constexpr int GetBValue(TColor c) { return int(c >> 16 & 0xFF); }

constexpr TColor clBlack = RGB(0, 0, 0), clMaroon = RGB(128, 0, 0), clGreen = RGB(0, 128, 0),
                 clOlive = RGB(128, 128, 0), clNavy = RGB(0, 0, 128), clPurple = RGB(128, 0, 128),
                 clTeal = RGB(0, 128, 128), clGray = RGB(128, 128, 128),
                 clSilver = RGB(192, 192, 192), clRed = RGB(255, 0, 0), clLime = RGB(0, 255, 0),
                 clYellow = RGB(255, 255, 0), clBlue = RGB(0, 0, 255), clFuchsia = RGB(255, 0, 255),
                 clAqua = RGB(0, 255, 255), clWhite = RGB(255, 255, 255);
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

// System colours: the high bit plus the system colour index.
constexpr TColor clSystemColor = 0x80000000;
constexpr TColor clScrollBar = clSystemColor | 0, clBackground = clSystemColor | 1,
                 clActiveCaption = clSystemColor | 2, clInactiveCaption = clSystemColor | 3,
                 clMenu = clSystemColor | 4, clWindow = clSystemColor | 5,
                 clWindowFrame = clSystemColor | 6, clMenuText = clSystemColor | 7,
                 clWindowText = clSystemColor | 8, clCaptionText = clSystemColor | 9,
                 clActiveBorder = clSystemColor | 10, clInactiveBorder = clSystemColor | 11,
                 clAppWorkSpace = clSystemColor | 12, clHighlight = clSystemColor | 13,
                 clHighlightText = clSystemColor | 14, clBtnFace = clSystemColor | 15,
                 clBtnShadow = clSystemColor | 16, clGrayText = clSystemColor | 17,
                 clBtnText = clSystemColor | 18, clInactiveCaptionText = clSystemColor | 19,
                 clBtnHighlight = clSystemColor | 20, cl3DDkShadow = clSystemColor | 21,
                 cl3DLight = clSystemColor | 22, clInfoText = clSystemColor | 23,
                 clInfoBk = clSystemColor | 24, clHotLight = clSystemColor | 26,
                 clGradientActiveCaption = clSystemColor | 27,
                 clGradientInactiveCaption = clSystemColor | 28,
                 clMenuHighlight = clSystemColor | 29, clMenuBar = clSystemColor | 30;

// A system colour becomes the RGB value of its role in the application's palette; any other
// value is returned as it is.
TColor ColorToRGB(TColor color);
QColor ToQColor(TColor color);
TColor FromQColor(const QColor &color);
// The colour that transparent drawing of a picture leaves out: its bottom-left pixel's
// (clNone for a null picture). Every transparent drawing of the program follows this rule.
TColor TransparentColor(const QImage &image);
// A picture as an icon whose transparent colour is left out; an empty icon for a null picture.
QIcon TransparentIcon(const QImage &image);

// A rectangle as GDI gives it: right and bottom are outside it.
struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
    static TRect FromQRect(const QRect &r) {
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
    friend bool operator==(const TRect &, const TRect &) = default;
};

// A horizontal run of pixels of one colour: `Length` pixels from (X, Y) to the right.
struct TSpan {
    int X = 0, Y = 0, Length = 0;
    TColor Color = clBlack;
    friend bool operator==(const TSpan &, const TSpan &) = default;
};

enum TPenStyle { psSolid, psClear };
enum TBrushStyle { bsSolid, bsClear };
enum TFillStyle { fsSurface, fsBorder };
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TPen {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    int Width() const { return width_; }
    void SetWidth(int width) { width_ = width < 1 ? 1 : width; }
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style) { style_ = style; }

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
};

class TBrush {
public:
    TColor Color() const { return color_; }
    // Giving a colour makes the brush solid again, as a cleared brush would otherwise keep
    // ignoring it.
    void SetColor(TColor color) {
        color_ = color;
        style_ = bsSolid;
    }
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style) { style_ = style; }

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

// Height < 0 is the character height in pixels, > 0 the cell height; Size is in points at the
// screen's 96 pixels per inch (Height = -round(Size * 96 / 72)).
class TFont {
public:
    TFont();
    QString Name() const { return name_; }
    void SetName(const QString &name) { name_ = name; }
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height; }
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style) { style_ = style; }
    void Assign(const TFont &other) { *this = other; }
    // Copies family, pixel height and style from a Qt font.
    void AssignQFont(const QFont &font);
    QFont ToQFont() const;

private:
    QString name_;
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
};

// Text layout flags, with GDI's values.
enum TTextFormat : unsigned {
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_SINGLELINE = 0x20,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_RTLREADING = 0x20000,
};

class TCanvas : public TObject {
public:
    // Draws into the image; its owner keeps it alive as long as the canvas. A picture that is
    // not 32-bit (an 8-bit BMP, say) is turned into one by the first drawing.
    explicit TCanvas(QImage *image);
    // Draws into a picture held as a pixmap: changes reach the pixmap after every operation,
    // and a pixmap replaced by its owner is picked up before the next one.
    explicit TCanvas(QPixmap *pixmap);

    TPen &Pen() { return pen_; }
    TBrush &Brush() { return brush_; }
    TFont &Font() { return font_; }
    const TFont &Font() const { return font_; }

    QPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
    // Draws from the pen position to (x, y), leaving that last point out, and moves there.
    void LineTo(int x, int y);
    // While a batch lives, the wide-pen lines drawn one after the other share one painter
    // instead of setting one up for each line (a fan of lines costs a tenth as much); the
    // pixels are the same. Any other drawing ends the shared painter first.
    class LineBatch {
    public:
        explicit LineBatch(TCanvas &canvas) : canvas_(canvas) { canvas_.batching_ = true; }
        ~LineBatch();
        LineBatch(const LineBatch &) = delete;
        LineBatch &operator=(const LineBatch &) = delete;

    private:
        TCanvas &canvas_;
    };
    // Outlined with the pen, filled with the brush, within left..right-1 and top..bottom-1.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect &r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void FillRect(const TRect &r);
    // Outlines r with the brush colour, one pixel wide.
    void FrameRect(const TRect &r);
    // Fills with the brush the 4-connected area around (x, y): fsSurface the pixels of colour
    // `color`, fsBorder every pixel up to the ones of colour `color`.
    void FloodFill(int x, int y, TColor color, TFillStyle style);

    // Outside the picture reads give 0xFFFFFFFF and writes are ignored.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    // Paints each run in its colour, in order; what lies outside the picture is left out.
    void FillSpans(const std::vector<TSpan> &spans);

    // Text with its top-left corner at (x, y); the background is the brush, if solid.
    void TextOut(int x, int y, const QString &text);
    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;
    // Lays text out in r as the format asks ("&" underlines the next letter unless
    // DT_NOPREFIX), on a transparent background; with DT_CALCRECT only measures r. Returns the
    // height of the text.
    int DrawText(const QString &text, TRect &r, unsigned format);

    void Draw(int x, int y, const QImage &image);
    // Draws every pixel of the image that is not of the transparent colour.
    void DrawTransparent(int x, int y, const QImage &image, TColor transparent);
    void StretchDraw(const TRect &r, const QImage &image);

    int Width() const;
    int Height() const;
    int BitsPerPixel() const;

    // Called after every drawing operation (the owner of the picture repaints).
    TNotifyEvent OnChange;

    ~TCanvas() override;

private:
    // The picture as it stands (for a pixmap, the working copy, refreshed when the owner has
    // replaced the pixmap); Target is the same, ready to be written.
    const QImage &Current() const;
    QImage &Target();
    void Changed();
    void PaintShape(const TRect &box, int cornerWidth, int cornerHeight);
    void PlotLine(QImage &image, QPoint from, QPoint to, QRgb rgb);

    // The painter that a batch's wide lines share; ended before anything else draws.
    QPainter &LinePainter();
    void EndLines() const;

    QImage *image_ = nullptr;
    QPixmap *pixmap_ = nullptr;
    bool batching_ = false;
    mutable std::unique_ptr<QPainter> linePainter_;
    mutable QImage pixmapImage_;
    mutable qint64 pixmapKey_ = 0;

    TPen pen_;
    TBrush brush_;
    TFont font_;
    QPoint penPos_;
};

// A picture with its own canvas (work bitmaps, dial pictures).
class TBitmap : public TObject {
public:
    TBitmap();
    explicit TBitmap(const QImage &image);
    TBitmap(const TBitmap &) = delete;
    TBitmap &operator=(const TBitmap &) = delete;

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    // Keeps the pixels that still fit; new ones are white.
    void SetSize(int width, int height);
    bool Empty() const { return image_.isNull(); }
    // EFOpenError when the file cannot be read or is no picture.
    void LoadFromFile(const QString &fileName);
    // EInOutError when the file cannot be written.
    void SaveToFile(const QString &fileName) const;
    void Assign(const QImage &image);

    TCanvas &Canvas() { return canvas_; }
    const QImage &Image() const { return image_; }
    // The colour that transparent drawing leaves out: the bottom-left pixel.
    TColor TransparentColor() const;

private:
    QImage image_;
    TCanvas canvas_;
};

} // namespace platform
