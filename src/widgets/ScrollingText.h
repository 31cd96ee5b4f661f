// A windowless control that scrolls a block of content (lines of text, a picture, or both)
// through its area, a fixed number of pixels per tick of its own timer, in one of four
// directions; one copy that goes through and starts again, or tiles that keep the area full.
#pragma once

#include "base/Component.h"
#include "base/Event.h"
#include "platform/ui/Alignment.h"
#include "platform/ui/Canvas.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <optional>

class QPainter;

namespace widgets {

enum TScrollStyle { dsSingle, dsMultiple };
// The way the content moves.
enum TTextDirection { tdLeft, tdRight, tdUp, tdDown };
// Where the text lies relative to the picture.
enum TTextPosition { tpTextOnLeft, tpTextOnRight, tpTextOnTop, tpTextOnBottom };

// The control paints on its parent's surface (no window of its own). Its background, `Color`,
// is the palette's window colour, inherited from the parent until set, and the text is
// written in the palette's text colour with the control's font. The content image is made
// once and kept until something it shows changes, so a tick only moves it.
//
// The scroll timer is enabled by `Active`, but it only runs while the control is on screen:
// a stopped, hidden or minimised control costs no processor time.
class TScrollingText : public QWidget, public platform::TComponent {
    Q_OBJECT

public:
    explicit TScrollingText(QWidget *parent = nullptr, platform::TComponent *owner = nullptr);
    ~TScrollingText() override;

    bool Active() const { return timerEnabled_; }
    void SetActive(bool active);
    // Centres the content across the direction of movement.
    bool Center() const { return center_; }
    void SetCenter(bool center);
    // The gap between tiles in dsMultiple.
    std::uint32_t ScrollIndent() const { return scrollIndent_; }
    void SetScrollIndent(std::uint32_t indent);
    TScrollStyle ScrollStyle() const { return scrollStyle_; }
    void SetScrollStyle(TScrollStyle style);
    // Turning round on the same axis mirrors `Position` in the loop, so a single copy keeps
    // its place on the screen; a change of axis keeps `Position`.
    TTextDirection Direction() const { return direction_; }
    void SetDirection(TTextDirection direction);
    // Milliseconds between ticks; 0 becomes 1.
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t interval);
    const QImage &Picture() const { return picture_; }
    void SetPicture(const QImage &picture);
    platform::TAlignment PictureAlignment() const { return pictureAlignment_; }
    void SetPictureAlignment(platform::TAlignment alignment);
    // The gap between text and picture.
    std::uint32_t PictureIndent() const { return pictureIndent_; }
    void SetPictureIndent(std::uint32_t indent);
    platform::TTextLayout PictureLayout() const { return pictureLayout_; }
    void SetPictureLayout(platform::TTextLayout layout);
    // How far the content has come in, in pixels; negative becomes 0. At 0 the content lies
    // just outside the edge it enters from.
    int Position() const { return position_; }
    void SetPosition(int position);
    // At the end of a loop: start again (after `RewindDelay` more milliseconds), or stop.
    bool RewindAuto() const { return rewindAuto_; }
    void SetRewindAuto(bool rewind) { rewindAuto_ = rewind; }
    std::uint32_t RewindDelay() const { return rewindDelay_; }
    void SetRewindDelay(std::uint32_t delay) { rewindDelay_ = delay; }
    // Pixels per tick; 0 becomes 1.
    std::uint32_t Step() const { return step_; }
    void SetStep(std::uint32_t step) { step_ = step == 0 ? 1 : step; }
    const QStringList &Text() const { return text_; }
    void SetText(const QStringList &lines);
    platform::TAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(platform::TAlignment alignment);
    // Extra space between text lines (may be negative).
    int TextIndent() const { return textIndent_; }
    void SetTextIndent(int indent);
    platform::TTextLayout TextLayout() const { return textLayout_; }
    void SetTextLayout(platform::TTextLayout layout);
    TTextPosition TextPosition() const { return textPosition_; }
    void SetTextPosition(TTextPosition position);
    bool TextVisible() const { return textVisible_; }
    void SetTextVisible(bool visible);
    // Transparent: the pixels of colour `Color` leave the parent's drawing visible.
    bool Transparent() const { return !testAttribute(Qt::WA_OpaquePaintEvent); }
    void SetTransparent(bool transparent);
    platform::TColor Color() const;
    void SetColor(platform::TColor color);

    // Notifications, each with the control as its sender.
    platform::TNotifyEvent BeforeMove, AfterMove, OnLoopStart, OnLoopEnd, OnMouseEnter, OnMouseExit;

    // Back to the start of the loop, running.
    void Rewind();
    void Stop() { SetActive(false); }

    // The content's size: the text block and the picture, side by side or one above the other.
    std::int64_t ContentWidth() const;
    std::int64_t ContentHeight() const;
    // The `Position` at which a loop ends.
    std::int64_t LoopLength() const;
    bool AtLoopEnd() const { return position_ >= LoopLength(); }
    // The content drawn anew on the background colour (null when it has no area).
    QImage RenderContent() const;
    // Where the content's copies go in the control for the current `Position`: one copy in
    // dsSingle, the tiles that meet the area in dsMultiple.
    QList<QPoint> ContentOrigins() const;
    // One step of the scroll, as each timer event makes it.
    void Tick();

    // The scroll timer: its current interval (longer for the tick after a rewind) and whether
    // it is running.
    int TimerInterval() const { return scrollTimer_.interval(); }
    bool TimerRunning() const { return scrollTimer_.isActive(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Positions and intervals are computed in 64 bits and brought back within int.
    static int ToInt(std::int64_t value);
    bool Horizontal() const { return direction_ == tdLeft || direction_ == tdRight; }
    bool TextBesidePicture() const {
        return textPosition_ == tpTextOnLeft || textPosition_ == tpTextOnRight;
    }
    struct Measures {
        std::int64_t width = 0, height = 0;
    };
    // The content's size, measured once until the content changes.
    const Measures &ContentMeasures() const;
    int LineHeight() const;
    void DrawLines(QPainter &painter, const platform::TRect &area) const;
    QList<QPoint> Origins(std::int64_t contentWidth, std::int64_t contentHeight) const;
    // The content image for painting: cached, with `Color` keyed out when transparent.
    const QImage &PaintedContent() const;
    void ContentChanged();
    void SetTimerInterval(std::int64_t interval);
    void UpdateTimer();
    void Notify(const platform::TNotifyEvent &event) {
        if (event)
            event(this);
    }

    bool center_ = true;
    std::uint32_t scrollIndent_ = 50;
    TScrollStyle scrollStyle_ = dsSingle;
    TTextDirection direction_ = tdRight;
    std::uint32_t interval_ = 100;
    QImage picture_;
    platform::TAlignment pictureAlignment_ = platform::taCenter;
    std::uint32_t pictureIndent_ = 0;
    platform::TTextLayout pictureLayout_ = platform::tlCenter;
    int position_ = 100;
    bool rewindAuto_ = true;
    std::uint32_t rewindDelay_ = 0;
    std::uint32_t step_ = 1;
    QStringList text_{QStringLiteral("ScrollingText")};
    platform::TAlignment textAlignment_ = platform::taCenter;
    int textIndent_ = 0;
    platform::TTextLayout textLayout_ = platform::tlCenter;
    TTextPosition textPosition_ = tpTextOnTop;
    bool textVisible_ = true;

    QTimer scrollTimer_;
    bool timerEnabled_ = false;
    bool onScreen_ = false;

    mutable std::optional<Measures> measures_;
    mutable std::optional<QImage> paintedContent_;
};

} // namespace widgets
