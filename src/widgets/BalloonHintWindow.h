// The frameless pop-up window that draws one balloon of the balloon help component.
#pragma once

#include "widgets/BalloonHint.h"

#include <QPolygon>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace widgets {

// Where everything of a balloon goes. The window rectangle is in screen coordinates, the
// rest in the window's own coordinates; right and bottom edges of the shapes are exclusive.
struct TBalloonLayout {
    QRect window;
    QRect body;   // the filled, outlined body
    QRect shadow; // the black shadow, 2 pixels down and right of the body
    QPolygon tail;
    QStringList lines;
    std::vector<QPoint> linePositions; // top-left corner of each line's text
    int lineHeight = 0;
};

// Splits the text at the division character (an empty line where two separators meet or
// the text ends with one) and places the balloon for a cursor at `cursor`: it spans from
// H + 17 pixels above the cursor to 3 pixels below it, H being the height of the lines, and
// is 23 pixels wider than the widest line; with alRight it starts at the cursor, with
// alLeft it ends there. The tail's tip is one pixel below the cursor.
TBalloonLayout LayoutBalloon(QPoint cursor, const QString &text, const QFont &font,
                             TBalloonAlign align, TTextAlign textAlign, QChar divisionChar);

// The drawing is still simple: a body (rounded or square), its shadow, a straight
// triangular tail and the text, cut out of the screen with a window mask. The pixel-exact
// tail pictures and the flood-filled joint of body and tail come with their own work.
class TBalloonWindow : public QWidget {
    Q_OBJECT

public:
    TBalloonWindow();

    // Copies of the component's settings, taken before each show.
    void SetAlign(TBalloonAlign align) { align_ = align; }
    void SetBalloonColor(const QColor &color) { color_ = color; }
    void SetTextFont(const QFont &font, const QColor &color);
    void SetHideIfMouseMove(bool hide) { hideIfMouseMove_ = hide; }
    void SetHideIfMouseClick(bool hide) { hideIfMouseClick_ = hide; }

    // Builds the balloon for the cursor point (screen coordinates) and shows it above all
    // windows without taking the focus.
    void ActivateBalloon(QPoint cursor, const QString &text, TBalloonShape shape,
                         TTextAlign textAlign, QChar divisionChar);
    void CloseBalloon();

    bool Showing() const { return showing_; }
    const TBalloonLayout &Layout() const { return layout_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QRegion Outline() const;

    TBalloonAlign align_ = alRight;
    TBalloonShape shape_ = sRoundRect;
    QColor color_;
    QFont font_;
    QColor textColor_;
    bool hideIfMouseMove_ = true;
    bool hideIfMouseClick_ = false;
    bool showing_ = false;
    TBalloonLayout layout_;
};

} // namespace widgets
