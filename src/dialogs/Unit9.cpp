#include "dialogs/Unit9.h"

#include "dialogs/DialogControls.h"
#include "dialogs/HelpTopics.h"
#include "platform/app/Guarded.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace app {

namespace {

enum Bit { LcdFitted = 0, MainsFrequency = 4, LcdContent = 5 };

} // namespace

TForm9::TForm9(MainWindowAccess &mainWindow)
    : TParameterForm(mainWindow, QCoreApplication::translate("TForm9", "Options matérielles"), 289,
                     183) {
    // Rows, top to bottom; the LCD content is indented under the LCD it belongs to.
    const auto row = [this](QCheckBox *&box, QLabel *&label, const char *text, int left, int top) {
        box = MakeCaptionlessButton<QCheckBox>(this, QPoint(left, top));
        label = MakeButtonText(box, QCoreApplication::translate("TForm9", text));
    };
    row(CheckBox1, Label2, QT_TRANSLATE_NOOP("TForm9", "Afficheur LCD"), 8, 10);
    // Made with the longer of its two texts, so that either fits.
    row(CheckBox6, Label8, QT_TRANSLATE_NOOP("TForm9", "Affichage AIGUILLE ROUGE sur LCD"), 28, 30);
    row(CheckBox2, Label3,
        QT_TRANSLATE_NOOP("TForm9", "Calcul de la moyenne à partir des mesures brutes"), 8, 50);
    row(CheckBox3, Label4,
        QT_TRANSLATE_NOOP("TForm9", "Liaison série annexe pour développement personnel"), 8, 70);
    row(CheckBox4, Label5, QT_TRANSLATE_NOOP("TForm9", "Boussole par affichage LEDS"), 8, 90);
    row(CheckBox5, Label6, QT_TRANSLATE_NOOP("TForm9", "Fréquence secteur"), 8, 110);
    Label1 = MakeLabel(this, QCoreApplication::translate("TForm9", "F= 50Hz"),
                       QPoint(Label6->geometry().right() + 16, Label6->y()));
    SetTextColour(Label1, platform::clRed);

    // Unused bits: never shown, but their boxes carry the bits through.
    CheckBox7 = new QCheckBox(QStringLiteral("CheckBox7 Non utilisé"), this);
    CheckBox8 = new QCheckBox(QStringLiteral("CheckBox8 Non utilisé"), this);
    CheckBox7->hide();
    CheckBox8->hide();

    BitBtn2 = MakeBitBtn(this, QCoreApplication::translate("TForm9", "&Aide"),
                         QStringLiteral("btn_aide.bmp"), QRect(104, 148, 81, 27));
    BitBtn1 = MakeBitBtn(this, QCoreApplication::translate("TForm9", "&OK"),
                         QStringLiteral("btn_ok.bmp"), QRect(200, 148, 81, 27));

    boxes_ = {CheckBox1, CheckBox2, CheckBox3, CheckBox4,
              CheckBox5, CheckBox6, CheckBox7, CheckBox8};
    for (int bit = 0; bit < OptionBits; ++bit)
        connect(boxes_[bit], &QCheckBox::toggled, this,
                platform::Guarded([this, bit] { CheckBoxClick(bit); }));
    // As at every state of the boxes: no LCD, so nothing to choose for it.
    ShowLcdFitted(false);

    connect(BitBtn1, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn2Click(); }));
}

void TForm9::FormActivate() {
    TakeOverFromMainWindow();
    // Bit by bit with truncating division, so a negative value gives remainders of -1,
    // which leave their boxes as they are; bits above 7 are not looked at. A text that is
    // no integer stops here, before any box changes.
    int value = View().HardwareOptions();
    for (int bit = 0; bit < OptionBits; ++bit) {
        const int remainder = value % 2;
        value /= 2;
        if (remainder != 0 && remainder != 1)
            continue;
        SetCheckedByProgram(boxes_[bit], remainder == 1, [this, bit] { CheckBoxClick(bit); });
        ShowBitExtras(bit, remainder == 1);
    }
}

void TForm9::CheckBoxClick(int bit) {
    const bool ticked = boxes_[bit]->isChecked();
    const int weight = 1 << bit;
    const int value = MainWindow().HardwareOptionsValue() + (ticked ? weight : -weight);
    MainWindow().SetHardwareOptionsValue(value);
    ShowBitExtras(bit, ticked);
    View().SetHardwareOptions(value);
}

void TForm9::BitBtn2Click() { ShowHelpTopic(QStringLiteral("rub10")); }

void TForm9::ShowBitExtras(int bit, bool set) {
    switch (bit) {
    case LcdFitted:
        ShowLcdFitted(set);
        break;
    case MainsFrequency:
        ShowMainsFrequency(set);
        break;
    case LcdContent:
        ShowLcdContent(set);
        break;
    default:
        break;
    }
}

void TForm9::ShowLcdFitted(bool fitted) {
    // Whether the LCD shows the heading stays as chosen, for when an LCD is fitted again.
    CheckBox6->setEnabled(fitted);
    Label8->setEnabled(fitted);
}

void TForm9::ShowMainsFrequency(bool sixtyHertz) {
    Label1->setText(sixtyHertz ? QCoreApplication::translate("TForm9", "F= 60Hz")
                               : QCoreApplication::translate("TForm9", "F= 50Hz"));
}

void TForm9::ShowLcdContent(bool heading) {
    Label8->setText(
        heading ? QCoreApplication::translate("TForm9", "Affichage CAP sur LCD")
                : QCoreApplication::translate("TForm9", "Affichage AIGUILLE ROUGE sur LCD"));
}

} // namespace app
