// The balloon help component: a speech balloon with a short, possibly multi-line text next
// to the mouse cursor, shown and hidden on request.
#pragma once

#include "base/Component.h"
#include "platform/ui/Canvas.h"

#include <QChar>
#include <QString>

namespace widgets {

class TBalloonWindow;

// Which side of the cursor the balloon lies on: alRight puts it to the right of the cursor
// with the tail on its left, alLeft the other way round.
enum TBalloonAlign { alRight, alLeft };
enum TBalloonShape { sRoundRect, sRectangle };
enum TTextAlign { taCenter, taLeft, taRight };

// The property writers only store: a change takes effect at the next show.
class TBalloonHint : public platform::TComponent {
public:
    explicit TBalloonHint(platform::TComponent *owner = nullptr);
    ~TBalloonHint() override;

    TBalloonAlign Align() const { return align_; }
    void SetAlign(TBalloonAlign align) { align_ = align; }
    // The balloon's fill colour.
    platform::TColor Color() const { return color_; }
    void SetColor(platform::TColor color) { color_ = color; }
    // The text font, owned; its colour is the text colour.
    platform::TFont &Font() { return font_; }
    const platform::TFont &Font() const { return font_; }
    void SetFont(const platform::TFont &font) { font_.Assign(font); }
    // Each occurrence in the text starts a new line.
    QChar DivisionChar() const { return divisionChar_; }
    void SetDivisionChar(QChar c) { divisionChar_ = c; }
    bool HideIfMouseMove() const { return hideIfMouseMove_; }
    void SetHideIfMouseMove(bool hide) { hideIfMouseMove_ = hide; }
    bool HideIfMouseClick() const { return hideIfMouseClick_; }
    void SetHideIfMouseClick(bool hide) { hideIfMouseClick_ = hide; }
    TBalloonShape Shape() const { return shape_; }
    void SetShape(TBalloonShape shape) { shape_ = shape; }
    TTextAlign TextAlign() const { return textAlign_; }
    void SetTextAlign(TTextAlign align) { textAlign_ = align; }

    // Shows the text in a balloon at the mouse cursor, in a new window that replaces the
    // balloon on screen. An empty text does nothing at all (a balloon on screen stays).
    void ShowBalloon(const QString &text);
    // Takes the balloon off the screen; harmless when none is shown.
    void HideBalloon();

    // The balloon window of the last show; null before the first one.
    TBalloonWindow *BalloonWindow() const { return window_; }

private:
    TBalloonAlign align_ = alRight;
    platform::TColor color_ = platform::clWindow;
    platform::TFont font_;
    QChar divisionChar_ = QLatin1Char('@');
    bool hideIfMouseMove_ = true;
    bool hideIfMouseClick_ = false;
    TBalloonShape shape_ = sRoundRect;
    TTextAlign textAlign_ = taCenter;
    // Owned as a component: a window is released when the next show replaces it, and at
    // the latest with the component.
    TBalloonWindow *window_ = nullptr;
};

} // namespace widgets
