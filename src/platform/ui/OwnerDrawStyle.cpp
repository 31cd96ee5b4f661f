#include "platform/ui/OwnerDrawStyle.h"

#include "platform/ui/Menus.h"
#include "platform/ui/ToolBar.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QToolBar>
#include <QToolButton>

namespace platform {
namespace {

// Owner-drawn entries get the room of a check mark beyond the width their measure asks, as
// the system menus that owner drawing comes from give it: captions keep clear of the edge.
constexpr int kCheckMarkRoom = 12;

bool IsOwnerDrawn(const QWidget *widget) {
    const TMenu *menu = TMenu::FromWidget(widget);
    return menu && menu->OwnerDraw();
}

QAction *ActionAt(const QWidget *widget, const QPoint &point) {
    if (const auto *menu = qobject_cast<const QMenu *>(widget))
        return menu->actionAt(point);
    if (const auto *bar = qobject_cast<const QMenuBar *>(widget))
        return bar->actionAt(point);
    return nullptr;
}

// Qt measures an entry with the option alone: the entry is found again by its text (a pop-up
// adds a tab and the shortcut to it) or, for a separator, by being one.
QAction *ActionMeasured(const QWidget *widget, const QStyleOptionMenuItem &option) {
    const bool separator = option.menuItemType == QStyleOptionMenuItem::Separator;
    const QString text = option.text.section(QLatin1Char('\t'), 0, 0);
    for (QAction *action : widget->actions())
        if (action->isVisible() && action->isSeparator() == separator &&
            (separator || action->text() == text))
            return action;
    return nullptr;
}

// The item an owner-drawn bar or pop-up shows in the option's place.
TMenuItem *OwnerDrawnItem(const QStyleOption *option, const QWidget *widget, bool measuring) {
    const auto *itemOption = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (!itemOption || !IsOwnerDrawn(widget))
        return nullptr;
    return TMenuItem::FromAction(measuring ? ActionMeasured(widget, *itemOption)
                                           : ActionAt(widget, option->rect.center()));
}

TToolButton *CustomDrawnButton(const QWidget *widget) {
    TToolButton *button = TToolButton::FromWidget(widget);
    return button && button->Parent() && button->Parent()->OnCustomDrawButton ? button : nullptr;
}

TCustomDrawState StateOf(const TToolButton &button) {
    const auto *tool = qobject_cast<const QToolButton *>(button.Widget());
    if (!tool)
        return 0;
    TCustomDrawState state = 0;
    if (!tool->isEnabled())
        state |= cdsDisabled;
    else if (tool->testAttribute(Qt::WA_UnderMouse))
        state |= cdsHot;
    if (tool->isDown())
        state |= cdsSelected;
    if (tool->isChecked())
        state |= cdsChecked;
    return state;
}

} // namespace

void OwnerDrawStyle::Install() {
    if (!qApp || dynamic_cast<OwnerDrawStyle *>(QApplication::style()))
        return;
    QApplication::setStyle(
        new OwnerDrawStyle(QStyleFactory::create(QApplication::style()->name())));
}

bool OwnerDrawStyle::DrawItem(const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const {
    TMenuItem *item = OwnerDrawnItem(option, widget, false);
    if (!item)
        return false;
    QImage picture(option->rect.size(), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    TCanvas *windowCanvas = windowPicture_.window == widget ? windowPicture_.canvas.get() : nullptr;
    TMenuItemCanvas canvas(&picture, const_cast<QWidget *>(widget), windowCanvas);
    canvas.Font().AssignQFont(widget->font());
    item->DoDrawItem(&canvas, TRect{0, 0, picture.width(), picture.height()},
                     option->state & State_Selected);
    painter->drawImage(option->rect.topLeft(), picture);
    return true;
}

bool OwnerDrawStyle::DrawButton(TToolButton *button, const QRect &bounds, QPainter *painter) const {
    TToolBar *bar = button->Parent();
    bar->Canvas(); // sized to the bar before the slot draws
    if (bar->DoCustomDrawButton(button, StateOf(*button)))
        return false;
    painter->drawImage(QPoint(0, 0), bar->CanvasImage(), bounds);
    return true;
}

void OwnerDrawStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                   QPainter *painter, const QWidget *widget) const {
    switch (element) {
    case PE_PanelMenu:
        if (IsOwnerDrawn(widget) && qobject_cast<const QMenu *>(widget)) {
            // A new painting of the pop-up: its items start on a clear window picture.
            windowPicture_.window = widget;
            windowPicture_.image = QImage(widget->size(), QImage::Format_ARGB32);
            windowPicture_.image.fill(Qt::transparent);
            windowPicture_.canvas = std::make_unique<TCanvas>(&windowPicture_.image);
        }
        break;
    case PE_FrameMenu:
        if (IsOwnerDrawn(widget) && windowPicture_.window == widget) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            painter->drawImage(QPoint(0, 0), windowPicture_.image);
            return;
        }
        break;
    case PE_IndicatorToolBarSeparator: {
        // A separator is drawn with the button after it, as the slot paints them together.
        const auto *separatorWidget = dynamic_cast<const QWidget *>(painter->device());
        TToolButton *separator = TToolButton::FromWidget(separatorWidget);
        const TToolBar *bar = separator ? separator->Parent() : nullptr;
        const int next = separator ? separator->Index() + 1 : 0;
        if (bar && bar->OnCustomDrawButton && next < bar->ButtonCount() &&
            !bar->Buttons(next)->IsSeparator() &&
            DrawButton(bar->Buttons(next), separator->BoundsRect().ToQRect(), painter))
            return;
        break;
    }
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void OwnerDrawStyle::drawControl(ControlElement element, const QStyleOption *option,
                                 QPainter *painter, const QWidget *widget) const {
    switch (element) {
    case CE_MenuItem:
    case CE_MenuBarItem:
        if (DrawItem(option, painter, widget))
            return;
        break;
    case CE_MenuBarEmptyArea:
        // The system's menu bar colour around owner-drawn entries.
        if (IsOwnerDrawn(widget)) {
            painter->fillRect(option->rect, ToQColor(clMenu));
            return;
        }
        break;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void OwnerDrawStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                        QPainter *painter, const QWidget *widget) const {
    if (control == CC_ToolButton)
        if (TToolButton *button = CustomDrawnButton(widget))
            if (DrawButton(button, button->BoundsRect().ToQRect(), painter))
                return;
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QSize OwnerDrawStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                       const QSize &contentsSize, const QWidget *widget) const {
    if (type == CT_MenuItem || type == CT_MenuBarItem)
        if (TMenuItem *item = OwnerDrawnItem(option, widget, true)) {
            QImage scratch(1, 1, QImage::Format_RGB32);
            TCanvas canvas(&scratch);
            canvas.Font().AssignQFont(widget->font());
            int width = contentsSize.width(), height = contentsSize.height();
            item->DoMeasureItem(&canvas, width, height);
            return QSize(width + kCheckMarkRoom, height);
        }
    return QProxyStyle::sizeFromContents(type, option, contentsSize, widget);
}

int OwnerDrawStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                const QWidget *widget) const {
    if (IsOwnerDrawn(widget)) {
        switch (metric) {
        case PM_MenuPanelWidth:
            return 3; // the pop-up window's border, as a flat frame covers it
        case PM_MenuHMargin:
        case PM_MenuVMargin:
        case PM_MenuBarPanelWidth:
        case PM_MenuBarHMargin:
        case PM_MenuBarVMargin:
        case PM_MenuBarItemSpacing:
            return 0; // owner-drawn entries fill the window up to its border
        default:
            break;
        }
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace platform
