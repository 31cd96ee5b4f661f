#include "dialogs/Unit5.h"

#include "dialogs/DeclinationCalculator.h"
#include "dialogs/DialogControls.h"
#include "dialogs/HelpTopics.h"
#include "platform/app/Errors.h"
#include "platform/app/Guarded.h"
#include "platform/app/InstallDir.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>
#include <optional>

namespace app {

namespace {

const QString WestPicture = QStringLiteral("OUEST.BMP");
const QString EastPicture = QStringLiteral("EST.BMP");
constexpr int MinTickSpacing = 3; // pixels
// The dialog's own controls take 475 pixels; the calculator's frame stands to their right.
constexpr int ClassicWidth = 475;
constexpr int CalculatorWidth = 330;

// The range a user may type, as the list offers it: whole degrees up to the module's 10.
constexpr int MinRange = 1;
constexpr int MaxRange = 10;

// A field's text that a line of the settings file could not keep: refused with the
// reason, naming the value that stays.
void RefuseLineBreaks(const QString &text, const QString &field, const QString &kept) {
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')) ||
        text.contains(QChar(u'\0')))
        throw platform::Exception(
            QCoreApplication::translate(
                "TForm5", "%1 ne peut pas contenir de saut de ligne ni de caractère nul : "
                          "chaque réglage tient sur une seule ligne du fichier Ventrose.inf.\n"
                          "Le texte saisi n'est pas enregistré, et la valeur « %2 » reste.")
                .arg(field, kept));
}

} // namespace

TForm5::TForm5(MainWindowAccess &mainWindow)
    : TParameterForm(mainWindow, QCoreApplication::translate("TForm5", "Déclinaison magnétique"),
                     ClassicWidth + CalculatorWidth + 8, 336) {
    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(8, 49, 161, 169);
    Image1 = new QLabel(Panel1);
    Image1->setGeometry(4, 4, 153, 161);

    MakeSideGroup();
    MakeSettingGroup();

    Label5 = new QLabel(this);
    SetBold(Label5);
    SetTextColour(Label5, platform::clRed);
    Label5->setAlignment(Qt::AlignCenter);
    Label5->setGeometry(8, 268, 459, 20);

    BitBtn2 = MakeBitBtn(this, QCoreApplication::translate("TForm5", "&Aide"),
                         QStringLiteral("btn_aide.bmp"), QRect(288, 301, 81, 27));
    BitBtn1 = MakeBitBtn(this, QCoreApplication::translate("TForm5", "&OK"),
                         QStringLiteral("btn_ok.bmp"), QRect(386, 301, 81, 27));
    connect(BitBtn1, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn2Click(); }));

    GroupBox3 = new TDeclinationCalculator(this);
    GroupBox3->setGeometry(ClassicWidth, 8, CalculatorWidth, 320);
    GroupBox3->onApply = [this](const DeclinationSetting &setting) { ApplyCalculated(setting); };
}

void TForm5::MakeSideGroup() {
    GroupBox1 =
        new QGroupBox(QCoreApplication::translate("TForm5", " Cardinal de la déclinaison :"), this);
    GroupBox1->setGeometry(177, 8, 290, 73);
    RadioButton1 = MakeCaptionlessButton<QRadioButton>(GroupBox1, QPoint(14, 24));
    Label6 = MakeButtonText(
        RadioButton1,
        QCoreApplication::translate("TForm5", "Déclinaison OUEST (déclinaison négative)"));
    RadioButton2 = MakeCaptionlessButton<QRadioButton>(GroupBox1, QPoint(14, 46));
    Label7 = MakeButtonText(RadioButton2, QCoreApplication::translate(
                                              "TForm5", "Déclinaison EST (déclinaison positive)"));
    // Only the button that comes on notifies; the one that goes off says nothing.
    connect(RadioButton1, &QRadioButton::toggled, this, platform::Guarded([this](bool on) {
                if (on)
                    RadioButton1Click();
            }));
    connect(RadioButton2, &QRadioButton::toggled, this, platform::Guarded([this](bool on) {
                if (on)
                    RadioButton2Click();
            }));
}

void TForm5::MakeSettingGroup() {
    GroupBox2 =
        new QGroupBox(QCoreApplication::translate("TForm5", " Réglage de la déclinaison :"), this);
    GroupBox2->setGeometry(177, 89, 290, 170);
    Label1 = MakeLabel(GroupBox2, QCoreApplication::translate("TForm5", "Plage de réglage :"),
                       QPoint(16, 30));

    ComboBox1 = new QComboBox(GroupBox2);
    ComboBox1->setGeometry(120, 26, 57, 21);
    ComboBox1->setEditable(true);
    // What the user types stays as typed until "&OK": it is not added to the list, not
    // completed, and not taken as a pick when the field loses the focus.
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setCompleter(nullptr);
    disconnect(ComboBox1->lineEdit(), &QLineEdit::editingFinished, nullptr, nullptr);
    connect(ComboBox1, &QComboBox::activated, this,
            platform::Guarded([this] { ComboBox1Click(); }));

    Bevel1 = new QFrame(GroupBox2);
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(8, 62, 274, 4);
    Label2 =
        MakeLabel(GroupBox2, QCoreApplication::translate("TForm5", "Réglage :"), QPoint(16, 78));

    TrackBar1 = new QSlider(Qt::Horizontal, GroupBox2);
    TrackBar1->setGeometry(32, 104, 225, 33);
    TrackBar1->setRange(0, 10);
    TrackBar1->setSingleStep(1);
    TrackBar1->setPageStep(2);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    connect(TrackBar1, &QSlider::valueChanged, this,
            platform::Guarded([this] { TrackBar1Change(); }));
    Label3 = MakeLabel(GroupBox2, QStringLiteral("0"), QPoint(18, 108));
    Label4 = MakeLabel(GroupBox2, QString(), QPoint(264, 108));
    Label4->resize(24, Label3->height());
}

