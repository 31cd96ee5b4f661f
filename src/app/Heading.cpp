#include "app/Heading.h"

#include "platform/Errors.h"

#include <array>
#include <cmath>
#include <limits>

namespace app {
namespace {

// 359/254 in extended precision, the size of one step of the module in degrees.
constexpr long double DegreesPerStep = 359.0L / 254.0L;

// Reduces an angle into 0..359, negative angles included.
int Reduce360(long long angle) { return int((angle % 360 + 360) % 360); }

// The signed correction given by a sign slot and its number slot; the number slot is read
// only for the signs "+" and "-".
long long Correction(const SettingsStore &settings, Slot sign, Slot number) {
    if (settings.Is(sign, "+"))
        return platform::StrToInt(settings.Text(number));
    if (settings.Is(sign, "-"))
        return -static_cast<long long>(platform::StrToInt(settings.Text(number)));
    return 0;
}

LabelState Shown(bool on, const QString &caption) {
    return on ? LabelState{true, caption} : LabelState{};
}

} // namespace

int RawToDegrees(int v) {
    // The product is rounded to a double before the subtraction, then halves round up.
    const double product = static_cast<double>(v * DegreesPerStep);
    return static_cast<int>(std::floor(360.0 - product + 0.5));
}

std::optional<int> ParseReading(const std::string &text) {
    const std::optional<int> value = platform::TryStrToInt(text);
    if (!value || *value < 0 || *value > MaxRawReading)
        return std::nullopt;
    return value;
}

QString DirectionName(int angle) {
    static const std::array<const char16_t *, 8> cardinal = {
        u"Nord", u"Nord-Est", u"Est", u"Sud-Est", u"Sud", u"Sud-Ouest", u"Ouest", u"Nord-Ouest"};
    // The names between two of the above, for the open sector that starts at 45 * i.
    static const std::array<const char16_t *, 8> between = {
        u"Nord / Nord-Est", u"Est / Nord-Est",    u"Est / Sud-Est",      u"Sud / Sud-Est",
        u"Sud / Sud-Ouest", u"Ouest / Sud-Ouest", u"Ouest / Nord-Ouest", u"Nord / Nord-Ouest"};
    const int a = Reduce360(angle);
    return QString::fromUtf16(a % 45 == 0 ? cardinal[a / 45] : between[a / 45]);
}

std::optional<QString> DeclinationStatusText(const SettingsStore &settings) {
    const QString declination = settings.Text(DeclinationSlot);
    if (settings.Is(DeclinationSlot, "0"))
        return QStringLiteral(" DM: %1°").arg(declination);
    if (settings.Is(DeclinationSignSlot, "+"))
        return QStringLiteral(" DM: -%1°").arg(declination);
    if (settings.Is(DeclinationSignSlot, "-"))
        return QStringLiteral(" DM: +%1°").arg(declination);
    return std::nullopt;
}

void HeadingState::TakeNeedleSize(const SettingsStore &settings) {
    if (settings.Is(NeedleLengthSlot, "Courte"))
        needleLength_ = 90;
    else if (settings.Is(NeedleLengthSlot, "Moyenne"))
        needleLength_ = 100;
    else if (settings.Is(NeedleLengthSlot, "Longue"))
        needleLength_ = 110;

    if (settings.Is(NeedleWidthSlot, "Fine"))
        needleWidth_ = 10;
    else if (settings.Is(NeedleWidthSlot, "Moyenne"))
        needleWidth_ = 15;
    else if (settings.Is(NeedleWidthSlot, "Grande"))
        needleWidth_ = 20;
}

void HeadingState::ApplyReading(int v, const SettingsStore &settings) {
    lastRawAngle_ = RawToDegrees(v);
    // The whole sum is worked out before it is stored, so a correction slot that cannot be
    // read leaves the previous sum rather than a half-corrected one. It is summed in 64 bits:
    // the number slots may hold any 32-bit integer.
    long long sum = lastRawAngle_ + 180LL;
    sum += Correction(settings, CentringSignSlot, CentringSlot);
    sum += Correction(settings, DeclinationSignSlot, DeclinationSlot);
    const bool fits =
        sum >= std::numeric_limits<int>::min() && sum <= std::numeric_limits<int>::max();
    // A sum beyond the int range keeps only its direction.
    headingSum_ = fits ? int(sum) : Reduce360(sum);
}

void HeadingState::UpdateAngles() {
    needleAngle_ = Reduce360(headingSum_);
    capAngle_ = Reduce360(360 - needleAngle_);
}

HeadingLabels HeadingState::Labels(const SettingsStore &settings) const {
    const bool degrees = settings.Is(DegreesDisplaySlot, "ONCAP");
    const bool directions = settings.Is(DirectionDisplaySlot, "ONORIENT");
    return {
        Shown(directions, DirectionName(needleAngle_)),
        Shown(degrees, QStringLiteral("Orientation aiguille rouge: %1°").arg(needleAngle_)),
        Shown(directions, DirectionName(capAngle_)),
        Shown(degrees, QStringLiteral("Votre CAP: %1°").arg(capAngle_)),
    };
}

} // namespace app
