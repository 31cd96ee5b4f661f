#include "platform/ui/ToolBar.h"

#include "platform/ui/BackPointer.h"
#include "platform/ui/OwnerDrawStyle.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace platform {
namespace {
constexpr const char *kToolBarProperty = "ventrose.toolBar";
} // namespace

// --- TToolBar --------------------------------------------------------------------------------

TToolBar::TToolBar(TComponent *owner)
    : TComponent(owner), widget_(new QToolBar), canvas_(&canvasImage_) {
    PointBack(widget_, kToolBarProperty, this);
    widget_->setMovable(false);
    widget_->setFloatable(false);
    ApplyStyle();
    OwnerDrawStyle::Install();
}

QToolBar *TToolBar::Widget() const { return widget_; }

TToolBar::~TToolBar() {
    while (!buttons_.empty())
        buttons_.back()->SetParent(nullptr);
    delete widget_.data();
}

void TToolBar::SetFlat(bool flat) {
    if (flat == flat_)
        return;
    flat_ = flat;
    ApplyStyle();
}

void TToolBar::SetTransparent(bool transparent) {
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    ApplyStyle();
}

void TToolBar::SetShowCaptions(bool showCaptions) {
    if (showCaptions == showCaptions_)
        return;
    showCaptions_ = showCaptions;
    ApplyStyle();
}

void TToolBar::SetList(bool list) {
    if (list == list_)
        return;
    list_ = list;
    ApplyStyle();
}

void TToolBar::ApplyStyle() {
    if (!widget_)
        return;
    widget_->setAutoFillBackground(!transparent_);
    widget_->setToolButtonStyle(!showCaptions_ ? Qt::ToolButtonIconOnly
                                : list_        ? Qt::ToolButtonTextBesideIcon
                                               : Qt::ToolButtonTextUnderIcon);
    for (TToolButton *button : buttons_)
        if (auto *tool = qobject_cast<QToolButton *>(button->Widget()))
            tool->setAutoRaise(flat_);
}

void TToolBar::ImagesChanged() {
    if (widget_ && Images())
        widget_->setIconSize(QSize(Images()->Width(), Images()->Height()));
    for (TToolButton *button : buttons_)
        button->ApplyIcon();
}

void TToolBar::Attach(TToolButton *button) {
    buttons_.push_back(button);
    widget_->addAction(button->Action());
    button->ApplyIcon();
    ApplyStyle();
}

void TToolBar::Detach(TToolButton *button) {
    std::erase(buttons_, button);
    if (widget_)
        widget_->removeAction(button->Action());
}

bool TToolBar::DoCustomDrawButton(TToolButton *button, TCustomDrawState state) {
    bool defaultDraw = true;
    if (OnCustomDrawButton)
        OnCustomDrawButton(this, button, state, defaultDraw);
    return defaultDraw;
}

TCanvas &TToolBar::Canvas() {
    const QSize size = widget_ ? widget_->size() : QSize();
    if (canvasImage_.size() != size) {
        canvasImage_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        canvasImage_.fill(ToQColor(clBtnFace));
    }
    return canvas_;
}

void TToolBar::Invalidate() {
    if (!widget_)
        return;
    widget_->update();
    for (TToolButton *button : buttons_)
        if (QWidget *widget = button->Widget())
            widget->update();
}

TToolBar *TToolBar::FromWidget(const QWidget *widget) {
    return PointedBack<TToolBar>(widget, kToolBarProperty);
}

// --- TToolButton -----------------------------------------------------------------------------

TToolButton::TToolButton(TComponent *owner) { JoinOwner(owner); }

TToolButton::~TToolButton() { SetParent(nullptr); }

void TToolButton::SetParent(TToolBar *toolBar) {
    if (toolBar == toolBar_)
        return;
    if (toolBar_)
        toolBar_->Detach(this);
    toolBar_ = toolBar;
    if (toolBar)
        toolBar->Attach(this);
}

int TToolButton::Index() const {
    if (!toolBar_)
        return -1;
    const auto &buttons = toolBar_->buttons_;
    return int(std::find(buttons.begin(), buttons.end(), this) - buttons.begin());
}

void TToolButton::SetCaption(const QString &caption) {
    caption_ = caption;
    Action()->setText(caption);
}

void TToolButton::SetHint(const QString &hint) {
    hint_ = hint;
    Action()->setToolTip(hint);
}

void TToolButton::ApplyIcon() {
    const TImageList *images = toolBar_ ? toolBar_->Images() : nullptr;
    Action()->setIcon(images ? images->Icon(ImageIndex()) : QIcon());
}

void TToolButton::SetDown(bool down) {
    if (down == down_)
        return;
    down_ = down;
    ApplyCheck();
}

// A checkable action is how Qt keeps a tool button pressed.
void TToolButton::ApplyCheck() { ShowChecked(style_ == tbsCheck || down_, down_); }

// A check button changes its state when clicked; others keep theirs.
void TToolButton::Triggered() {
    if (style_ == tbsCheck)
        down_ = Action()->isChecked();
    ApplyCheck();
}

void TToolButton::SetStyle(TToolButtonStyle style) {
    if (style == style_)
        return;
    const bool wasSeparator = IsSeparator();
    style_ = style;
    Action()->setSeparator(IsSeparator());
    ApplyCheck();
    // A bar makes a separator or a button for an action when it is added: put it back in
    // its place to get the other kind.
    if (toolBar_ && toolBar_->Widget() && wasSeparator != IsSeparator()) {
        const int index = Index();
        QAction *next =
            index + 1 < toolBar_->ButtonCount() ? toolBar_->Buttons(index + 1)->Action() : nullptr;
        toolBar_->Widget()->removeAction(Action());
        toolBar_->Widget()->insertAction(next, Action());
        toolBar_->ApplyStyle();
    }
}

TRect TToolButton::BoundsRect() const {
    const QWidget *widget = Widget();
    return widget ? TRect::FromQRect(widget->geometry()) : TRect();
}

QWidget *TToolButton::Widget() const {
    return toolBar_ && toolBar_->Widget() ? toolBar_->Widget()->widgetForAction(Action()) : nullptr;
}

TToolButton *TToolButton::FromAction(const QAction *action) {
    return dynamic_cast<TToolButton *>(TActionComponent::FromAction(action));
}

// Buttons show themselves through a QToolButton, separators through the bar's own widget.
TToolButton *TToolButton::FromWidget(const QWidget *widget) {
    if (const auto *tool = qobject_cast<const QToolButton *>(widget))
        if (TToolButton *button = FromAction(tool->defaultAction()))
            return button;
    const TToolBar *bar = widget ? TToolBar::FromWidget(widget->parentWidget()) : nullptr;
    for (int i = 0; bar && i < bar->ButtonCount(); ++i)
        if (bar->Buttons(i)->Widget() == widget)
            return bar->Buttons(i);
    return nullptr;
}

} // namespace platform
