// The main window's calibration panel: the group box whose instruction label and numbered
// button change with the phase, the picture of how to hold the module, and the help button.
#include "dialogs/DialogBase.h"
#include "link/CalibrationPhases.h"
#include "mainwindow/PictureBox.h"
#include "mainwindow/Unit1.h"
#include "platform/app/Guarded.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace app {

namespace {

constexpr int DigitButtonSize = 49;
constexpr int PictureWidth = 281;
constexpr int PictureHeight = 257;
constexpr int PictureBevel = 2;

QFont DigitFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(30);
    font.setBold(true);
    return font;
}

// The colour of an enabled control's text; a disabled one keeps the style's grayed-out text,
// so a phase button switched off does not look usable.
void SetTextColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour) {
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, role, colour);
    widget->setPalette(palette);
}

} // namespace

void TForm1::CreateCalibrationPanel(QWidget *client) {
    Panel2 = new QFrame(client);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(8, 32, 345, 409);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->hide();

    GroupBox1 = new QGroupBox(
        QCoreApplication::translate("TForm1", " Etalonnage de la boussole : "), Panel2);
    GroupBox1->setGeometry(8, 8, 329, 80);
    QFont bold = font();
    bold.setBold(true);
    GroupBox1->setFont(bold);

    // Each phase's label and button take the same place; only the waiting phase's show.
    QLabel **labels[] = {&Label2, &Label3, &Label1, &Label4};
    QPushButton **buttons[] = {&BitBtn1, &BitBtn2, &BitBtn3, &BitBtn4};
    void (TForm1::*const clicks[])(TObject *) = {&TForm1::BitBtn1Click, &TForm1::BitBtn2Click,
                                                 &TForm1::BitBtn3Click, &TForm1::BitBtn4Click};
    for (int phase = 0; phase < CalibrationPhaseCount; ++phase) {
        const CalibrationPhase &look = CalibrationPhases()[phase];
        QLabel *label = *labels[phase] = new QLabel(look.instruction, GroupBox1);
        label->setGeometry(12, 26, 250, 40);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        SetTextColour(label, QPalette::WindowText, look.colour);
        QPushButton *button = *buttons[phase] = new QPushButton(look.digit, GroupBox1);
        button->setGeometry(268, 22, DigitButtonSize, DigitButtonSize);
        button->setFont(DigitFont());
        SetTextColour(button, QPalette::ButtonText, look.colour);
        connect(button, &QPushButton::clicked, this,
                platform::Guarded([this, click = clicks[phase]] { (this->*click)(this); }));
        label->hide();
        button->hide();
    }

    Panel3 = new QFrame(Panel2);
    Panel3->setGeometry((Panel2->width() - PictureWidth) / 2 - PictureBevel, 98,
                        PictureWidth + 2 * PictureBevel, PictureHeight + 2 * PictureBevel);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel3->setLineWidth(PictureBevel);
    Image2 = new PictureBox(Panel3);
    Image2->setGeometry(PictureBevel, PictureBevel, PictureWidth, PictureHeight);

    BitBtn5 = new QPushButton(LoadGlyph(QStringLiteral("btn_aide.bmp")),
                              QCoreApplication::translate("TForm1", "&Aide"), Panel2);
    BitBtn5->setIconSize(QSize(18, 18));
    BitBtn5->setGeometry((Panel2->width() - 75) / 2, 370, 75, 25);
    connect(BitBtn5, &QPushButton::clicked, this,
            platform::Guarded([this] { BitBtn5Click(this); }));
}

} // namespace app
