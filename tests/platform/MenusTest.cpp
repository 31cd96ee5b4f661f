// Menu items and tool buttons: their state reaches the QActions, clicks reach the handlers,
// and a handler's exception is reported instead of escaping.
#include "platform/ui/Menus.h"
#include "platform/app/MessageBoxes.h"
#include "platform/ui/ToolBar.h"
#include "RecordingMessageBoxService.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using namespace platform;

QStringList ErrorTexts(const RecordingMessageBoxService &service) {
    QStringList texts;
    for (const auto &box : service.boxes)
        if (box.kind == "Error")
            texts << box.text;
    return texts;
}

// Stands for a form: owns the components and has the handlers.
class Form : public TComponent {
public:
    void ItemClick(TObject *sender) { clicks.push_back(sender); }
    void FailingClick(TObject *) { throw std::runtime_error("Échec de la commande"); }
    std::vector<TObject *> clicks;
};

TMenuItem *NewItem(Form &form, TMenuItem &parent, const QString &caption) {
    auto *item = new TMenuItem(&form);
    item->SetCaption(caption);
    parent.Add(item);
    return item;
}

class MenusTest : public ::testing::Test {
protected:
    RecordingMessageBoxService boxes;
    ScopedMessageBoxService scoped{boxes};
    Form form;
};

TEST_F(MenusTest, MainMenuShowsItsItemsInOrderOnTheBar) {
    auto *menu = new TMainMenu(&form);
    TMenuItem *parametres = NewItem(form, menu->Items(), "&Paramètres");
    TMenuItem *activer = NewItem(form, *parametres, "&Activer la communication série");
    TMenuItem *line = NewItem(form, *parametres, "-");
    TMenuItem *quitter = NewItem(form, *parametres, "&Quitter");
    TMenuItem *aide = NewItem(form, menu->Items(), "&Aide");

    ASSERT_EQ(menu->MenuBar()->actions().size(), 2);
    EXPECT_EQ(menu->MenuBar()->actions()[0], parametres->Action());
    EXPECT_EQ(menu->MenuBar()->actions()[1], aide->Action());
    ASSERT_NE(parametres->SubMenu(), nullptr);
    const auto actions = parametres->SubMenu()->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), "&Activer la communication série");
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_TRUE(line->IsLine());
    EXPECT_EQ(TMenuItem::FromAction(actions[2]), quitter);
    EXPECT_EQ(TMenuItem::FromContainer(parametres->SubMenu()), parametres);
    EXPECT_EQ(TMenuItem::FromContainer(menu->MenuBar()), &menu->Items());
    EXPECT_EQ(activer->GetParentMenu(), menu);
    EXPECT_TRUE(activer->GetParentMenu()->IsMainMenu());
    EXPECT_EQ(activer->Parent(), parametres);
    EXPECT_EQ(parametres->IndexOf(quitter), 2);

    // Inserting and freeing items keep both sides in step.
    TMenuItem *first = new TMenuItem(&form);
    first->SetCaption("Premier");
    parametres->Insert(0, first);
    EXPECT_EQ(parametres->SubMenu()->actions()[0], first->Action());
    delete activer;
    EXPECT_EQ(parametres->Count(), 3);
    EXPECT_EQ(parametres->SubMenu()->actions().size(), 3);
}

