// The animation control of the wait box: plays an AVI clip in a loop at the clip's frame rate.
#pragma once

#include "platform/media/AviFile.h"

#include <QTimer>
#include <QWidget>

namespace platform {

class Animation : public QWidget {
    Q_OBJECT
public:
    explicit Animation(QWidget *parent = nullptr);

    QString FileName() const { return fileName_; }
    // Opens the clip at once and shows its first frame; a clip that cannot be opened raises
    // EAviError and leaves the control empty and stopped. An empty name closes the clip.
    // The clip already loaded under that name is kept when its folder has gone since.
    void SetFileName(const QString &fileName);

    bool Active() const { return timer_.isActive(); }
    // Starts or stops the loop; without a clip there is nothing to start.
    void SetActive(bool active);

    int FrameCount() const { return int(clip_.frames.size()); }
    int CurrentFrame() const { return frame_; }
    // Frames shown by the timer since the control was made (tests wait on it).
    qint64 FramesPlayed() const { return played_; }
    int FrameInterval() const { return timer_.interval(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void NextFrame();

    QString fileName_;
    AviClip clip_;
    int frame_ = 0;
    qint64 played_ = 0;
    QTimer timer_;
};

} // namespace platform