void TForm5::FormActivate() {
    TakeOverFromMainWindow();
    ComboBox1->clear();
    ComboBox1->addItems(
        {QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("10")});
    const QString range = Settings().Text(settings::DeclinationRangeSlot);
    ComboBox1->setCurrentIndex(ComboBox1->findText(range));
    ComboBox1->setEditText(range);
    Label4->setText(range);
    SetUpperEnd(View().DeclinationRange());

    if (const std::optional<settings::TSign> sign = View().DeclinationSign()) {
        const bool west = *sign == settings::TSign::Plus;
        if (west)
            SetCheckedByProgram(RadioButton1, true, [this] { RadioButton1Click(); });
        else
            SetCheckedByProgram(RadioButton2, true, [this] { RadioButton2Click(); });
        ShowPicture(west ? WestPicture : EastPicture);
    }

    SetPosition(std::clamp(View().Declination(), TrackBar1->minimum(), TrackBar1->maximum()));
}

void TForm5::ComboBox1Click() {
    Label4->setText(ComboBox1->currentText());
    SetUpperEnd(platform::StrToInt(ComboBox1->currentText()));
}

void TForm5::TrackBar1Change() {
    ShowDeclinationText();
    View().SetDeclination(TrackBar1->value());
}

void TForm5::RadioButton1Click() {
    ShowPicture(WestPicture);
    ShowDeclinationText();
}

void TForm5::RadioButton2Click() {
    ShowPicture(EastPicture);
    ShowDeclinationText();
}

void TForm5::BitBtn1Click() {
    StoreRange();
    if (RadioButton1->isChecked())
        View().SetDeclinationSign(settings::TSign::Plus);
    else if (RadioButton2->isChecked())
        View().SetDeclinationSign(settings::TSign::Minus);
    ReturnToMainWindow();
}

void TForm5::StoreRange() {
    const QString typed = ComboBox1->currentText();
    const QString kept = Settings().Text(settings::DeclinationRangeSlot);
    // What the slot already holds stays, even from a hand-edited file: the activation
    // reported it, and the user must not be held in the dialog by it.
    if (typed == kept)
        return;
    RefuseLineBreaks(typed, QCoreApplication::translate("TForm5", "La plage de réglage"), kept);
    const std::optional<int> range = platform::TryStrToInt(typed);
    if (!range || *range < MinRange || *range > MaxRange)
        throw platform::Exception(QCoreApplication::translate(
                                      "TForm5",
                                      "La plage de réglage doit être un nombre entier de %1 à %2.\n"
                                      "« %3 » n'est pas enregistré, et la plage « %4 » reste.")
                                      .arg(MinRange)
                                      .arg(MaxRange)
                                      .arg(typed, kept));
    View().SetDeclinationRange(*range);
}

void TForm5::BitBtn2Click() { ShowHelpTopic(QStringLiteral("rub8")); }

void TForm5::ApplyCalculated(const DeclinationSetting &setting) {
    const QString range = QString::number(setting.range);
    ComboBox1->setCurrentIndex(ComboBox1->findText(range));
    ComboBox1->setEditText(range);
    ComboBox1Click();
    if (setting.west)
        SetCheckedByProgram(RadioButton1, true, [this] { RadioButton1Click(); });
    else
        SetCheckedByProgram(RadioButton2, true, [this] { RadioButton2Click(); });
    SetPosition(setting.degrees);
}

void TForm5::ShowPicture(const QString &fileName) {
    const QString path = platform::InstallDir::File(fileName);
    QImage picture;
    if (!picture.load(path))
        throw platform::EFOpenError(path);
    Image1->setPixmap(QPixmap::fromImage(picture));
}

void TForm5::ShowDeclinationText() {
    // West is stored as "+" but reads as a negative declination, east the reverse.
    const QString p = QString::number(TrackBar1->value());
    if (RadioButton1->isChecked())
        Label5->setText(
            QCoreApplication::translate("TForm5", "Déclinaison magnétique : %1° OUEST soit : -%1°")
                .arg(p));
    else if (RadioButton2->isChecked())
        Label5->setText(
            QCoreApplication::translate("TForm5", "Déclinaison magnétique  : %1° EST soit : +%1°")
                .arg(p));
}

void TForm5::SetUpperEnd(int upper) {
    if (upper < TrackBar1->minimum())
        return;
    // A tick at every degree, as long as the ticks stay apart: a range from a hand-edited
    // settings file may be any number.
    const bool roomForTicks = upper <= TrackBar1->width() / MinTickSpacing;
    TrackBar1->setTickPosition(roomForTicks ? QSlider::TicksBelow : QSlider::NoTicks);
    const int before = TrackBar1->value();
    {
        const QSignalBlocker quiet(TrackBar1);
        TrackBar1->setMaximum(upper);
    }
    if (TrackBar1->value() != before)
        TrackBar1Change();
}

void TForm5::SetPosition(int position) {
    if (position == TrackBar1->value())
        return;
    {
        const QSignalBlocker quiet(TrackBar1);
        TrackBar1->setValue(position);
    }
    TrackBar1Change();
}

} // namespace app
