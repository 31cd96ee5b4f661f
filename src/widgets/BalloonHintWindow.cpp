#include "widgets/BalloonHintWindow.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace widgets {

namespace {

// The tail is a 15 x 21 picture whose top five rows overlap the body's bottom.
constexpr int TailWidth = 15;
constexpr int TailHeight = 21;
// The body's corners are quarter ellipses of 15 x 15 pixels.
constexpr qreal CornerRadius = 7.5;

// The horizontal measures of one side: where the body starts, how much wider than the text
// it ends, and where the text starts.
struct SideMeasures {
    int bodyLeft;
    int extraWidth;
    int textLeft;
};

SideMeasures MeasuresFor(TBalloonAlign align) {
    return align == alRight ? SideMeasures{10, 21, 15} : SideMeasures{2, 13, 8};
}

// A straight tail widening upwards from its tip: the tip is the bottom-left pixel of the
// tail's picture for alRight (tail on the left) and the bottom-right one for alLeft.
QPolygon TailTriangle(TBalloonAlign align, QPoint topLeft) {
    QPolygon tail({QPoint(8, 0), QPoint(TailWidth - 1, 0), QPoint(0, TailHeight - 1)});
    if (align == alLeft) {
        for (QPoint &p : tail)
            p.setX(TailWidth - 1 - p.x());
    }
    tail.translate(topLeft);
    return tail;
}

int LineLeft(TTextAlign textAlign, int textLeft, int widest, int width) {
    switch (textAlign) {
    case taLeft:
        return textLeft;
    case taRight:
        return textLeft + widest - width;
    case taCenter:
        break;
    }
    return textLeft + widest / 2 - width / 2;
}

} // namespace

TBalloonLayout LayoutBalloon(QPoint cursor, const QString &text, const QFont &font,
                             TBalloonAlign align, TTextAlign textAlign, QChar divisionChar) {
    TBalloonLayout layout;
    layout.lines = text.split(divisionChar);
    const QFontMetrics metrics(font);
    layout.lineHeight = metrics.height();

    int widest = 0;
    for (const QString &line : layout.lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int linesHeight = layout.lineHeight * int(layout.lines.size());
    const int width = widest + 23;
    const int height = linesHeight + 20;

    const SideMeasures side = MeasuresFor(align);
    const int left = align == alRight ? cursor.x() : cursor.x() - width;
    const int top = cursor.y() - 15 - linesHeight - 2;
    layout.window = QRect(left, top, width, height);
    layout.body =
        QRect(QPoint(side.bodyLeft, 0), QPoint(widest + side.extraWidth - 1, linesHeight + 2));
    layout.shadow = layout.body.translated(2, 2);

    const int tailLeft = align == alRight ? 0 : width - TailWidth;
    layout.tail = TailTriangle(align, QPoint(tailLeft, linesHeight - 2));

    int y = 1;
    for (const QString &line : layout.lines) {
        const int x = LineLeft(textAlign, side.textLeft, widest, metrics.horizontalAdvance(line));
        layout.linePositions.emplace_back(x, y);
        y += layout.lineHeight;
    }
    return layout;
}

TBalloonWindow::TBalloonWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true); // moves without a button pressed may close the balloon
}

void TBalloonWindow::SetTextFont(const QFont &font, const QColor &color) {
    font_ = font;
    textColor_ = color;
}

void TBalloonWindow::ActivateBalloon(QPoint cursor, const QString &text, TBalloonShape shape,
                                     TTextAlign textAlign, QChar divisionChar) {
    if (showing_)
        hide();
    shape_ = shape;
    layout_ = LayoutBalloon(cursor, text, font_, align_, textAlign, divisionChar);
    setGeometry(layout_.window);
    setMask(Outline());
    show();
    raise();
    update();
    showing_ = true;
}

void TBalloonWindow::CloseBalloon() {
    showing_ = false;
    hide();
}

namespace {

// Body and tail as one figure, so that a single outline goes round both. The figure is
// stroked with a one-pixel pen, which covers the pixel right of and below a path's edge: the
// path is one pixel smaller so that the outline stays inside the body's rectangle.
QPainterPath Figure(const TBalloonLayout &layout, TBalloonShape shape) {
    QPainterPath body;
    const QRectF bodyRect = QRectF(layout.body).adjusted(0, 0, -1, -1);
    if (shape == sRoundRect)
        body.addRoundedRect(bodyRect, CornerRadius, CornerRadius);
    else
        body.addRect(bodyRect);
    QPainterPath tail;
    tail.addPolygon(QPolygonF(layout.tail));
    tail.closeSubpath();
    return body.united(tail);
}

// Filled without a pen, so the path is the rectangle itself.
QPainterPath ShadowPath(const TBalloonLayout &layout, TBalloonShape shape) {
    QPainterPath shadow;
    if (shape == sRoundRect)
        shadow.addRoundedRect(QRectF(layout.shadow), CornerRadius, CornerRadius);
    else
        shadow.addRect(QRectF(layout.shadow));
    return shadow;
}

} // namespace

QRegion TBalloonWindow::Outline() const {
    // The mask is drawn with the same shapes and pen as the picture, so no pixel of the
    // outline is cut off and nothing around it stays opaque.
    QBitmap mask(layout_.window.size());
    mask.fill(Qt::color0);
    QPainter painter(&mask);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.drawPath(ShadowPath(layout_, shape_));
    painter.setPen(QPen(Qt::color1, 1));
    painter.drawPath(Figure(layout_, shape_));
    painter.end();
    return QRegion(mask);
}

void TBalloonWindow::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPath(ShadowPath(layout_, shape_));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(color_);
    painter.drawPath(Figure(layout_, shape_));

    painter.setFont(font_);
    painter.setPen(textColor_);
    const int ascent = QFontMetrics(font_).ascent();
    for (std::size_t i = 0; i < layout_.linePositions.size(); ++i) {
        const QPoint at = layout_.linePositions[i];
        painter.drawText(QPoint(at.x(), at.y() + ascent), layout_.lines[int(i)]);
    }
}

void TBalloonWindow::mouseMoveEvent(QMouseEvent *event) {
    if (hideIfMouseMove_)
        CloseBalloon();
    QWidget::mouseMoveEvent(event);
}

void TBalloonWindow::mousePressEvent(QMouseEvent *event) {
    if (hideIfMouseClick_ && event->button() == Qt::LeftButton)
        CloseBalloon();
    QWidget::mousePressEvent(event);
}

} // namespace widgets
