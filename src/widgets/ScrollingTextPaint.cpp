// The scrolling control's content: its measures, the content image, where its copies go, and
// the painting.
#include "widgets/ScrollingText.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace widgets {

namespace {

// Longer content than this is not drawn (the image could not be allocated sensibly).
constexpr std::int64_t kMaxContentSide = 32767;

// The offset of a piece of `size` in a span of `extent` by alignment or layout (0, 1, 2 for
// start, end and centre alike: both enumerations put the centre where they differ).
int Align(int start, int extent, int size, platform::TAlignment alignment) {
    switch (alignment) {
    case platform::taLeftJustify:
        return start;
    case platform::taRightJustify:
        return start + extent - size;
    case platform::taCenter:
        break;
    }
    return start + (extent - size) / 2;
}

platform::TAlignment AsAlignment(platform::TTextLayout layout) {
    switch (layout) {
    case platform::tlTop:
        return platform::taLeftJustify;
    case platform::tlBottom:
        return platform::taRightJustify;
    case platform::tlCenter:
        break;
    }
    return platform::taCenter;
}

} // namespace

int TScrollingText::LineHeight() const { return QFontMetrics(font()).height(); }

const TScrollingText::Measures &TScrollingText::ContentMeasures() const {
    if (measures_)
        return *measures_;
    const std::int64_t lines = text_.size();
    std::int64_t width = 0, height = 0;
    if (textVisible_) {
        const QFontMetrics metrics(font());
        for (const QString &line : text_)
            width = std::max<std::int64_t>(width, metrics.horizontalAdvance(line));
        if (lines >= 1)
            height = (std::int64_t(metrics.height()) + textIndent_) * lines - textIndent_;
    }
    const std::int64_t pw = picture_.width(), ph = picture_.height();
    if (TextBesidePicture()) {
        width += pw;
        height = std::max(height, ph);
        if (textVisible_)
            width += pictureIndent_;
    } else {
        width = std::max(width, pw);
        height += ph;
        if (textVisible_)
            height += pictureIndent_;
    }
    measures_ = Measures{width, height};
    return *measures_;
}

std::int64_t TScrollingText::ContentWidth() const { return ContentMeasures().width; }

std::int64_t TScrollingText::ContentHeight() const { return ContentMeasures().height; }

std::int64_t TScrollingText::LoopLength() const {
    const std::int64_t extent = Horizontal() ? width() : height();
    const std::int64_t size = Horizontal() ? ContentWidth() : ContentHeight();
    if (scrollStyle_ == dsSingle)
        return size + extent;
    if (extent <= 0)
        return 0;
    const std::int64_t period = size + scrollIndent_;
    if (period < 1)
        return extent; // nothing to tile: the loop is an empty area going by
    // A whole number of periods, so that the end looks exactly like the start.
    return (extent + period - 1) / period * period;
}

QImage TScrollingText::RenderContent() const {
    const Measures size = ContentMeasures();
    if (size.width <= 0 || size.height <= 0 || size.width > kMaxContentSide ||
        size.height > kMaxContentSide)
        return {};
    QImage image(int(size.width), int(size.height), QImage::Format_RGB32);
    image.fill(platform::ToQColor(Color()));
    QPainter painter(&image);

    // Both areas start as the whole image; visible text takes its side of it. The sizes
    // checked above keep the picture and its indent within int.
    const platform::TRect whole{0, 0, image.width(), image.height()};
    platform::TRect textArea = whole, pictureArea = whole;
    const int pw = picture_.width(), ph = picture_.height();
    if (textVisible_) {
        const int indent = int(pictureIndent_);
        switch (textPosition_) {
        case tpTextOnLeft:
            textArea.Right -= pw + indent;
            pictureArea.Left = pictureArea.Right - pw;
            break;
        case tpTextOnRight:
            textArea.Left += pw + indent;
            pictureArea.Right = pictureArea.Left + pw;
            break;
        case tpTextOnTop:
            textArea.Bottom -= ph + indent;
            pictureArea.Top = pictureArea.Bottom - ph;
            break;
        case tpTextOnBottom:
            textArea.Top += ph + indent;
            pictureArea.Bottom = pictureArea.Top + ph;
            break;
        }
        if (!text_.isEmpty())
            DrawLines(painter, textArea);
    }
    if (!picture_.isNull())
        painter.drawImage(
            Align(pictureArea.Left, pictureArea.Width(), pw, pictureAlignment_),
            Align(pictureArea.Top, pictureArea.Height(), ph, AsAlignment(pictureLayout_)),
            picture_);
    return image;
}