TEST_F(MenusTest, EnabledCheckedDefaultAndVisibleReachTheAction) {
    auto *menu = new TPopupMenu(&form);
    TMenuItem *item = NewItem(form, menu->Items(), "&Options graphiques");
    item->SetEnabled(false);
    EXPECT_FALSE(item->Action()->isEnabled());
    item->SetEnabled(true);
    EXPECT_TRUE(item->Action()->isEnabled());
    item->SetChecked(true);
    EXPECT_TRUE(item->Action()->isChecked());
    item->SetChecked(false);
    EXPECT_FALSE(item->Action()->isChecked());
    item->SetDefault(true);
    EXPECT_TRUE(item->Action()->font().bold());
    item->SetVisible(false);
    EXPECT_FALSE(item->Action()->isVisible());
    item->SetShortCut(QKeySequence("Ctrl+O"));
    EXPECT_EQ(item->Action()->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_FALSE(item->ShortCutText().trimmed().isEmpty());
    EXPECT_EQ(menu->Menu()->actions().first(), item->Action());
    EXPECT_FALSE(item->GetParentMenu()->IsMainMenu());
}

TEST_F(MenusTest, RadioItemsOfAGroupExcludeEachOther) {
    auto *menu = new TPopupMenu(&form);
    TMenuItem *a = NewItem(form, menu->Items(), "A");
    TMenuItem *b = NewItem(form, menu->Items(), "B");
    TMenuItem *other = NewItem(form, menu->Items(), "C");
    for (TMenuItem *item : {a, b, other})
        item->SetRadioItem(true);
    other->SetGroupIndex(1);
    a->SetChecked(true);
    other->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_FALSE(a->Action()->isChecked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked());
}

TEST_F(MenusTest, TriggeringRunsOnClickAndKeepsTheProgramsCheckState) {
    auto *menu = new TMainMenu(&form);
    TMenuItem *top = NewItem(form, menu->Items(), "&Aide");
    TMenuItem *help = NewItem(form, *top, "&Help");
    help->OnClick = TNotifyEvent(&form, &Form::ItemClick);
    help->Action()->trigger();
    ASSERT_EQ(form.clicks.size(), 1u);
    EXPECT_EQ(form.clicks[0], help);
    EXPECT_TRUE(help->OnClick.Is(&form, &Form::ItemClick));

    // Qt would toggle a checked action; the item's own state stays.
    help->SetChecked(true);
    help->Action()->trigger();
    EXPECT_TRUE(help->Checked());
    EXPECT_TRUE(help->Action()->isChecked());

    // A disabled item does nothing when clicked from code.
    help->SetEnabled(false);
    help->Click();
    EXPECT_EQ(form.clicks.size(), 2u);
}

TEST_F(MenusTest, AnExceptionInOnClickIsReportedNotThrown) {
    auto *menu = new TPopupMenu(&form);
    TMenuItem *item = NewItem(form, menu->Items(), "&Quitter");
    item->OnClick = TNotifyEvent(&form, &Form::FailingClick);
    EXPECT_NO_THROW(item->Action()->trigger());
    EXPECT_EQ(ErrorTexts(boxes), QStringList{"Échec de la commande"});
}

TEST_F(MenusTest, ImageListGivesIconsToItemsAndButtons) {
    auto *images = new TImageList(&form, 4, 4);
    QImage strip(8, 4, QImage::Format_RGB32);
    strip.fill(Qt::red);
    strip.setPixelColor(0, 3, Qt::white); // bottom-left: the transparent colour of picture 0
    EXPECT_EQ(images->Add(strip), 0);
    EXPECT_EQ(images->Count(), 2);
    EXPECT_EQ(images->Image(1).pixelColor(2, 2), QColor(Qt::red));
    EXPECT_TRUE(images->Image(2).isNull());

    QImage target(6, 6, QImage::Format_RGB32);
    target.fill(Qt::blue);
    TCanvas canvas(&target);
    images->Draw(canvas, 1, 1, 0);
    EXPECT_EQ(target.pixelColor(1, 4), QColor(Qt::blue)); // transparent pixel left out
    EXPECT_EQ(target.pixelColor(2, 2), QColor(Qt::red));

    auto *menu = new TMainMenu(&form);
    TMenuItem *top = NewItem(form, menu->Items(), "&Options");
    TMenuItem *item = NewItem(form, *top, "Options l&ogicielles");
    item->SetImageIndex(1);
    EXPECT_TRUE(item->Action()->icon().isNull());
    menu->SetImages(images);
    EXPECT_FALSE(item->Action()->icon().isNull());

    auto *bar = new TToolBar(&form);
    auto *button = new TToolButton(&form);
    button->SetParent(bar);
    bar->SetImages(images);
    button->SetImageIndex(0);
    EXPECT_FALSE(button->Action()->icon().isNull());
    EXPECT_EQ(bar->Widget()->iconSize(), QSize(4, 4));

    // The list going away takes the icons with it, and nothing points to it any more.
    delete images;
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_EQ(bar->Images(), nullptr);
    EXPECT_TRUE(item->Action()->icon().isNull());
}

TEST_F(MenusTest, ToolButtonsCarryTheirStateAndClicks) {
    auto *bar = new TToolBar(&form);
    bar->SetFlat(true);
    auto *link = new TToolButton(&form);
    link->SetHint("Activer la liaison série");
    link->SetParent(bar);
    auto *separator = new TToolButton(&form);
    separator->SetStyle(tbsSeparator);
    separator->SetParent(bar);
    auto *check = new TToolButton(&form);
    check->SetStyle(tbsCheck);
    check->SetParent(bar);

    ASSERT_EQ(bar->ButtonCount(), 3);
    EXPECT_EQ(bar->Widget()->actions().size(), 3);
    EXPECT_TRUE(separator->Action()->isSeparator());
    EXPECT_EQ(check->Index(), 2);
    EXPECT_EQ(link->Action()->toolTip(), "Activer la liaison série");
    auto *tool = qobject_cast<QToolButton *>(link->Widget());
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(tool->autoRaise());
    EXPECT_EQ(TToolButton::FromWidget(tool), link);
    EXPECT_EQ(TToolBar::FromWidget(bar->Widget()), bar);

    link->OnClick = TNotifyEvent(&form, &Form::ItemClick);
    link->Action()->trigger();
    EXPECT_EQ(form.clicks, std::vector<TObject *>{link});
    link->SetEnabled(false);
    EXPECT_FALSE(link->Action()->isEnabled());

    // A check button toggles Down when clicked; a plain one keeps what the program set.
    check->Action()->trigger();
    EXPECT_TRUE(check->Down());
    check->Action()->trigger();
    EXPECT_FALSE(check->Down());
    link->SetEnabled(true);
    link->SetDown(true);
    link->Action()->trigger();
    EXPECT_TRUE(link->Down());
    EXPECT_TRUE(link->Action()->isChecked());

    link->OnClick = TNotifyEvent(&form, &Form::FailingClick);
    EXPECT_NO_THROW(link->Action()->trigger());
    EXPECT_EQ(ErrorTexts(boxes).size(), 1);

    // A button turned into a separator on the bar becomes one, in its place.
    link->SetStyle(tbsDivider);
    EXPECT_EQ(qobject_cast<QToolButton *>(link->Widget()), nullptr);
    EXPECT_NE(link->Widget(), nullptr);
    EXPECT_EQ(bar->Widget()->actions().first(), link->Action());
    link->SetStyle(tbsButton);
    EXPECT_NE(qobject_cast<QToolButton *>(link->Widget()), nullptr);

    // Freeing a button takes it off its bar.
    delete separator;
    EXPECT_EQ(bar->ButtonCount(), 2);
    EXPECT_EQ(check->Index(), 1);
}

class Painter {
public:
    void DrawButton(TToolBar *, TToolButton *, TCustomDrawState state, bool &defaultDraw) {
        lastState = state;
        defaultDraw = false;
    }
    TCustomDrawState lastState = 0;
};

TEST_F(MenusTest, CustomDrawSlotDecidesTheDefaultDrawing) {
    auto *bar = new TToolBar(&form);
    auto *button = new TToolButton(&form);
    button->SetParent(bar);
    EXPECT_TRUE(bar->DoCustomDrawButton(button, cdsHot));
    Painter painter;
    bar->OnCustomDrawButton = TTBCustomDrawBtnEvent(&painter, &Painter::DrawButton);
    EXPECT_FALSE(bar->DoCustomDrawButton(button, cdsHot | cdsChecked));
    EXPECT_EQ(painter.lastState, unsigned(cdsHot | cdsChecked));
    bar->Widget()->resize(100, 26);
    EXPECT_EQ(bar->Canvas().Width(), 100);
}

// Sees what joins its owner, as a painter that takes over new items does.
class Watcher : public TComponent {
public:
    using TComponent::TComponent;
    int itemsSeen = 0, buttonsSeen = 0;

protected:
    void Notification(TComponent *component, TOperation operation) override {
        if (operation != TOperation::opInsert)
            return;
        itemsSeen += dynamic_cast<TMenuItem *>(component) != nullptr;
        buttonsSeen += dynamic_cast<TToolButton *>(component) != nullptr;
    }
};

TEST_F(MenusTest, TheOwnerIsToldOfAWholeItemOrButtonOnce) {
    Watcher watcher(&form);
    auto *item = new TMenuItem(&form);
    new TToolButton(&form);
    EXPECT_EQ(watcher.itemsSeen, 1);
    EXPECT_EQ(watcher.buttonsSeen, 1);
    EXPECT_EQ(item->Owner(), &form);
    EXPECT_EQ(form.Components(form.ComponentCount() - 2), item);
}

TEST_F(MenusTest, AWindowThatDeletedTheBarLeavesTheMenuUsable) {
    auto *menu = new TMainMenu(&form);
    TMenuItem *top = NewItem(form, menu->Items(), "&Aide");
    delete menu->MenuBar();
    EXPECT_EQ(menu->Widget(), nullptr);
    TMenuItem *late = NewItem(form, menu->Items(), "&Boussole");
    EXPECT_EQ(menu->Items().Count(), 2);
    EXPECT_EQ(late->GetParentMenu(), menu);
    delete menu; // items survive their menu
    top->SetCaption("&Aide ");
    EXPECT_EQ(top->GetParentMenu(), nullptr);
}

} // namespace
