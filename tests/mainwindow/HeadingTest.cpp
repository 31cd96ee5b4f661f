#include "mainwindow/Heading.h"

#include "compass/Angles.h"

#include "platform/app/Errors.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace app {
namespace {

using enum settings::Slot;
using Slots = std::vector<std::pair<settings::Slot, std::string>>;

// A store holding the given slots, read through its view.
struct Values {
    settings::SettingsStore store;
    operator settings::SettingsView() { return settings::SettingsView(store); }
};

Values Settings(const Slots &values) {
    Values settings;
    for (const auto &[slot, text] : values)
        settings.store.Set(slot, text);
    return settings;
}

// Runs the steps of one chunk that depend on the reading: size, reading, angles.
HeadingState Process(int v, const settings::SettingsView &settings) {
    HeadingState state;
    state.TakeNeedleSize(settings);
    state.ApplyReading(v, settings);
    state.UpdateAngles();
    return state;
}

TEST(ParseReading, AcceptsTheIntegerSyntaxWithinTheRange) {
    EXPECT_EQ(ParseReading("127"), 127);
    EXPECT_EQ(ParseReading("0"), 0);
    EXPECT_EQ(ParseReading("254"), 254);
    EXPECT_EQ(ParseReading(" 12"), 12);
    EXPECT_EQ(ParseReading("+12"), 12);
    EXPECT_EQ(ParseReading("-0"), 0);
    EXPECT_EQ(ParseReading("007"), 7);
}

TEST(ParseReading, RejectsOutOfRangeAndMalformedTexts) {
    for (const char *text : {"255", "-1", "12a", "", "12\n", "12\r\n", "12 ", "\t12", "1 2", "+",
                             "99999999999", "2147483648"})
        EXPECT_EQ(ParseReading(text), std::nullopt) << "text: " << text;
    EXPECT_EQ(ParseReading(std::string("12\0", 3)), std::nullopt);
}

TEST(DirectionName, EveryBoundaryOfTheTable) {
    const std::vector<std::pair<int, const char *>> cases = {
        {0, "Nord"},         {1, "Nord / Nord-Est"},      {44, "Nord / Nord-Est"},
        {45, "Nord-Est"},    {46, "Est / Nord-Est"},      {89, "Est / Nord-Est"},
        {90, "Est"},         {91, "Est / Sud-Est"},       {134, "Est / Sud-Est"},
        {135, "Sud-Est"},    {136, "Sud / Sud-Est"},      {179, "Sud / Sud-Est"},
        {180, "Sud"},        {181, "Sud / Sud-Ouest"},    {224, "Sud / Sud-Ouest"},
        {225, "Sud-Ouest"},  {226, "Ouest / Sud-Ouest"},  {269, "Ouest / Sud-Ouest"},
        {270, "Ouest"},      {271, "Ouest / Nord-Ouest"}, {314, "Ouest / Nord-Ouest"},
        {315, "Nord-Ouest"}, {316, "Nord / Nord-Ouest"},  {359, "Nord / Nord-Ouest"},
    };
    for (const auto &[angle, name] : cases)
        EXPECT_EQ(DirectionName(angle), QString::fromUtf8(name)) << "angle " << angle;
}

TEST(DeclinationStatusText, ShowsTheOppositeSignOfTheStoredOne) {
    EXPECT_EQ(DeclinationStatusText(Settings({{DeclinationSlot, "0"}})),
              QString::fromUtf8(" DM: 0°"));
    EXPECT_EQ(DeclinationStatusText(Settings({{DeclinationSignSlot, "+"}, {DeclinationSlot, "0"}})),
              QString::fromUtf8(" DM: 0°"));
    EXPECT_EQ(DeclinationStatusText(Settings({{DeclinationSignSlot, "+"}, {DeclinationSlot, "7"}})),
              QString::fromUtf8(" DM: -7°"));
    EXPECT_EQ(
        DeclinationStatusText(Settings({{DeclinationSignSlot, "-"}, {DeclinationSlot, "10"}})),
        QString::fromUtf8(" DM: +10°"));
}

TEST(DeclinationStatusText, OtherSignsKeepThePanelText) {
    EXPECT_EQ(DeclinationStatusText(Settings({{DeclinationSlot, "5"}})), std::nullopt);
    EXPECT_EQ(
        DeclinationStatusText(Settings({{DeclinationSignSlot, "+ "}, {DeclinationSlot, "5"}})),
        std::nullopt);
    // "00" is not the keyword "0": the sign decides.
    EXPECT_EQ(
        DeclinationStatusText(Settings({{DeclinationSignSlot, "x"}, {DeclinationSlot, "00"}})),
        std::nullopt);
}

TEST(HeadingState, NeedleSizeFromTheSlotsAndUnknownTextsKeepThePreviousSize) {
    HeadingState state;
    state.TakeNeedleSize(Settings({{NeedleLengthSlot, "longue"}, {NeedleWidthSlot, "Grande "}}));
    EXPECT_EQ(state.NeedleLength(), 0);
    EXPECT_EQ(state.NeedleWidth(), 0);

    const std::vector<std::tuple<std::string, std::string, int, int>> cases = {
        {"Courte", "Fine", 90, 10}, {"Moyenne", "Moyenne", 100, 15}, {"Longue", "Grande", 110, 20}};
    for (const auto &[length, width, pixels, halfWidth] : cases) {
        state.TakeNeedleSize(Settings({{NeedleLengthSlot, length}, {NeedleWidthSlot, width}}));
        EXPECT_EQ(state.NeedleLength(), pixels);
        EXPECT_EQ(state.NeedleWidth(), halfWidth);
    }
    state.TakeNeedleSize(Settings({{NeedleLengthSlot, "Courte"}}));
    EXPECT_EQ(state.NeedleLength(), 90);
    EXPECT_EQ(state.NeedleWidth(), 20);
}

TEST(HeadingState, WorkedExamples) {
    HeadingState middle = Process(127, Settings({{DeclinationSlot, "0"}}));
    EXPECT_EQ(middle.LastRawAngle(), 181);
    EXPECT_EQ(middle.HeadingSum(), 361);
    EXPECT_EQ(middle.NeedleAngle(), 1);
    EXPECT_EQ(middle.CapAngle(), 359);

    HeadingState zero = Process(0, Settings({}));
    EXPECT_EQ(zero.LastRawAngle(), 360);
    EXPECT_EQ(zero.HeadingSum(), 540);
    EXPECT_EQ(zero.NeedleAngle(), 180);
    EXPECT_EQ(zero.CapAngle(), 180);

    HeadingState centred = Process(254, Settings({{CentringSignSlot, "-"}, {CentringSlot, "20"}}));
    EXPECT_EQ(centred.HeadingSum(), 161);
    EXPECT_EQ(centred.NeedleAngle(), 161);
    EXPECT_EQ(centred.CapAngle(), 199);
    EXPECT_EQ(DirectionName(centred.NeedleAngle()), "Sud / Sud-Est");
    EXPECT_EQ(DirectionName(centred.CapAngle()), "Sud / Sud-Ouest");

    Values both = Settings({{CentringSignSlot, "+"},
                            {CentringSlot, "5"},
                            {DeclinationSignSlot, "-"},
                            {DeclinationSlot, "3"}});
    HeadingState corrected = Process(100, both);
    EXPECT_EQ(corrected.HeadingSum(), compass::RawToDegrees(100) + 182);
}

// A card on the display turns the needle and "Votre CAP" by the deviation at the compass
// heading, to the degree; the reading the outputs take stays the sensor's.
TEST(HeadingState, TheDisplayShowsTheHeadingCorrectedByTheCardItIsGiven) {
    // Raw 0 is the compass heading 180 (cos θ = -1) whatever the centring, raw 127 is 359.5.
    using K = deviation::Coefficients;
    const struct {
        int raw;
        std::optional<K> card;
        settings::Slot sign, number; // a correction of +value
        const char *value;
        int cap, needle;
    } cases[] = {
        {0, {}, CentringSignSlot, CentringSlot, "0", 180, 180},
        {0, K{3.4}, CentringSignSlot, CentringSlot, "0", 183, 177},
        {0, K{0, 0, 6.6}, CentringSignSlot, CentringSlot, "0", 173, 187},
        {0, K{0, 0, 6.6}, CentringSignSlot, CentringSlot, "90", 83, 277},
        {127, K{0, 0, 2}, CentringSignSlot, CentringSlot, "0", 1, 359},
        {0, K{-5}, CentringSignSlot, CentringSlot, "178", 357, 3},
        {127, K{-2}, DeclinationSignSlot, DeclinationSlot, "10", 347, 13},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.cap);
        Values store =
            Settings({{c.sign, "+"}, {c.number, c.value}, {DegreesDisplaySlot, "ONCAP"}});
        const settings::SettingsView view = store;
        HeadingState state;
        state.SetDisplayCard(c.card);
        state.ApplyReading(c.raw, view);
        state.UpdateAngles();
        EXPECT_EQ(state.NeedleAngle(), c.needle);
        EXPECT_EQ(state.Labels(view).Label10.Caption, QStringLiteral("Votre CAP: %1°").arg(c.cap));
        EXPECT_EQ(state.LastReading(), Process(c.raw, view).LastReading());
    }
}

