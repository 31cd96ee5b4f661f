#include "program/Forms.h"

#include "dialogs/DeclinationCalculator.h"
#include "dialogs/HeadingShareDialog.h"
#include "dialogs/Unit10.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "dialogs/Unit8.h"
#include "dialogs/Unit9.h"
#include "logwindow/HeadingLog.h"
#include "mainwindow/Unit1.h"
#include "nmea/HeadingShare.h"
#include "platform/app/InstallDir.h"
#include "settings/OwnSettings.h"

namespace app {

Forms::Forms() = default;
Forms::~Forms() { Destroy(); }

void Forms::Create() {
    form1_ = std::make_unique<TForm1>();
    form2_ = std::make_unique<TForm2>(*form1_);
    form3_ = std::make_unique<TForm3>(*form1_);
    form4_ = std::make_unique<TForm4>(*form1_);
    form5_ = std::make_unique<TForm5>(*form1_);
    form6_ = std::make_unique<TForm6>();
    form7_ = std::make_unique<TForm7>(*form1_);
    form8_ = std::make_unique<TForm8>(*form1_);
    form9_ = std::make_unique<TForm9>(*form1_);
    form10_ = std::make_unique<TForm10>(*form1_);
    CreateHeadingShare();
    form1_->SetDialogs({form2_.get(), form3_.get(), form4_.get(), form5_.get(), form6_.get(),
                        form7_.get(), form8_.get(), form9_.get(), form10_.get(), shareForm_.get()});
    log_ = std::make_unique<HeadingLog>(form1_->Readings());
    form1_->Journalducap1->OnClick = platform::TNotifyEvent::FromFunction(
        [log = log_.get()](platform::TObject *) { log->ShowWindow(); });
}

void Forms::CreateHeadingShare() {
    share_ =
        std::make_unique<nmea::HeadingShare>(platform::InstallDir::File(QStringLiteral("NMEA")));
    {
        const std::unique_ptr<QSettings> own = settings::OpenOwnSettings();
        share_->SetSaved(nmea::LoadShareSettings(*own));
        share_->SetPlaceVariation(nmea::LoadPlaceVariation(*own));
    }
    // The declination worked out for a place goes, to a tenth, into the variation.
    QObject::connect(form5_->GroupBox3, &TDeclinationCalculator::PlaceApplied, share_.get(),
                     [share = share_.get()](const nmea::PlaceVariation &place) {
                         share->SetPlaceVariation(place);
                     });
    TForm1 *main = form1_.get();
    share_->AddNoticeSink([main](const nmea::ShareNotice &notice) {
        if (notice.kind == nmea::ShareNotice::Kind::Problem)
            main->ShowNotice(notice.text);
    });
    shareSubscription_ =
        form1_->Readings().Subscribe([share = share_.get()](const ReadingRecord &reading) {
            share->Share({.lastRawAngle = reading.lastRawAngle,
                          .centring = reading.centring,
                          .declination = reading.declination});
        });
    shareForm_ = std::make_unique<THeadingShareForm>(*form1_, *share_);
}

void Forms::Destroy() {
    log_.reset(); // it listens to the main window's readings
    if (form1_)
        form1_->SetDialogs({});
    shareForm_.reset();
    if (form1_ && shareSubscription_ >= 0)
        form1_->Readings().Unsubscribe(shareSubscription_);
    shareSubscription_ = -1;
    share_.reset();
    form10_.reset();
    form9_.reset();
    form8_.reset();
    form7_.reset();
    form6_.reset();
    form5_.reset();
    form4_.reset();
    form3_.reset();
    form2_.reset();
    form1_.reset();
}

} // namespace app
