#include "settings/SettingsView.h"

#include "platform/app/Errors.h"

#include <array>
#include <string>
#include <utility>

namespace settings {

namespace {

// A slot's keywords, one per value of the enumeration, in the enumeration's order.
template <typename Value, std::size_t N> struct Keywords {
    static_assert(N == kValueCount<Value>, "one keyword per value of the enumeration");
    Slot slot;
    std::array<const char *, N> words;

    std::optional<Value> Read(const SettingsStore &store) const {
        for (std::size_t i = 0; i < N; ++i)
            if (store.Is(slot, words[i]))
                return static_cast<Value>(i);
        return std::nullopt;
    }
    void Write(SettingsStore &store, Value value) const {
        store.Set(slot, words[static_cast<std::size_t>(value)]);
    }
};

static_assert(serial::kPortNames.size() == kValueCount<PortChoice>);
constexpr Keywords<PortChoice, 2> kPort{
    PortSlot, {serial::kPortNames[0].slotValue.data(), serial::kPortNames[1].slotValue.data()}};
constexpr Keywords<TNeedleWidth, 3> kNeedleWidth{NeedleWidthSlot, {"Fine", "Moyenne", "Grande"}};
constexpr Keywords<TNeedleLength, 3> kNeedleLength{NeedleLengthSlot,
                                                   {"Courte", "Moyenne", "Longue"}};
constexpr Keywords<TMenuStyle, 2> kMenuStyle{MenuStyleSlot, {"NOUVEAU", "ANCIEN"}};
constexpr Keywords<TSign, 2> kCentringSign{CentringSignSlot, {"+", "-"}};
constexpr Keywords<TSign, 2> kDeclinationSign{DeclinationSignSlot, {"+", "-"}};

// The switches' OFF and ON keywords (false, true), in TSwitch's order.
constexpr std::array<Keywords<bool, 2>, kValueCount<TSwitch>> kSwitches{{
    {RoseSlot, {"ROSEOFF", "ROSEON"}},
    {HubSlot, {"CERCLEOFF", "CERCLEON"}},
    {ConnectWarningSlot, {"OFFAVERTI", "ONAVERTI"}},
    {StandaloneNoticeSlot, {"OFFAVERTI2", "ONAVERTI2"}},
    {DegreesDisplaySlot, {"OFFCAP", "ONCAP"}},
    {DirectionDisplaySlot, {"OFFORIENT", "ONORIENT"}},
    {SoundSlot, {"OFFSON", "ONSON"}},
    {BalloonSlot, {"OFFINFO", "ONINFO"}},
}};

const Keywords<bool, 2> &SwitchKeywords(TSwitch which) {
    return kSwitches[static_cast<std::size_t>(which)];
}

int ReadInt(const SettingsStore &store, Slot slot) { return platform::StrToInt(store.Text(slot)); }
void WriteInt(SettingsStore &store, Slot slot, int value) {
    store.Set(slot, std::to_string(value));
}

} // namespace

int HalfWidthPixels(TNeedleWidth width) {
    constexpr std::array<int, kValueCount<TNeedleWidth>> pixels{10, 15, 20};
    return pixels[static_cast<std::size_t>(width)];
}

int LengthPixels(TNeedleLength length) {
    constexpr std::array<int, kValueCount<TNeedleLength>> pixels{90, 100, 110};
    return pixels[static_cast<std::size_t>(length)];
}

const serial::PortName &PortNameOf(PortChoice choice) {
    return serial::kPortNames[static_cast<std::size_t>(choice)];
}

std::optional<PortChoice> SettingsView::Port() const { return kPort.Read(*store_); }
void SettingsView::SetPort(PortChoice port) { kPort.Write(*store_, port); }
std::optional<TNeedleWidth> SettingsView::NeedleWidth() const { return kNeedleWidth.Read(*store_); }
void SettingsView::SetNeedleWidth(TNeedleWidth width) { kNeedleWidth.Write(*store_, width); }
std::optional<TNeedleLength> SettingsView::NeedleLength() const {
    return kNeedleLength.Read(*store_);
}
void SettingsView::SetNeedleLength(TNeedleLength length) { kNeedleLength.Write(*store_, length); }
std::optional<TMenuStyle> SettingsView::MenuStyle() const { return kMenuStyle.Read(*store_); }
void SettingsView::SetMenuStyle(TMenuStyle style) { kMenuStyle.Write(*store_, style); }

std::optional<bool> SettingsView::Switch(TSwitch which) const {
    return SwitchKeywords(which).Read(*store_);
}
void SettingsView::SetSwitch(TSwitch which, bool on) { SwitchKeywords(which).Write(*store_, on); }

std::optional<TSign> SettingsView::CentringSign() const { return kCentringSign.Read(*store_); }
void SettingsView::SetCentringSign(TSign sign) { kCentringSign.Write(*store_, sign); }
int SettingsView::Centring() const { return ReadInt(*store_, CentringSlot); }
void SettingsView::SetCentring(int degrees) { WriteInt(*store_, CentringSlot, degrees); }
long long SettingsView::CentringCorrection() const {
    return Correction(CentringSign(), CentringSlot);
}

std::optional<TSign> SettingsView::DeclinationSign() const {
    return kDeclinationSign.Read(*store_);
}
void SettingsView::SetDeclinationSign(TSign sign) { kDeclinationSign.Write(*store_, sign); }
int SettingsView::Declination() const { return ReadInt(*store_, DeclinationSlot); }
void SettingsView::SetDeclination(int degrees) { WriteInt(*store_, DeclinationSlot, degrees); }
long long SettingsView::DeclinationCorrection() const {
    return Correction(DeclinationSign(), DeclinationSlot);
}
bool SettingsView::DeclinationIsZero() const { return store_->Is(DeclinationSlot, "0"); }
int SettingsView::DeclinationRange() const { return ReadInt(*store_, DeclinationRangeSlot); }
void SettingsView::SetDeclinationRange(int degrees) {
    WriteInt(*store_, DeclinationRangeSlot, degrees);
}

int SettingsView::HardwareOptions() const { return ReadInt(*store_, HardwareOptionsSlot); }
void SettingsView::SetHardwareOptions(int value) { WriteInt(*store_, HardwareOptionsSlot, value); }

long long SettingsView::Correction(std::optional<TSign> sign, Slot number) const {
    if (!sign)
        return 0;
    const long long size = ReadInt(*store_, number);
    return *sign == TSign::Plus ? size : -size;
}

} // namespace settings
