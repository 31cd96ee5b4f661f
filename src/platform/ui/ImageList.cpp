#include "platform/ui/ImageList.h"

#include <QPainter>

#include <algorithm>

namespace platform {

TImageList::TImageList(TComponent *owner, int width, int height)
    : TComponent(owner), width_(std::max(1, width)), height_(std::max(1, height)) {}

TImageList::~TImageList() {
    // A client may leave the list while it is told.
    const auto clients = clients_;
    for (TImageListClient *client : clients)
        client->ImagesDestroyed();
}

void TImageList::SetSize(int width, int height) {
    width = std::max(1, width), height = std::max(1, height);
    if (width == width_ && height == height_)
        return;
    width_ = width, height_ = height;
    images_.clear();
    Changed();
}

int TImageList::Add(const QImage &image) {
    const int first = Count();
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    const int slices = std::max(1, (source.width() + width_ - 1) / width_);
    for (int i = 0; i < slices; ++i) {
        QImage slice(width_, height_, QImage::Format_RGB32);
        slice.fill(Qt::white);
        QPainter painter(&slice);
        painter.drawImage(QPoint(0, 0), source, QRect(i * width_, 0, width_, height_));
        painter.end();
        images_.push_back(slice);
    }
    Changed();
    return first;
}

void TImageList::Clear() {
    if (images_.empty())
        return;
    images_.clear();
    Changed();
}

QImage TImageList::Image(int index) const {
    return index >= 0 && index < Count() ? images_[std::size_t(index)] : QImage();
}

void TImageList::Draw(TCanvas &canvas, int x, int y, int index) const {
    const QImage image = Image(index);
    if (!image.isNull())
        canvas.DrawTransparent(x, y, image, TransparentColor(image));
}

QIcon TImageList::Icon(int index) const { return TransparentIcon(Image(index)); }

void TImageList::AddClient(TImageListClient *client) {
    if (std::find(clients_.begin(), clients_.end(), client) == clients_.end())
        clients_.push_back(client);
}

void TImageList::RemoveClient(TImageListClient *client) { std::erase(clients_, client); }

void TImageList::Changed() {
    const auto clients = clients_;
    for (TImageListClient *client : clients)
        client->ImagesChanged();
}

// --- TImageListLink --------------------------------------------------------------------------

TImageListLink::~TImageListLink() {
    if (images_)
        images_->RemoveClient(this);
}

void TImageListLink::Set(TImageList *images) {
    if (images == images_)
        return;
    if (images_)
        images_->RemoveClient(this);
    images_ = images;
    if (images)
        images->AddClient(this);
    changed_();
}

void TImageListLink::ImagesDestroyed() {
    images_ = nullptr;
    changed_();
}

} // namespace platform
