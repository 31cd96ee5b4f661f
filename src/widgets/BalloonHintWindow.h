// The frameless pop-up window that shows one balloon of the balloon help component.
#pragma once

#include "widgets/BalloonHint.h"

#include <QImage>
#include <QWidget>

namespace widgets {

// A tool window above all others that never takes the focus or the activation. Its shape is
// the balloon picture itself (a window mask), so what lies around the balloon really is
// whatever is underneath, with no compositor and no copy of the screen.
class TBalloonWindow : public QWidget, public platform::TComponent {
    Q_OBJECT

public:
    // Takes the component's HideIfMouseMove and HideIfMouseClick as they are now.
    explicit TBalloonWindow(TBalloonHint &owner);

    TBalloonAlign Align() const { return align_; }
    void SetAlign(TBalloonAlign align) { align_ = align; }
    // The balloon's fill colour.
    platform::TColor Color() const { return color_; }
    void SetColor(platform::TColor color) { color_ = color; }
    bool HideIfMouseMove() const { return hideIfMouseMove_; }
    bool HideIfMouseClick() const { return hideIfMouseClick_; }
    // The finished balloon picture; its canvas font is the text font.
    platform::TBitmap &BalloonImage() { return balloonImage_; }
    const QImage &TailBitmap() const { return tailBitmap_; }
    const QImage &TailLeftBitmap() const { return tailLeftBitmap_; }
    bool Showing() const { return showing_; }

    // Builds the picture for the cursor at `point` (screen coordinates), then places the
    // window there and shows it above all windows without activating it.
    void ActivateBalloon(QPoint point, const QString &text, TBalloonShape shape,
                         TTextAlign textAlign, QChar divisionChar);
    // Splits the text into lines at the division character and draws the balloon for a point
    // (x, y) 15 pixels above the cursor; gives the window's screen rectangle in `rect`. An
    // empty text changes nothing.
    void BuildBalloonImage(int x, int y, const QString &text, TBalloonShape shape,
                           TTextAlign textAlign, QChar divisionChar, platform::TRect &rect);
    // Takes the window off the screen; it can be shown again.
    void CloseBalloon();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    const bool hideIfMouseMove_;
    const bool hideIfMouseClick_;
    TBalloonAlign align_ = alRight;
    platform::TColor color_ = platform::clWindow;
    bool showing_ = false;
    QImage tailBitmap_;
    QImage tailLeftBitmap_;
    platform::TBitmap balloonImage_;
};

} // namespace widgets
