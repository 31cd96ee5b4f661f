// A list of pictures of one size, shared by menus and tool bars.
#pragma once

#include "base/Component.h"
#include "platform/ui/Canvas.h"

#include <QIcon>
#include <QImage>

#include <functional>

#include <vector>

namespace platform {

// Told when the pictures of an image list change or the list goes away.
class TImageListClient {
public:
    virtual void ImagesChanged() = 0;
    virtual void ImagesDestroyed() = 0;

protected:
    ~TImageListClient() = default;
};

// A picture's colour at its bottom-left pixel is its transparent colour.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent *owner, int width = 16, int height = 16);
    ~TImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size empties the list.
    void SetSize(int width, int height);
    int Count() const { return int(images_.size()); }
    // Adds the picture, or each Width-wide slice of a wider strip; returns the first index.
    // Slices are cut or padded to Width x Height.
    int Add(const QImage &image);
    void Clear();
    // A copy of picture `index`; a null image when there is none.
    QImage Image(int index) const;
    // Draws the picture with its transparent colour left out.
    void Draw(TCanvas &canvas, int x, int y, int index) const;
    // The picture as an icon whose transparent colour is masked out.
    QIcon Icon(int index) const;

    void AddClient(TImageListClient *client);
    void RemoveClient(TImageListClient *client);

private:
    void Changed();

    int width_, height_;
    std::vector<QImage> images_;
    std::vector<TImageListClient *> clients_;
};

// Keeps one image list and follows it: told when it changes, forgets it when it goes away.
class TImageListLink : private TImageListClient {
public:
    // `changed` runs whenever the pictures that apply change (a new list, new pictures, the
    // list freed).
    explicit TImageListLink(std::function<void()> changed) : changed_(std::move(changed)) {}
    ~TImageListLink();
    TImageListLink(const TImageListLink &) = delete;
    TImageListLink &operator=(const TImageListLink &) = delete;

    TImageList *Get() const { return images_; }
    void Set(TImageList *images);

private:
    void ImagesChanged() override { changed_(); }
    void ImagesDestroyed() override;

    TImageList *images_ = nullptr;
    std::function<void()> changed_;
};

} // namespace platform
