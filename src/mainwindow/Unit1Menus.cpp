// The main window's menus and tool bar: every command with its caption (French, translated), its
// twin entries and the handler they share.
#include "mainwindow/Unit1.h"
#include "platform/app/InstallDir.h"

#include <QCoreApplication>
#include <QImage>

namespace app {

namespace {

using Handler = void (TForm1::*)(TObject *);

platform::TMenuItem *AddItem(TForm1 *form, platform::TMenuItem &parent, const char *name,
                             const QString &caption, Handler handler = nullptr) {
    auto *item = new platform::TMenuItem(form);
    item->SetName(name);
    item->SetCaption(caption);
    if (handler)
        item->OnClick = platform::TNotifyEvent(form, handler);
    parent.Add(item);
    return item;
}

void AddSeparator(TForm1 *form, platform::TMenuItem &parent) {
    AddItem(form, parent, "", QStringLiteral("-"));
}

} // namespace

void TForm1::CreateMenus() {
    MainMenu1 = new platform::TMainMenu(this);
    MainMenu1->SetName("MainMenu1");
    auto &bar = MainMenu1->Items();

    Paramtrage1 =
        AddItem(this, bar, "Paramtrage1", QCoreApplication::translate("TForm1", "&Paramètres"));
    Activezlacommunicationsrie1 =
        AddItem(this, *Paramtrage1, "Activezlacommunicationsrie1",
                QCoreApplication::translate("TForm1", "&Activer la communication série"),
                &TForm1::Activezlacommunicationsrie1Click);
    Communication1 = AddItem(this, *Paramtrage1, "Communication1",
                             QCoreApplication::translate("TForm1", "&Port de communication série"),
                             &TForm1::Communication1Click);
    AddSeparator(this, *Paramtrage1);
    Optionsgraphiques1 = AddItem(this, *Paramtrage1, "Optionsgraphiques1",
                                 QCoreApplication::translate("TForm1", "&Options graphiques"),
                                 &TForm1::Optionsgraphiques1Click);
    Optionspendule1 = AddItem(this, *Paramtrage1, "Optionspendule1",
                              QCoreApplication::translate("TForm1", "&Type de menus déroulant"),
                              &TForm1::Optionspendule1Click);
    AddSeparator(this, *Paramtrage1);
    Quittez1 = AddItem(this, *Paramtrage1, "Quittez1",
                       QCoreApplication::translate("TForm1", "&Quitter"), &TForm1::Quittez1Click);

    Bousolle1 = AddItem(this, bar, "Bousolle1", QCoreApplication::translate("TForm1", "&Boussole"));
    Etalonnagedelaboussole1 =
        AddItem(this, *Bousolle1, "Etalonnagedelaboussole1",
                QCoreApplication::translate("TForm1", "&Etalonnage de la boussole"),
                &TForm1::Etalonnagedelaboussole1Click);
    CentrageduzroNORD1 = AddItem(this, *Bousolle1, "CentrageduzroNORD1",
                                 QCoreApplication::translate("TForm1", "&Centrage du zéro (NORD)"),
                                 &TForm1::CentrageduzroNORD1Click);
    Dclinaisonmagntique1 = AddItem(this, *Bousolle1, "Dclinaisonmagntique1",
                                   QCoreApplication::translate("TForm1", "&Déclinaison magnétique"),
                                   &TForm1::Dclinaisonmagntique1Click);
    Journalducap1 = AddItem(this, *Bousolle1, "Journalducap1",
                            QCoreApplication::translate("TForm1", "&Journal du cap..."));
    Rgulationducompas1 = AddItem(this, *Bousolle1, "Rgulationducompas1",
                                 QCoreApplication::translate("TForm1", "&Régulation du compas..."));

    Options1 = AddItem(this, bar, "Options1", QCoreApplication::translate("TForm1", "&Options"));
    Optionslogicielles1 = AddItem(this, *Options1, "Optionslogicielles1",
                                  QCoreApplication::translate("TForm1", "Options l&ogicielles"),
                                  &TForm1::Optionslogicielles1Click);
    Optionsmatrielles1 = AddItem(this, *Options1, "Optionsmatrielles1",
                                 QCoreApplication::translate("TForm1", "Options &matérielles"),
                                 &TForm1::Optionsmatrielles1Click);
    PartageducapNMEA01831 =
        AddItem(this, *Options1, "PartageducapNMEA01831",
                QCoreApplication::translate("TForm1", "&Partage du cap (NMEA 0183)..."),
                &TForm1::PartageducapNMEA01831Click);

    Aide1 = AddItem(this, bar, "Aide1", QCoreApplication::translate("TForm1", "&Aide"));
    Help1 = AddItem(this, *Aide1, "Help1", QCoreApplication::translate("TForm1", "&Help"),
                    &TForm1::Help1Click);
    Aproposde1 =
        AddItem(this, *Aide1, "Aproposde1",
                QCoreApplication::translate("TForm1", "A &propos de..."), &TForm1::Aproposde1Click);

    // The context menu: each entry runs the handler of its main-menu twin.
    PopupMenu1 = new platform::TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    auto &popup = PopupMenu1->Items();
    Activerlacommunicationsrie1 =
        AddItem(this, popup, "Activerlacommunicationsrie1",
                QCoreApplication::translate("TForm1", "&Activer la communication série"),
                &TForm1::Activezlacommunicationsrie1Click);
    Portdecommunicationsrie1 =
        AddItem(this, popup, "Portdecommunicationsrie1",
                QCoreApplication::translate("TForm1", "&Port de communication série"),
                &TForm1::Communication1Click);
    AddSeparator(this, popup);
    Optionsgraphiques2 = AddItem(this, popup, "Optionsgraphiques2",
                                 QCoreApplication::translate("TForm1", "&Options graphiques"),
                                 &TForm1::Optionsgraphiques1Click);
    ypesdemenusdroulant1 =
        AddItem(this, popup, "ypesdemenusdroulant1",
                QCoreApplication::translate("TForm1", "&Types de menus déroulant"),
                &TForm1::Optionspendule1Click);
    AddSeparator(this, popup);
    Etalonnagede1 = AddItem(this, popup, "Etalonnagede1",
                            QCoreApplication::translate("TForm1", "&Etalonnage de la boussole"),
                            &TForm1::Etalonnagedelaboussole1Click);
    CentrageduzroNORD2 = AddItem(this, popup, "CentrageduzroNORD2",
                                 QCoreApplication::translate("TForm1", "&Centrage du z&éro (NORD)"),
                                 &TForm1::CentrageduzroNORD1Click);
    Dclinaisonmagntique2 = AddItem(this, popup, "Dclinaisonmagntique2",
                                   QCoreApplication::translate("TForm1", "&Déclinaison magnétique"),
                                   &TForm1::Dclinaisonmagntique1Click);
    AddSeparator(this, popup);
    Optionslogicielles2 = AddItem(this, popup, "Optionslogicielles2",
                                  QCoreApplication::translate("TForm1", "Options l&ogicielles"),
                                  &TForm1::Optionslogicielles1Click);
    Optionmatrielles1 = AddItem(this, popup, "Optionmatrielles1",
                                QCoreApplication::translate("TForm1", "Options &matérielles"),
                                &TForm1::Optionsmatrielles1Click);
    AddSeparator(this, popup);
    Aide2 = AddItem(this, popup, "Aide2", QCoreApplication::translate("TForm1", "&Help"),
                    &TForm1::Help1Click);
    Apropos1 =
        AddItem(this, popup, "Apropos1", QCoreApplication::translate("TForm1", "A p&ropos..."),
                &TForm1::Aproposde1Click);
    AddSeparator(this, popup);
    Quitter1 = AddItem(this, popup, "Quitter1", QCoreApplication::translate("TForm1", "&Quitter"),
                       &TForm1::Quittez1Click);
}

void TForm1::CreateToolBar() {
    ImageList1 = new platform::TImageList(this, 16, 16);
    ImageList1->SetName("ImageList1");
    for (const char *file : {"tb_liaison.bmp", "tb_port.bmp", "tb_centrage.bmp",
                             "tb_declinaison.bmp", "tb_logiciel.bmp", "tb_materiel.bmp"}) {
        // A missing picture leaves its button blank rather than stopping the program.
        QImage picture(platform::InstallDir::File(QString::fromLatin1(file)));
        if (picture.isNull()) {
            picture = QImage(16, 16, QImage::Format_RGB32);
            picture.fill(palette().color(QPalette::Button));
        }
        ImageList1->Add(picture);
    }

    ToolBar1 = new platform::TToolBar(this);
    ToolBar1->SetName("ToolBar1");
    ToolBar1->SetFlat(true);
    ToolBar1->SetImages(ImageList1);

    auto addButton = [this](const char *name, const QString &hint, int image, Handler handler) {
        auto *button = new platform::TToolButton(this);
        button->SetName(name);
        button->SetParent(ToolBar1);
        button->SetHint(hint);
        button->SetImageIndex(image);
        button->OnClick = platform::TNotifyEvent(this, handler);
        return button;
    };
    auto addSeparator = [this] {
        auto *separator = new platform::TToolButton(this);
        separator->SetStyle(platform::tbsSeparator);
        separator->SetParent(ToolBar1);
    };
    ToolButton1 =
        addButton("ToolButton1", QCoreApplication::translate("TForm1", "Activer la liaison série"),
                  0, &TForm1::Activezlacommunicationsrie1Click);
    ToolButton2 = addButton("ToolButton2",
                            QCoreApplication::translate("TForm1", "Port de communication série"), 1,
                            &TForm1::Communication1Click);
    addSeparator();
    ToolButton3 =
        addButton("ToolButton3", QCoreApplication::translate("TForm1", "Centrage du zéro (NORD)"),
                  2, &TForm1::CentrageduzroNORD1Click);
    ToolButton4 =
        addButton("ToolButton4", QCoreApplication::translate("TForm1", "Déclinaison magnétique"), 3,
                  &TForm1::Dclinaisonmagntique1Click);
    addSeparator();
    ToolButton6 =
        addButton("ToolButton6", QCoreApplication::translate("TForm1", "Options logicielles"), 4,
                  &TForm1::Optionslogicielles1Click);
    ToolButton7 =
        addButton("ToolButton7", QCoreApplication::translate("TForm1", "Options matérielles"), 5,
                  &TForm1::Optionsmatrielles1Click);
}

} // namespace app
