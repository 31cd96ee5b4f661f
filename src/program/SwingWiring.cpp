#include "program/SwingWiring.h"

#include "gnss/GpsdClient.h"
#include "mainwindow/Unit1.h"
#include "nmea/HeadingShare.h"
#include "platform/app/Errors.h"
#include "settings/OwnSettings.h"
#include "swing/HeadingTake.h"

#include <QSettings>

namespace app {

namespace {

std::unique_ptr<gnss::GpsdClient> GpsdOfSettings() {
    const std::unique_ptr<QSettings> own = settings::OpenOwnSettings();
    return std::make_unique<gnss::GpsdClient>(
        own->value(QStringLiteral("gnss/host"), QString::fromLatin1(gnss::GpsdClient::DefaultHost))
            .toString(),
        own->value(QStringLiteral("gnss/port"), QString::fromLatin1(gnss::GpsdClient::DefaultPort))
            .toString());
}

} // namespace

SwingWiring::SwingWiring(TForm1 &main, const nmea::HeadingShare &share,
                         std::function<void()> cardChanged)
    : main_(main), share_(share), cardChanged_(std::move(cardChanged)), gpsd_(GpsdOfSettings()) {
    subscription_ = main_.Readings().Subscribe([this](const compass::Reading &reading) {
        if (form_)
            form_->Reading(swing::CompassHeadingOfRaw(reading.raw),
                           swing::Millis(reading.MillisecondsSinceEpoch()));
    });
    // The receiver is listened to only once the dialog was opened: a program without one
    // never looks for gpsd.
    QObject::connect(gpsd_.get(), &gnss::GpsdClient::fixReceived, gpsd_.get(),
                     [this](const gnss::Fix &fix) {
                         course_.Add(fix);
                         if (form_)
                             form_->InputsChanged();
                     });
    QObject::connect(gpsd_.get(), &gnss::GpsdClient::stateChanged, gpsd_.get(),
                     [this] { GpsdStateChanged(); });
    main_.Rgulationducompas1->OnClick =
        platform::TNotifyEvent::FromFunction([this](platform::TObject *) { Show(); });
}

SwingWiring::~SwingWiring() {
    main_.Readings().Unsubscribe(subscription_);
    QObject::disconnect(gpsd_.get(), nullptr, nullptr, nullptr); // the dialog goes first
    gpsd_->Stop();
}

// Made the first time it is asked for: its chart and tables cost memory a program that
// never swings its compass need not hold.
swing::TSwingForm &SwingWiring::Form() {
    if (!form_) {
        form_ = std::make_unique<swing::TSwingForm>(main_, *this);
        QObject::connect(form_.get(), &swing::TSwingForm::CardChanged, form_.get(), [this] {
            if (cardChanged_)
                cardChanged_();
        });
    }
    return *form_;
}

void SwingWiring::Show() {
    if (gpsd_->State() == gnss::GpsdState::Stopped)
        gpsd_->Start();
    Form().ShowOnTop();
}

void SwingWiring::GpsdStateChanged() {
    if (gpsd_->State() != gnss::GpsdState::Connected)
        course_.Reset();
    if (form_)
        form_->InputsChanged();
}

swing::Millis SwingWiring::Now() const {
    return swing::Millis(main_.Readings().Now().toMSecsSinceEpoch());
}

std::optional<swing::GnssReference> SwingWiring::Reference() const {
    switch (gpsd_->State()) {
    case gnss::GpsdState::Stopped:
        return std::nullopt;
    case gnss::GpsdState::Connected:
        break;
    default:
        return swing::GnssReference{.usable = false, .reason = gpsd_->Message()};
    }
    const gnss::CourseVerdict &verdict = course_.Last();
    return swing::GnssReference{
        .usable = verdict.usable,
        .magneticCourse = verdict.magneticCourse,
        .reason = verdict.reason.isEmpty() ? gnss::ReasonText(verdict.refusal) : verdict.reason};
}

// The settings hold the declination as it is added to the heading sum: a west one is
// positive. Nothing when its slots cannot be read.
std::optional<long long> SwingWiring::DeclinationAdded() const {
    try {
        return main_.View().DeclinationCorrection();
    } catch (const platform::Exception &) {
        return std::nullopt;
    }
}

std::optional<double> SwingWiring::SettingsDeclination() const {
    const std::optional<long long> added = DeclinationAdded();
    return added ? std::optional<double>(-double(*added)) : std::nullopt;
}

std::optional<double> SwingWiring::PlaceDeclination() const {
    const auto &place = share_.Place();
    if (!place || place->declination != DeclinationAdded())
        return std::nullopt;
    return place->eastTenths / 10.0;
}

} // namespace app