TEST(HeadingState, NegativeSumsReduceIntoZeroTo359) {
    // 1 + 180 - 200 - 300 = -319, that is 41 degrees.
    const HeadingState state = Process(254, Settings({{CentringSignSlot, "-"},
                                                      {CentringSlot, "200"},
                                                      {DeclinationSignSlot, "-"},
                                                      {DeclinationSlot, "300"}}));
    EXPECT_EQ(state.HeadingSum(), -319);
    EXPECT_EQ(state.NeedleAngle(), 41);
    EXPECT_EQ(state.CapAngle(), 319);

    const HeadingState exactTurn =
        Process(0, Settings({{CentringSignSlot, "-"}, {CentringSlot, "900"}}));
    EXPECT_EQ(exactTurn.HeadingSum(), -360);
    EXPECT_EQ(exactTurn.NeedleAngle(), 0);
    EXPECT_EQ(exactTurn.CapAngle(), 0);
}

TEST(HeadingState, NumberSlotsUseTheIntegerSyntax) {
    const HeadingState state = Process(0, Settings({{CentringSignSlot, "+"},
                                                    {CentringSlot, " +4"},
                                                    {DeclinationSignSlot, "+"},
                                                    {DeclinationSlot, "-3"}}));
    EXPECT_EQ(state.HeadingSum(), 541);
}

