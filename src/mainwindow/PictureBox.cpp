#include "mainwindow/PictureBox.h"

#include <QPainter>

namespace app {

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureBox::SetPicture(QImage picture) {
    canvas_.reset(); // first: nothing may still draw into the picture replaced
    picture_ = std::move(picture);
    Covered();
    update();
}

platform::TCanvas &PictureBox::Canvas() {
    if (!canvas_) {
        if (picture_.isNull()) {
            // Drawing without a picture gets a blank one of the control's size.
            picture_ = QImage(size(), QImage::Format_RGB32);
            picture_.fill(Qt::white);
            Covered();
        }
        canvas_ = std::make_unique<platform::TCanvas>(&picture_);
    }
    return *canvas_;
}

// An opaque picture covers the whole control: what lies behind it is not painted first.
void PictureBox::Covered() {
    setAttribute(Qt::WA_OpaquePaintEvent, !picture_.isNull() && !picture_.hasAlphaChannel());
}

void PictureBox::paintEvent(QPaintEvent *) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(rect(), picture_);
}

} // namespace app
