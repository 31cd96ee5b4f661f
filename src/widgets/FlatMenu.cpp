// The flat menu painter as a component: its properties, and the hooking of its handlers into
// the owner form's menus and tool bars.
#include "widgets/FlatMenu.h"

#include <QApplication>
#include <QWidget>

namespace widgets {

using namespace platform;

TFlatMenu::TFlatMenu(TComponent *owner)
    : TComponent(owner), form_(owner), color_(clBtnFace), iconBackColor_(clBtnFace),
      menuBarColor_(clBtnFace), selectColor_(clHighlight), selectBorderColor_(clHighlight),
      disabledColor_(clInactiveCaption), separatorColor_(clBtnFace), checkedColor_(clHighlight) {
    LoadMenuFont(font_);
    selectFontColor_ = font_.Color();
}

// The form has already let go of the painter when it frees it with itself: the painter
// still walks the form it was made for, so no handler of a freed painter stays behind.
TFlatMenu::~TFlatMenu() { ApplyToForm(false); }

void TFlatMenu::SetActive(bool active) {
    active_ = active;
    ApplyToForm(false);
    if (active)
        ApplyToForm(true);
    RedrawMenuBar();
}

void TFlatMenu::SetOverrideOwnerDraw(bool override) {
    overrideOwnerDraw_ = override;
    if (active_)
        SetActive(true);
}

void TFlatMenu::SetFont(const TFont &font) {
    font_.Assign(font);
    RedrawMenuBar();
}

void TFlatMenu::SetMenuBarColor(TColor color) {
    menuBarColor_ = color;
    RedrawMenuBar();
}

void TFlatMenu::SetUseSystemColors(bool use) {
    useSystemColors_ = use;
    RedrawMenuBar();
}

void TFlatMenu::LoadMenuFont(TFont &font) {
    font.AssignQFont(QApplication::font("QMenu"));
    font.SetColor(clMenuText);
    if (font.Name() == QStringLiteral("MS Sans Serif"))
        font.SetName(QStringLiteral("Tahoma"));
}

// Menu items and tool buttons that join the form later are taken over too.
void TFlatMenu::Notification(TComponent *component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (autoDetect_ && operation == TOperation::opInsert &&
        (dynamic_cast<TMenuItem *>(component) || dynamic_cast<TToolButton *>(component)))
        SetActive(true);
}

void TFlatMenu::ApplyToForm(bool enable) {
    for (int i = 0; form_ && i < form_->ComponentCount(); ++i) {
        TComponent *component = form_->Components(i);
        if (auto *menu = dynamic_cast<TMenu *>(component)) {
            TMenuItem &top = menu->Items();
            for (int j = 0; j < top.Count(); ++j) {
                menu->SetOwnerDraw(enable);
                ApplyToItem(*top.Items(j), enable);
            }
            // Qt measures a bar as soon as its drawing changes: again, with the handlers.
            if (top.Count() > 0)
                menu->Rebuild();
        } else if (auto *bar = dynamic_cast<TToolBar *>(component); bar && !IsDesigning()) {
            // Flat for good: a bar is never made raised again.
            bar->SetFlat(true);
            const TTBCustomDrawBtnEvent handler(this, &TFlatMenu::DrawButtonHandler);
            if (!enable && bar->OnCustomDrawButton == handler)
                bar->OnCustomDrawButton = {};
            const bool keepApplications = bar->OnCustomDrawButton && !overrideOwnerDraw_;
            if (enable && bar->ButtonCount() > 0 && !keepApplications)
                bar->OnCustomDrawButton = handler;
            bar->Invalidate();
        }
    }
}

void TFlatMenu::ApplyToItem(TMenuItem &item, bool enable) {
    if (enable)
        HookItem(item);
    else
        UnhookItem(item);
    for (int i = 0; i < item.Count(); ++i)
        ApplyToItem(*item.Items(i), enable);
}

// Handlers the application assigned itself are kept unless OverrideOwnerDraw is set; draw and
// measure handlers are considered apart.
void TFlatMenu::HookItem(TMenuItem &item) {
    if (!item.OnDrawItem || overrideOwnerDraw_)
        item.OnDrawItem = TMenuDrawItemEvent(this, &TFlatMenu::DrawItemHandler);
    if (!item.OnMeasureItem || overrideOwnerDraw_)
        item.OnMeasureItem = TMenuMeasureItemEvent(this, &TFlatMenu::MeasureItemHandler);
}

void TFlatMenu::UnhookItem(TMenuItem &item) {
    if (item.OnDrawItem.Is(this, &TFlatMenu::DrawItemHandler))
        item.OnDrawItem = {};
    if (item.OnMeasureItem.Is(this, &TFlatMenu::MeasureItemHandler))
        item.OnMeasureItem = {};
}

void TFlatMenu::CheckItem(TMenuItem &item) {
    if (!item.OnDrawItem.Is(this, &TFlatMenu::DrawItemHandler))
        HookItem(item);
}

void TFlatMenu::RehookItem(TMenuItem *item) {
    CheckItem(*item);
    const TMenuItem *parent = item->Parent();
    for (int i = 0; parent && i < parent->Count(); ++i) {
        TMenuItem *sibling = parent->Items(i);
        CheckItem(*sibling);
        for (int j = 0; j < sibling->Count(); ++j)
            RehookItem(sibling->Items(j));
    }
}

TMainMenu *TFlatMenu::FormMainMenu() const {
    for (int i = 0; form_ && i < form_->ComponentCount(); ++i)
        if (auto *menu = dynamic_cast<TMainMenu *>(form_->Components(i)))
            return menu;
    return nullptr;
}

QWidget *TFlatMenu::FormWindow() const { return dynamic_cast<QWidget *>(form_); }

void TFlatMenu::RedrawMenuBar() {
    if (const TMainMenu *menu = FormMainMenu(); menu && menu->Widget())
        menu->Widget()->update();
}

bool TFlatMenu::IsMenuBarItem(const TMenuItem &item) const {
    const TMenu *menu = item.GetParentMenu();
    return menu && menu->IsMainMenu() && item.Parent() == &menu->Items();
}

} // namespace widgets
