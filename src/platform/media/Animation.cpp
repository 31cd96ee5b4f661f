#include "platform/media/Animation.h"

#include <QFileInfo>
#include <QPainter>

namespace platform {

Animation::Animation(QWidget *parent) : QWidget(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Animation::NextFrame);
}

void Animation::SetFileName(const QString &fileName) {
    // The clip loaded from a folder that has gone since (the installation folder, removed
    // while the program runs) is kept rather than lost.
    if (!fileName.isEmpty() && fileName == fileName_ && !clip_.frames.empty() &&
        !QFileInfo::exists(QFileInfo(fileName).absolutePath())) {
        frame_ = 0;
        update();
        return;
    }
    const bool wasActive = Active();
    timer_.stop();
    clip_ = AviClip();
    fileName_.clear();
    frame_ = 0;
    update();
    if (fileName.isEmpty())
        return;
    clip_ = ReadAviFile(fileName);
    fileName_ = fileName;
    // At least a millisecond, so a clip claiming an absurd rate cannot flood the event loop.
    timer_.setInterval(std::max(1, (clip_.microsecondsPerFrame + 500) / 1000));
    if (wasActive)
        timer_.start();
}

void Animation::SetActive(bool active) {
    if (active == Active())
        return;
    if (active && !clip_.frames.empty())
        timer_.start();
    else
        timer_.stop();
}

void Animation::NextFrame() {
    if (clip_.frames.empty())
        return;
    frame_ = (frame_ + 1) % int(clip_.frames.size());
    ++played_;
    update();
}

QSize Animation::sizeHint() const {
    return clip_.frames.empty() ? QSize(81, 81) : QSize(clip_.width, clip_.height);
}

void Animation::paintEvent(QPaintEvent *) {
    if (clip_.frames.empty())
        return;
    // The clip is centred in the control, as the wait box places it.
    const QImage &image = clip_.frames[std::size_t(frame_)];
    QPainter painter(this);
    painter.drawImage(QPoint((width() - image.width()) / 2, (height() - image.height()) / 2),
                      image);
}

} // namespace platform
