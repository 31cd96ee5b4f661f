// The main window's display of the module's readings: the dial, the needle, the four
// labels and the declination panel. Every received chunk is taken at once (the dial
// picture checked, the heading worked out and published); the display is drawn from the
// latest state at most once per screen frame, so a fast stream of readings costs no more
// redraws than the screen can show, and a slow one is drawn as each reading comes.
#include "base/StandardDescriptors.h"
#include "mainwindow/PictureBox.h"
#include "mainwindow/Unit1.h"
#include "platform/app/InstallDir.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>

#include <utility>

namespace app {

void TForm1::SerialPort1RxChar(TObject *, int Count) {
    if (!link_->LinkUp())
        return; // nothing is taken from the port before the link is up
    TakeDialPicture();
    std::optional<int> reading;
    try {
        heading_.TakeNeedleSize(View());
        std::string text;
        if (!link_->ReadReceived(text, Count))
            return;
        reading = ParseReading(text);
        if (reading)
            heading_.ApplyReading(*reading, View());
    } catch (...) {
        frames_.Request(); // the fresh dial still shows, without its needle
        throw;
    }
    // A chunk that is no reading redraws the display from the last valid one.
    heading_.UpdateAngles();
    frameNeedles_.push_back({heading_.HeadingSum(), heading_.NeedleLength(), heading_.NeedleWidth(),
                             View().On(settings::TSwitch::Hub)});
    frames_.Request();
    if (reading) {
        compass::Reading stamped = heading_.LastReading();
        stamped.time = ReadingTimeOf(readings_.Now());
        readings_.Publish(stamped);
    }
}

// A fresh dial picture erases the previous needles; without a recognised rose setting the
// picture stays and the next needles are drawn over the previous ones. The picture is
// looked for with each chunk, so a missing one fails that chunk's processing.
void TForm1::TakeDialPicture() {
    if (const auto file = DialFileName(View())) {
        framePicture_ = dialPictures_.LoadInstalled(*file);
        frameNeedles_.clear();
        if (dialPictures_.FolderGone())
            TellFolderGone();
    }
}

void TForm1::TellFolderGone() {
    if (std::exchange(folderGoneTold_, true))
        return;
    const QString note =
        QCoreApplication::translate("TForm1", "Le dossier d'installation %1 a disparu : le "
                                              "programme continue avec ce qu'il en a chargé.")
            .arg(platform::InstallDir::Path());
    platform::NoteOnStandardError(note.toStdString());
    ShowStatusNote(note);
}

void TForm1::DrawFrame() {
    if (!link_->LinkUp()) { // the link went down meanwhile: the dial is back to its look before it
        framePicture_.reset();
        frameNeedles_.clear();
        return;
    }
    if (Panel1->palette().color(QPalette::Window) != Qt::black)
        SetPanel1Colour(Qt::black);
    ShowHeading();
}

void TForm1::ShowHeading() {
    if (const auto text = DeclinationStatusText(View()))
        SetStatusText(StatusPanel::Declination, *text);

    const HeadingLabels labels = heading_.Labels(View());
    const std::pair<QLabel *, const LabelState &> order[] = {{Label7, labels.Label7},
                                                             {Label8, labels.Label8},
                                                             {Label9, labels.Label9},
                                                             {Label10, labels.Label10}};
    for (const auto &[label, state] : order) {
        if (label->text() != state.Caption) // laid out again only when its text changes
            labelSizes_.SetText(*label, state.Caption);
        label->setVisible(state.Visible);
    }
    PlaceCompassLabels();
    // The author notice goes with the panel's first reading: the labels that show the
    // readings take its place, even while the box that says the link is up is still open.
    if (Label5->isVisible())
        Label5->hide();
    HideBalloonIfLabelLeftCursor();

    if (DialUnchanged()) {
        framePicture_.reset();
        frameNeedles_.clear();
        return; // the dial would show the same pixels: no repaint
    }
    DrawNeedles();
}

// Whether the frame's picture and needles would leave the dial as it shows: only its needle
// drawn over it again, or the same picture again under that needle alone. Anything else that
// drew on the dial meanwhile changed its cache key.
bool TForm1::DialUnchanged() const {
    if (Image1->Picture().cacheKey() != dialDrawn_)
        return false;
    for (const PendingNeedle &needle : frameNeedles_)
        if (needle != dialNeedle_)
            return false;
    return !framePicture_ ||
           (framePicture_->cacheKey() == dialBase_ && !needleTrail_ && !frameNeedles_.empty());
}

void TForm1::DrawNeedles() {
    if (framePicture_) {
        dialBase_ = framePicture_->cacheKey();
        dialNeedle_.reset();
        needleTrail_ = false;
        Image1->SetPicture(std::move(*framePicture_));
        framePicture_.reset();
    }
    for (const PendingNeedle &needle : frameNeedles_) {
        needleStamps_.Draw(Image1->Canvas(), needle.headingSum, needle.length, needle.width,
                           Image1->width() / 2, Image1->height() / 2, needle.hub);
        needleTrail_ = needleTrail_ || (dialNeedle_ && needle != *dialNeedle_);
        dialNeedle_ = needle;
    }
    frameNeedles_.clear();
    dialDrawn_ = Image1->Picture().cacheKey();
    Image1->Changed();
}

} // namespace app
