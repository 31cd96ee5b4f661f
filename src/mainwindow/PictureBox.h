// A picture control: shows a picture stretched to its area and offers a canvas that draws
// into the picture's own pixels.
#pragma once

#include "platform/ui/Canvas.h"

#include <QImage>
#include <QWidget>

#include <memory>

namespace app {

class PictureBox : public QWidget {
public:
    explicit PictureBox(QWidget *parent = nullptr);

    const QImage &Picture() const { return picture_; }
    // Replaces the picture (a fresh picture erases what was drawn on the previous one).
    void SetPicture(QImage picture);

    // Draws into the picture; call Changed() after drawing so the control repaints.
    platform::TCanvas &Canvas();
    void Changed() { update(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Covered();

    QImage picture_;
    std::unique_ptr<platform::TCanvas> canvas_;
};

} // namespace app
