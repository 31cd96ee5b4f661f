// The settings slots read and written as the values they stand for: the keywords and the
// numbers of Ventrose.inf are interpreted here and nowhere else.
#pragma once

#include "serial/Devices.h"
#include "settings/SettingsStore.h"

#include <cstddef>
#include <optional>

namespace settings {

// The user's choice between the two port names (PortSlot "1" / "2"), in the order of
// serial::kPortNames.
enum class PortChoice { COM1, COM2 };
enum class TNeedleWidth { Fine, Medium, Large }; // NeedleWidthSlot "Fine" / "Moyenne" / "Grande"
enum class TNeedleLength {
    Short,
    Medium,
    Long
};                                            // NeedleLengthSlot "Courte" / "Moyenne" / "Longue"
enum class TMenuStyle { Flat, Conventional }; // MenuStyleSlot "NOUVEAU" / "ANCIEN"
enum class TSign { Plus, Minus };             // the sign slots "+" / "-"

// The slots that hold an ON or an OFF keyword.
enum class TSwitch {
    Rose,             // RoseSlot "ROSEON" / "ROSEOFF"
    Hub,              // HubSlot "CERCLEON" / "CERCLEOFF"
    ConnectWarning,   // ConnectWarningSlot "ONAVERTI" / "OFFAVERTI"
    StandaloneNotice, // StandaloneNoticeSlot "ONAVERTI2" / "OFFAVERTI2"
    DegreesDisplay,   // DegreesDisplaySlot "ONCAP" / "OFFCAP"
    DirectionDisplay, // DirectionDisplaySlot "ONORIENT" / "OFFORIENT"
    Sound,            // SoundSlot "ONSON" / "OFFSON"
    Balloons,         // BalloonSlot "ONINFO" / "OFFINFO"
};

// How many values each enumeration above has, kept beside it: every table indexed by one of
// them is checked against it when it compiles.
template <typename Enum> inline constexpr std::size_t kValueCount = 0;
template <> inline constexpr std::size_t kValueCount<PortChoice> = 2;
template <> inline constexpr std::size_t kValueCount<TNeedleWidth> = 3;
template <> inline constexpr std::size_t kValueCount<TNeedleLength> = 3;
template <> inline constexpr std::size_t kValueCount<TMenuStyle> = 2;
template <> inline constexpr std::size_t kValueCount<TSign> = 2;
template <> inline constexpr std::size_t kValueCount<TSwitch> = 8;
template <> inline constexpr std::size_t kValueCount<bool> = 2;

// The port name a choice stands for ("COM1" for PortChoice::COM1).
const serial::PortName &PortNameOf(PortChoice choice);

// The needle's half-width and length in pixels.
int HalfWidthPixels(TNeedleWidth width);
int LengthPixels(TNeedleLength length);

// A view of a store, cheap to copy; the store must outlive it.
//
// Keywords match by exact, case-sensitive equality of the whole text. A read that returns
// an optional gives nullopt for a text that is none of the slot's keywords: such a value
// selects nothing, and each user decides what that means (keep the previous value, leave
// a control as it is, skip a step). Number slots are read with the program's integer
// syntax and raise platform::EConvertError when they hold anything else. Writers store the
// exact keyword or the decimal text.
class SettingsView {
public:
    explicit SettingsView(SettingsStore &store) : store_(&store) {}

    SettingsStore &Store() const { return *store_; }

    std::optional<PortChoice> Port() const;
    void SetPort(PortChoice port);
    std::optional<TNeedleWidth> NeedleWidth() const;
    void SetNeedleWidth(TNeedleWidth width);
    std::optional<TNeedleLength> NeedleLength() const;
    void SetNeedleLength(TNeedleLength length);
    std::optional<TMenuStyle> MenuStyle() const;
    void SetMenuStyle(TMenuStyle style);

    // true for the ON keyword, false for the OFF keyword.
    std::optional<bool> Switch(TSwitch which) const;
    // Only the ON keyword switches the behaviour on; any other text means off.
    bool On(TSwitch which) const { return Switch(which) == true; }
    void SetSwitch(TSwitch which, bool on);

    std::optional<TSign> CentringSign() const;
    void SetCentringSign(TSign sign);
    int Centring() const;
    void SetCentring(int degrees);
    // The correction the heading takes: + or - the centring by its sign, and 0 without
    // a sign, in which case the number slot is not read.
    long long CentringCorrection() const;

    std::optional<TSign> DeclinationSign() const;
    void SetDeclinationSign(TSign sign);
    int Declination() const;
    void SetDeclination(int degrees);
    long long DeclinationCorrection() const;
    // Whether the declination slot holds exactly "0" (as the zero-centring command and
    // the status panel ask; "00" is not "0").
    bool DeclinationIsZero() const;
    // The upper end of the declination setting.
    int DeclinationRange() const;
    void SetDeclinationRange(int degrees);

    // The module's option byte.
    int HardwareOptions() const;
    void SetHardwareOptions(int value);

private:
    long long Correction(std::optional<TSign> sign, Slot number) const;

    SettingsStore *store_;
};

} // namespace settings
