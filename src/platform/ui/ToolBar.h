// Tool bars and their buttons as components over QToolBar/QAction, with the custom-draw slot
// an owner-drawing painter installs.
#pragma once

#include "base/Event.h"
#include "platform/ui/ActionComponent.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/ImageList.h"

#include <QImage>
#include <QPointer>
#include <QString>

#include <vector>

class QToolBar;
class QWidget;

namespace platform {

class TMenuItem;
class TToolBar;
class TToolButton;

// The custom-draw state of a tool button, as flags.
enum TCustomDrawStateFlag : unsigned {
    cdsSelected = 0x1,
    cdsGrayed = 0x2,
    cdsDisabled = 0x4,
    cdsChecked = 0x8,
    cdsFocused = 0x10,
    cdsDefault = 0x20,
    cdsHot = 0x40,
    cdsMarked = 0x80,
    cdsIndeterminate = 0x100,
};
using TCustomDrawState = unsigned;
using TTBCustomDrawBtnEvent = TEvent<TToolBar *, TToolButton *, TCustomDrawState, bool &>;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolBar : public TComponent {
public:
    explicit TToolBar(TComponent *owner);
    ~TToolBar() override;

    QToolBar *Widget() const;
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool showCaptions);
    // Captions beside the pictures instead of under them.
    bool List() const { return list_; }
    void SetList(bool list);
    TImageList *Images() const { return images_.Get(); }
    void SetImages(TImageList *images) { images_.Set(images); }

    int ButtonCount() const { return int(buttons_.size()); }
    TToolButton *Buttons(int index) const { return buttons_.at(std::size_t(index)); }

    // Assigning or clearing the slot takes effect at the bar's next painting; call Invalidate
    // to repaint at once.
    TTBCustomDrawBtnEvent OnCustomDrawButton;
    // Fires OnCustomDrawButton; returns whether the default drawing should still happen
    // (true when the slot is unassigned).
    bool DoCustomDrawButton(TToolButton *button, TCustomDrawState state);
    // A drawing surface the size of the tool bar for custom-draw handlers; the style that
    // calls them copies what they drew onto the bar.
    TCanvas &Canvas();
    const QImage &CanvasImage() const { return canvasImage_; }
    // Repaints the bar and its buttons.
    void Invalidate();

    static TToolBar *FromWidget(const QWidget *widget);

private:
    friend class TToolButton;
    void Attach(TToolButton *button);
    void Detach(TToolButton *button);
    void ApplyStyle();
    void ImagesChanged();

    QPointer<QToolBar> widget_;
    bool flat_ = false, transparent_ = false, showCaptions_ = false, list_ = false;
    TImageListLink images_{[this] { ImagesChanged(); }};
    std::vector<TToolButton *> buttons_;
    QImage canvasImage_;
    TCanvas canvas_;
};

class TToolButton : public TActionComponent {
public:
    explicit TToolButton(TComponent *owner);
    ~TToolButton() override;

    TToolBar *Parent() const { return toolBar_; }
    // Puts the button at the end of the tool bar (nullptr takes it off).
    void SetParent(TToolBar *toolBar);
    int Index() const;

    QString Caption() const { return caption_; }
    void SetCaption(const QString &caption);
    // The tool tip.
    QString Hint() const { return hint_; }
    void SetHint(const QString &hint);
    // Shown pressed (for tbsCheck buttons: checked).
    bool Down() const { return down_; }
    void SetDown(bool down);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle style);
    // A menu item this button stands for (a button that opens a menu).
    TMenuItem *MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem *item) { menuItem_ = item; }
    bool IsSeparator() const { return style_ == tbsSeparator || style_ == tbsDivider; }
    // Where the button sits in the tool bar (empty until the bar has laid it out).
    TRect BoundsRect() const;

    QWidget *Widget() const;
    static TToolButton *FromAction(const QAction *action);
    static TToolButton *FromWidget(const QWidget *widget);

private:
    friend class TToolBar;
    void ApplyCheck();
    void ApplyIcon() override;
    void Triggered() override;

    TToolBar *toolBar_ = nullptr;
    QString caption_, hint_;
    bool down_ = false;
    TToolButtonStyle style_ = tbsButton;
    TMenuItem *menuItem_ = nullptr;
};

} // namespace platform
