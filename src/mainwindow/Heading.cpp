#include "mainwindow/Heading.h"

#include "compass/Angles.h"
#include "platform/app/Errors.h"

#include <array>
#include <cmath>

#include <QCoreApplication>

namespace app {
namespace {

LabelState Shown(bool on, const QString &caption) {
    return on ? LabelState{true, caption} : LabelState{};
}

} // namespace

std::optional<int> ParseReading(const std::string &text) {
    const std::optional<int> value = platform::TryStrToInt(text);
    if (!value || *value < 0 || *value > compass::kMaxRawReading)
        return std::nullopt;
    return value;
}

QString DirectionName(int angle) {
    static const std::array<const char *, 8> cardinal = {
        QT_TRANSLATE_NOOP("Heading", "Nord"),  QT_TRANSLATE_NOOP("Heading", "Nord-Est"),
        QT_TRANSLATE_NOOP("Heading", "Est"),   QT_TRANSLATE_NOOP("Heading", "Sud-Est"),
        QT_TRANSLATE_NOOP("Heading", "Sud"),   QT_TRANSLATE_NOOP("Heading", "Sud-Ouest"),
        QT_TRANSLATE_NOOP("Heading", "Ouest"), QT_TRANSLATE_NOOP("Heading", "Nord-Ouest")};
    // The names between two of the above, for the open sector that starts at 45 * i.
    static const std::array<const char *, 8> between = {
        QT_TRANSLATE_NOOP("Heading", "Nord / Nord-Est"),
        QT_TRANSLATE_NOOP("Heading", "Est / Nord-Est"),
        QT_TRANSLATE_NOOP("Heading", "Est / Sud-Est"),
        QT_TRANSLATE_NOOP("Heading", "Sud / Sud-Est"),
        QT_TRANSLATE_NOOP("Heading", "Sud / Sud-Ouest"),
        QT_TRANSLATE_NOOP("Heading", "Ouest / Sud-Ouest"),
        QT_TRANSLATE_NOOP("Heading", "Ouest / Nord-Ouest"),
        QT_TRANSLATE_NOOP("Heading", "Nord / Nord-Ouest")};
    const int a = compass::Reduce360(angle);
    return QCoreApplication::translate("Heading", a % 45 == 0 ? cardinal[a / 45] : between[a / 45]);
}

std::optional<QString> DeclinationStatusText(const settings::SettingsView &settings) {
    const QString declination = settings.Store().Text(settings::DeclinationSlot);
    if (settings.DeclinationIsZero())
        return QCoreApplication::translate("Heading", " DM: %1°").arg(declination);
    const std::optional<settings::TSign> sign = settings.DeclinationSign();
    if (!sign)
        return std::nullopt;
    return QCoreApplication::translate("Heading", " DM: %1%2°")
        .arg(*sign == settings::TSign::Plus ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(declination);
}

void HeadingState::TakeNeedleSize(const settings::SettingsView &settings) {
    if (const auto length = settings.NeedleLength())
        needleLength_ = settings::LengthPixels(*length);
    if (const auto width = settings.NeedleWidth())
        needleWidth_ = settings::HalfWidthPixels(*width);
}

void HeadingState::ApplyReading(int v, const settings::SettingsView &settings) {
    lastRawAngle_ = compass::RawToDegrees(v);
    // The whole reading is worked out before it is stored, so a correction slot that cannot
    // be read leaves the previous sum rather than a half-corrected one.
    const long long centring = settings.CentringCorrection();
    const long long declination = settings.DeclinationCorrection();
    reading_ = compass::WorkOut(v, lastRawAngle_, centring, declination);
    headingSum_ = reading_.headingSum;
    if (card_) {
        // magnetic = compass + δ; the heading is the sum counted the other way round, so an
        // east deviation takes its degrees off the sum.
        const long long degrees =
            std::lround(deviation::DeviationAt(*card_, deviation::CompassHeadingOfRaw(v)));
        headingSum_ = compass::HeadingSumOf(lastRawAngle_, centring - degrees, declination);
    }
}

void HeadingState::UpdateAngles() {
    needleAngle_ = compass::NeedleOfSum(headingSum_);
    capAngle_ = compass::HeadingOfNeedle(needleAngle_);
}

HeadingLabels HeadingState::Labels(const settings::SettingsView &settings) const {
    const bool degrees = settings.On(settings::TSwitch::DegreesDisplay);
    const bool directions = settings.On(settings::TSwitch::DirectionDisplay);
    return {
        Shown(directions, DirectionName(needleAngle_)),
        Shown(degrees, QCoreApplication::translate("Heading", "Orientation aiguille rouge: %1°")
                           .arg(needleAngle_)),
        Shown(directions, DirectionName(capAngle_)),
        Shown(degrees, QCoreApplication::translate("Heading", "Votre CAP: %1°").arg(capAngle_)),
    };
}

} // namespace app
