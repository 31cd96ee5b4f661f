#include "program/HeadingOutputWiring.h"

#include "base/StandardDescriptors.h"
#include "dialogs/DeclinationCalculator.h"
#include "dialogs/Unit5.h"
#include "mainwindow/Unit1.h"
#include "nmea/HeadingShare.h"
#include "platform/app/InstallDir.h"
#include "program/CommandLine.h"
#include "serial/Trace.h"
#include "settings/OwnSettings.h"

namespace app {

HeadingOutputWiring::HeadingOutputWiring(TForm1 &main, TForm5 &declination)
    : main_(main), share_(std::make_unique<nmea::HeadingShare>(
                       platform::InstallDir::File(QStringLiteral("NMEA")))) {
    {
        const std::unique_ptr<QSettings> own = settings::OpenOwnSettings();
        share_->SetSaved(nmea::LoadShareSettings(*own));
        share_->SetPlaceVariation(nmea::LoadPlaceVariation(*own));
    }
    // The declination worked out for a place goes, to a tenth, into the variation.
    QObject::connect(declination.GroupBox3, &TDeclinationCalculator::PlaceApplied, share_.get(),
                     [share = share_.get()](const nmea::PlaceVariation &place) {
                         share->SetPlaceVariation(place);
                     });
    share_->AddNoticeSink([&main](const nmea::ShareNotice &notice) {
        if (notice.kind == nmea::ShareNotice::Kind::Problem)
            main.ShowNotice(notice.text);
    });
    // The reading as the main window worked it out, its time included.
    subscription_ = main.Readings().Subscribe(
        [share = share_.get()](const compass::Reading &reading) { share->Share(reading); });
}

HeadingOutputWiring::~HeadingOutputWiring() { main_.Readings().Unsubscribe(subscription_); }

void HeadingOutputWiring::Start(const Options &options, std::shared_ptr<serial::LineTrace> trace) {
    share_->AddNoticeSink([](const nmea::ShareNotice &notice) {
        if (notice.kind == nmea::ShareNotice::Kind::Problem)
            platform::NoteOnStandardError(notice.text.toLocal8Bit().toStdString());
    });
    if (trace)
        share_->AddNoticeSink([trace = std::move(trace)](const nmea::ShareNotice &notice) {
            trace->Note(notice.text.toStdString());
        });
    share_->SetRunChoice(options.nmea, options.nmeaTrue);
    share_->Start();
}

} // namespace app