TEST(HeadingState, OtherSignsNeitherApplyNorReadTheNumber) {
    const HeadingState state = Process(0, Settings({{CentringSignSlot, ""},
                                                    {CentringSlot, "abc"},
                                                    {DeclinationSignSlot, "plus"},
                                                    {DeclinationSlot, "5"}}));
    EXPECT_EQ(state.HeadingSum(), 540);
}

TEST(HeadingState, UnreadableCorrectionRaisesAndKeepsThePreviousSum) {
    HeadingState state;
    state.ApplyReading(127, Settings({}));
    ASSERT_EQ(state.HeadingSum(), 361);

    Values badCentring = Settings({{CentringSignSlot, "+"}, {CentringSlot, "2,5"}});
    try {
        state.ApplyReading(0, badCentring);
        FAIL() << "no error raised";
    } catch (const platform::EConvertError &error) {
        EXPECT_EQ(error.Message(),
                  QString::fromUtf8("'2,5' n'est pas une valeur entière correcte"));
    }
    EXPECT_EQ(state.LastRawAngle(), 360); // the reading itself was valid
    EXPECT_EQ(state.HeadingSum(), 361);

    // The centring is read before the declination, whose bad text is then the one reported.
    Values badDeclination = Settings({{CentringSignSlot, "-"},
                                      {CentringSlot, "4"},
                                      {DeclinationSignSlot, "-"},
                                      {DeclinationSlot, ""}});
    EXPECT_THROW(state.ApplyReading(0, badDeclination), platform::EConvertError);
    EXPECT_EQ(state.HeadingSum(), 361);
}

