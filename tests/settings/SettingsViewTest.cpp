// The typed view: each slot's keywords and numbers, and every other text telling "none of
// them" rather than a value.
#include "settings/SettingsView.h"
#include "platform/app/Errors.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace settings {
namespace {

// One slot of keywords: each keyword read as its value and written back byte for byte,
// near misses read as none of them.
struct KeywordCase {
    const char *name;
    Slot slot;
    std::vector<std::string> keywords; // in the order of the values
    std::function<std::optional<int>(const SettingsView &)> read;
    std::function<void(SettingsView &, int)> write;
};
void PrintTo(const KeywordCase &c, std::ostream *out) { *out << c.name; }

template <typename Value>
KeywordCase Keywords(const char *name, Slot slot, std::vector<std::string> keywords,
                     std::optional<Value> (SettingsView::*read)() const,
                     void (SettingsView::*write)(Value)) {
    return {name, slot, std::move(keywords),
            [read](const SettingsView &view) -> std::optional<int> {
                const auto value = (view.*read)();
                return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
            },
            [write](SettingsView &view, int value) { (view.*write)(static_cast<Value>(value)); }};
}

KeywordCase SwitchKeywords(const char *name, TSwitch which, Slot slot, std::string off,
                           std::string on) {
    return {name,
            slot,
            {off, on},
            [which](const SettingsView &view) -> std::optional<int> {
                const auto value = view.Switch(which);
                return value ? std::optional<int>(*value) : std::nullopt;
            },
            [which](SettingsView &view, int value) { view.SetSwitch(which, value != 0); }};
}

class KeywordSlotTest : public ::testing::TestWithParam<KeywordCase> {
protected:
    SettingsStore store;
    SettingsView view{store};
};

TEST_P(KeywordSlotTest, KeywordsReadAsTheirValuesAndAnythingElseAsNone) {
    const KeywordCase &c = GetParam();
    for (std::size_t value = 0; value < c.keywords.size(); ++value) {
        const std::string &keyword = c.keywords[value];
        store.Set(c.slot, keyword);
        EXPECT_EQ(c.read(view), int(value)) << keyword;
        store.Set(c.slot, "");
        c.write(view, int(value));
        EXPECT_EQ(store.Get(c.slot), keyword);
        std::string lower = keyword;
        for (char &ch : lower)
            ch = char(std::tolower(static_cast<unsigned char>(ch)));
        for (const std::string &nearMiss : {keyword + " ", " " + keyword, lower + "x"}) {
            store.Set(c.slot, nearMiss);
            EXPECT_EQ(c.read(view), std::nullopt) << "'" << nearMiss << "'";
        }
    }
    store.Set(c.slot, "");
    EXPECT_EQ(c.read(view), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, KeywordSlotTest,
    ::testing::Values(
        Keywords("Port", PortSlot, {"1", "2"}, &SettingsView::Port, &SettingsView::SetPort),
        Keywords("NeedleWidth", NeedleWidthSlot, {"Fine", "Moyenne", "Grande"},
                 &SettingsView::NeedleWidth, &SettingsView::SetNeedleWidth),
        Keywords("NeedleLength", NeedleLengthSlot, {"Courte", "Moyenne", "Longue"},
                 &SettingsView::NeedleLength, &SettingsView::SetNeedleLength),
        Keywords("MenuStyle", MenuStyleSlot, {"NOUVEAU", "ANCIEN"}, &SettingsView::MenuStyle,
                 &SettingsView::SetMenuStyle),
        Keywords("CentringSign", CentringSignSlot, {"+", "-"}, &SettingsView::CentringSign,
                 &SettingsView::SetCentringSign),
        Keywords("DeclinationSign", DeclinationSignSlot, {"+", "-"}, &SettingsView::DeclinationSign,
                 &SettingsView::SetDeclinationSign),
        SwitchKeywords("Rose", TSwitch::Rose, RoseSlot, "ROSEOFF", "ROSEON"),
        SwitchKeywords("Hub", TSwitch::Hub, HubSlot, "CERCLEOFF", "CERCLEON"),
        SwitchKeywords("ConnectWarning", TSwitch::ConnectWarning, ConnectWarningSlot, "OFFAVERTI",
                       "ONAVERTI"),
        SwitchKeywords("StandaloneNotice", TSwitch::StandaloneNotice, StandaloneNoticeSlot,
                       "OFFAVERTI2", "ONAVERTI2"),
        SwitchKeywords("DegreesDisplay", TSwitch::DegreesDisplay, DegreesDisplaySlot, "OFFCAP",
                       "ONCAP"),
        SwitchKeywords("DirectionDisplay", TSwitch::DirectionDisplay, DirectionDisplaySlot,
                       "OFFORIENT", "ONORIENT"),
        SwitchKeywords("Sound", TSwitch::Sound, SoundSlot, "OFFSON", "ONSON"),
        SwitchKeywords("Balloons", TSwitch::Balloons, BalloonSlot, "OFFINFO", "ONINFO")),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SettingsView, NumbersAreWrittenAsDecimalTextAndReadWithTheIntegerSyntax) {
    SettingsStore store;
    SettingsView view(store);
    view.SetHardwareOptions(44);
    view.SetCentring(0);
    view.SetDeclination(10);
    view.SetDeclinationRange(7);
    EXPECT_EQ(store.Get(HardwareOptionsSlot), "44");
    EXPECT_EQ(store.Get(CentringSlot), "0");
    EXPECT_EQ(store.Get(DeclinationSlot), "10");
    EXPECT_EQ(store.Get(DeclinationRangeSlot), "7");
    store.Set(HardwareOptionsSlot, " 300");
    EXPECT_EQ(view.HardwareOptions(), 300);
    store.Set(DeclinationRangeSlot, "10°");
    EXPECT_THROW(view.DeclinationRange(), platform::EConvertError);
    // Only the exact text "0" is a zero declination.
    store.Set(DeclinationSlot, "00");
    EXPECT_FALSE(view.DeclinationIsZero());
    store.Set(DeclinationSlot, "0");
    EXPECT_TRUE(view.DeclinationIsZero());
}

} // namespace
} // namespace settings
