// The main window's display of the module's readings: the dial, the needle, the four
// labels and the declination panel, redrawn for every received chunk.
#include "app/NeedleDrawing.h"
#include "app/PictureBox.h"
#include "app/Unit1.h"
#include "platform/InstallDir.h"

#include <QFrame>
#include <QLabel>

namespace app {

void TForm1::SerialPort1RxChar(TObject *, int Count) {
    if (!state_.LinkUp())
        return; // nothing is taken from the port before the link is up
    RefreshDial();
    heading_.TakeNeedleSize(View());

    std::string text;
    if (!ReadReceived(text, Count))
        return;
    const std::optional<int> reading = ParseReading(text);
    if (reading)
        heading_.ApplyReading(*reading, View());
    // A chunk that is no reading redraws the display from the last valid one.
    ShowHeading();
    if (reading)
        readings_.Publish({.time = readings_.Now(),
                           .raw = *reading,
                           .lastRawAngle = heading_.LastRawAngle(),
                           .centring = heading_.AppliedCentring(),
                           .declination = heading_.AppliedDeclination(),
                           .headingSum = heading_.HeadingSum(),
                           .needleAngle = heading_.NeedleAngle(),
                           .capAngle = heading_.CapAngle()});
}

// A fresh dial picture erases the previous needle; without a recognised rose setting the
// picture stays and the next needle is drawn over the previous ones.
void TForm1::RefreshDial() {
    SetPanel1Colour(Qt::black);
    if (const auto file = DialFileName(View()))
        Image1->SetPicture(dialPictures_.Load(platform::InstallDir::File(*file)));
}

void TForm1::ShowHeading() {
    if (const auto text = DeclinationStatusText(View()))
        SetStatusText(StatusPanel::Declination, *text);
    heading_.UpdateAngles();

    const HeadingLabels labels = heading_.Labels(View());
    const std::pair<QLabel *, const LabelState &> order[] = {{Label7, labels.Label7},
                                                             {Label8, labels.Label8},
                                                             {Label9, labels.Label9},
                                                             {Label10, labels.Label10}};
    for (const auto &[label, state] : order) {
        label->setText(state.Caption);
        label->adjustSize();
        label->setVisible(state.Visible);
    }
    PlaceCompassLabels();
    HideBalloonIfLabelLeftCursor();

    DrawNeedle(Image1->Canvas(), heading_.HeadingSum(), heading_.NeedleLength(),
               heading_.NeedleWidth(), Image1->width() / 2, Image1->height() / 2,
               View().On(settings::TSwitch::Hub));
    Image1->Changed();
}

} // namespace app