TEST(HeadingState, SumsBeyondTheIntRangeKeepTheirDirection) {
    const HeadingState state = Process(0, Settings({{CentringSignSlot, "+"},
                                                    {CentringSlot, "2147483647"},
                                                    {DeclinationSignSlot, "+"},
                                                    {DeclinationSlot, "2147483647"}}));
    // 540 + 2 * 2147483647 = 4294967834, and 4294967834 mod 360 = 74.
    EXPECT_EQ(state.HeadingSum(), 74);
    EXPECT_EQ(state.NeedleAngle(), 74);

    const HeadingState low = Process(254, Settings({{CentringSignSlot, "-"},
                                                    {CentringSlot, "-2147483648"},
                                                    {DeclinationSignSlot, "+"},
                                                    {DeclinationSlot, "-2147483648"}}));
    EXPECT_EQ(low.HeadingSum(), 181); // 181 + 2^31 - 2^31
}

TEST(HeadingLabels, AllShownForTheSwitchedOnSlots) {
    HeadingState state = Process(127, Settings({})); // needle 1, heading 359
    const HeadingLabels labels =
        state.Labels(Settings({{DegreesDisplaySlot, "ONCAP"}, {DirectionDisplaySlot, "ONORIENT"}}));
    EXPECT_EQ(labels.Label7, (LabelState{true, "Nord / Nord-Est"}));
    EXPECT_EQ(labels.Label8,
              (LabelState{true, QString::fromUtf8("Orientation aiguille rouge: 1°")}));
    EXPECT_EQ(labels.Label9, (LabelState{true, "Nord / Nord-Ouest"}));
    EXPECT_EQ(labels.Label10, (LabelState{true, QString::fromUtf8("Votre CAP: 359°")}));
}

TEST(HeadingLabels, NeedleAtNinetyShowsEastAndAHeadingWest) {
    HeadingState state;
    state.ApplyReading(0, Settings({{CentringSignSlot, "-"}, {CentringSlot, "90"}})); // 450
    state.UpdateAngles();
    ASSERT_EQ(state.NeedleAngle(), 90);
    ASSERT_EQ(state.CapAngle(), 270);
    const HeadingLabels labels = state.Labels(Settings({{DirectionDisplaySlot, "ONORIENT"}}));
    EXPECT_EQ(labels.Label7.Caption, "Est");
    EXPECT_EQ(labels.Label9.Caption, "Ouest");
}

TEST(HeadingLabels, SwitchedOffLabelsAreHiddenAndEmpty) {
    const HeadingState state = Process(0, Settings({}));
    const HeadingLabels noDegrees = state.Labels(
        Settings({{DegreesDisplaySlot, "OFFCAP"}, {DirectionDisplaySlot, "ONORIENT"}}));
    EXPECT_EQ(noDegrees.Label8, LabelState{});
    EXPECT_EQ(noDegrees.Label10, LabelState{});
    EXPECT_EQ(noDegrees.Label7, (LabelState{true, "Sud"}));
    EXPECT_EQ(noDegrees.Label9, (LabelState{true, "Sud"}));

    // Only the exact ON keywords switch a label on.
    const HeadingLabels none = state.Labels(
        Settings({{DegreesDisplaySlot, "oncap"}, {DirectionDisplaySlot, "ONORIENT "}}));
    for (const LabelState &label : {none.Label7, none.Label8, none.Label9, none.Label10})
        EXPECT_EQ(label, LabelState{});
}

} // namespace
} // namespace app
