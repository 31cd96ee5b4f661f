// The scrolling control's properties, its timer and the movement of the content.
#include "widgets/ScrollingText.h"

#include <QEvent>
#include <QHideEvent>
#include <QShowEvent>

#include <algorithm>
#include <limits>

namespace widgets {

namespace {

// Stores a new value; false when it equals the old one, so that the writer does nothing.
template <typename T> bool Store(T &field, T value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

int TScrollingText::ToInt(std::int64_t value) {
    return int(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

TScrollingText::TScrollingText(QWidget *parent, platform::TComponent *owner)
    : QWidget(parent), platform::TComponent(owner) {
    resize(200, 60);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    // Even steps make a smooth scroll.
    scrollTimer_.setTimerType(Qt::PreciseTimer);
    scrollTimer_.setInterval(int(interval_));
    connect(&scrollTimer_, &QTimer::timeout, this, [this] { Tick(); });
}

TScrollingText::~TScrollingText() { scrollTimer_.stop(); }

void TScrollingText::SetActive(bool active) {
    if (Store(timerEnabled_, active))
        UpdateTimer();
}

void TScrollingText::SetCenter(bool center) {
    if (Store(center_, center))
        update();
}

void TScrollingText::SetScrollIndent(std::uint32_t indent) {
    if (Store(scrollIndent_, indent))
        update();
}

void TScrollingText::SetScrollStyle(TScrollStyle style) {
    if (Store(scrollStyle_, style))
        update();
}

void TScrollingText::SetDirection(TTextDirection direction) {
    if (direction == direction_)
        return;
    const bool wasHorizontal = Horizontal();
    const bool toHorizontal = direction == tdLeft || direction == tdRight;
    if (wasHorizontal == toHorizontal)
        position_ = ToInt(LoopLength() - position_);
    direction_ = direction;
    update();
}

void TScrollingText::SetInterval(std::uint32_t interval) {
    if (Store(interval_, std::max<std::uint32_t>(interval, 1)))
        SetTimerInterval(interval_);
}

void TScrollingText::SetPicture(const QImage &picture) {
    picture_ = picture;
    ContentChanged();
}

void TScrollingText::SetPictureAlignment(platform::TAlignment alignment) {
    if (Store(pictureAlignment_, alignment))
        ContentChanged();
}

void TScrollingText::SetPictureIndent(std::uint32_t indent) {
    if (Store(pictureIndent_, indent))
        ContentChanged();
}

void TScrollingText::SetPictureLayout(platform::TTextLayout layout) {
    if (Store(pictureLayout_, layout))
        ContentChanged();
}

void TScrollingText::SetPosition(int position) {
    if (Store(position_, std::max(position, 0)))
        update();
}

void TScrollingText::SetText(const QStringList &lines) {
    text_ = lines;
    ContentChanged();
}

void TScrollingText::SetTextAlignment(platform::TAlignment alignment) {
    if (Store(textAlignment_, alignment))
        ContentChanged();
}

void TScrollingText::SetTextIndent(int indent) {
    if (Store(textIndent_, indent))
        ContentChanged();
}

void TScrollingText::SetTextLayout(platform::TTextLayout layout) {
    if (Store(textLayout_, layout))
        ContentChanged();
}

void TScrollingText::SetTextPosition(TTextPosition position) {
    if (Store(textPosition_, position))
        ContentChanged();
}

void TScrollingText::SetTextVisible(bool visible) {
    if (Store(textVisible_, visible))
        ContentChanged();
}

void TScrollingText::SetTransparent(bool transparent) {
    if (transparent == Transparent())
        return;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    ContentChanged();
}

platform::TColor TScrollingText::Color() const {
    return platform::FromQColor(palette().color(QPalette::Window));
}

void TScrollingText::SetColor(platform::TColor color) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, platform::ToQColor(color));
    setPalette(colours); // the palette change drops the content image
}

void TScrollingText::Rewind() {
    SetActive(false);
    SetPosition(0);
    SetActive(true);
}

void TScrollingText::Tick() {
    SetTimerInterval(interval_);
    if (position_ == 0)
        Notify(OnLoopStart);
    Notify(BeforeMove);
    if (!Active())
        return;
    SetPosition(ToInt(std::int64_t(position_) + step_));
    Notify(AfterMove);
    if (!AtLoopEnd())
        return;
    Notify(OnLoopEnd);
    if (rewindAuto_) {
        // The content jumps back at once; only the next tick waits the extra delay.
        SetTimerInterval(std::int64_t(rewindDelay_) + interval_);
        Rewind();
    } else {
        Stop();
    }
}

void TScrollingText::SetTimerInterval(std::int64_t interval) {
    // Setting a running timer restarts it: only a real change may, or every tick would.
    if (scrollTimer_.interval() != ToInt(interval))
        scrollTimer_.setInterval(ToInt(interval));
}

void TScrollingText::UpdateTimer() {
    if (timerEnabled_ && onScreen_) {
        if (!scrollTimer_.isActive())
            scrollTimer_.start();
    } else {
        scrollTimer_.stop();
    }
}

// Show and hide events also come when the window is minimised and restored.
void TScrollingText::showEvent(QShowEvent *) {
    onScreen_ = true;
    UpdateTimer();
}

void TScrollingText::hideEvent(QHideEvent *) {
    onScreen_ = false;
    UpdateTimer();
}

void TScrollingText::enterEvent(QEnterEvent *) { Notify(OnMouseEnter); }

void TScrollingText::leaveEvent(QEvent *) { Notify(OnMouseExit); }

void TScrollingText::changeEvent(QEvent *event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        ContentChanged();
    QWidget::changeEvent(event);
}

void TScrollingText::ContentChanged() {
    measures_.reset();
    paintedContent_.reset();
    update();
}

} // namespace widgets