void TScrollingText::DrawLines(QPainter &painter, const platform::TRect &area) const {
    const QFontMetrics metrics(font());
    const std::int64_t n = text_.size();
    const std::int64_t pitch = std::int64_t(metrics.height()) + textIndent_;
    const std::int64_t block = pitch * n - textIndent_;
    const std::int64_t centring = (area.Height() - block) / 2;
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    for (std::int64_t i = 0; i < n; ++i) {
        std::int64_t y = area.Top + pitch * i;
        if (textLayout_ == platform::tlCenter)
            y += centring;
        else if (textLayout_ == platform::tlBottom)
            y = area.Bottom - pitch * (n - i);
        if (y > area.Bottom)
            break;
        if (y + metrics.height() <= 0)
            continue; // wholly above the image
        const QString &line = text_.at(int(i));
        const int x =
            Align(area.Left, area.Width(), metrics.horizontalAdvance(line), textAlignment_);
        painter.drawText(x, int(y) + metrics.ascent(), line);
    }
}

QList<QPoint> TScrollingText::ContentOrigins() const {
    return Origins(ContentWidth(), ContentHeight());
}

QList<QPoint> TScrollingText::Origins(std::int64_t contentWidth, std::int64_t contentHeight) const {
    if (contentWidth <= 0 || contentHeight <= 0)
        return {};
    const std::int64_t w = width(), h = height();
    std::int64_t x = 0, y = 0;
    switch (direction_) {
    case tdLeft:
        x = w - position_;
        break;
    case tdRight:
        x = position_ - contentWidth;
        break;
    case tdUp:
        y = h - position_;
        break;
    case tdDown:
        y = position_ - contentHeight;
        break;
    }
    if (center_) {
        if (Horizontal())
            y = (h - contentHeight) / 2;
        else
            x = (w - contentWidth) / 2;
    }
    if (scrollStyle_ == dsSingle)
        return {QPoint(ToInt(x), ToInt(y))};

    // Tiles one period apart along the movement, from the first one that reaches into the
    // area (the one at or left of its start edge) to the last one that starts inside it.
    const std::int64_t period = (Horizontal() ? contentWidth : contentHeight) + scrollIndent_;
    std::int64_t &along = Horizontal() ? x : y;
    const std::int64_t extent = Horizontal() ? w : h;
    along %= period;
    if (along > 0)
        along -= period;
    QList<QPoint> origins;
    for (; along < extent; along += period)
        origins.append(QPoint(ToInt(x), ToInt(y)));
    return origins;
}

const QImage &TScrollingText::PaintedContent() const {
    if (paintedContent_)
        return *paintedContent_;
    QImage content = RenderContent();
    if (Transparent() && !content.isNull()) {
        // The background colour becomes see-through wherever it appears.
        const QRgb key = platform::ToQColor(Color()).rgb();
        content = content.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < content.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(content.scanLine(y));
            std::replace(line, line + content.width(), key, qRgba(0, 0, 0, 0));
        }
        content = content.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    paintedContent_ = std::move(content);
    return *paintedContent_;
}

void TScrollingText::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!Transparent())
        painter.fillRect(rect(), platform::ToQColor(Color()));
    const QImage &content = PaintedContent();
    if (content.isNull())
        return;
    for (const QPoint &at : Origins(content.width(), content.height()))
        painter.drawImage(at, content);
}

} // namespace widgets
