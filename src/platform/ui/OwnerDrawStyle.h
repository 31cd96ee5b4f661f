// The program's one style: Qt's own, except for owner-drawn menus, which their items' slots
// measure and draw, and tool bars with a custom-draw slot, whose buttons that slot draws.
#pragma once

#include "platform/ui/Canvas.h"

#include <QImage>
#include <QPointer>
#include <QProxyStyle>

#include <memory>

namespace platform {

class TMenuItem;
class TToolButton;

// Installed once and kept for good (replacing a Qt style deletes the old one): owner drawing
// is switched on and off per menu and per tool bar, and whatever is not owner-drawn goes to
// the base style untouched, so switching off gives back Qt's drawing exactly.
class OwnerDrawStyle : public QProxyStyle {
public:
    // Puts the style over the application's current one; does nothing once it is there.
    static void Install();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contentsSize,
                           const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

private:
    explicit OwnerDrawStyle(QStyle *base) : QProxyStyle(base) {}

    bool DrawItem(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;
    bool DrawButton(TToolButton *button, const QRect &bounds, QPainter *painter) const;

    // What the items of the pop-up being painted drew over its whole window; shown over the
    // window's border once the items are drawn.
    struct WindowPicture {
        QPointer<const QWidget> window;
        QImage image;
        std::unique_ptr<TCanvas> canvas;
    };
    mutable WindowPicture windowPicture_;
};

} // namespace platform
