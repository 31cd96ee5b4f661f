// The swing in Ventrose.conf: what is saved is loaded back, the card in force follows the
// points' fit, true bearings turn magnetic with the declination.
#include "swing/SwingRecord.h"
#include "deviation/Curve.h"

#include "compass/Angles.h"

#include <gtest/gtest.h>
#include <QSettings>
#include <QTemporaryDir>

namespace swing {
namespace {

const deviation::Coefficients kKnown{1.5, -2.25, 3.0, 0.5, -0.75};

// Points every `step` degrees of compass heading from `first`, on the known curve.
std::vector<SwingEntry> OnTheCurve(double first, double step, int count) {
    std::vector<SwingEntry> entries;
    for (int i = 0; i < count; ++i) {
        const double compass = compass::Reduce360Real(first + i * step);
        entries.push_back({compass, compass::Reduce360Real(compass + DeviationAt(kKnown, compass)),
                           ReferenceKind(i % 3),
                           QDateTime(QDate(2026, 5, 1), QTime(10, i), Qt::UTC)});
    }
    return entries;
}

TEST(SwingRecord, TrueBearingsTurnMagneticWithTheDeclinationEastPositive) {
    const struct {
        double trueBearing, east, magnetic;
    } cases[] = {{100, 5, 95}, {2, 5, 357}, {358, -4, 2}, {360, -1.5, 1.5}};
    for (const auto &c : cases)
        EXPECT_NEAR(MagneticFromTrue(c.trueBearing, c.east), c.magnetic, 1e-9) << c.trueBearing;
}

TEST(SwingRecord, SavedThenLoadedBackWithTheCardInForce) {
    QTemporaryDir folder;
    const QString path = folder.filePath("Ventrose.conf");
    const SwingRecord full{OnTheCurve(5, 45, 8),
                           QStringLiteral("1er mai 2026"),
                           QStringLiteral("Port-Tudy; \"visiteurs\" = 100%"),
                           {true, false, true}};
    const struct {
        const char *name;
        SwingRecord record;
        bool card;
    } cases[] = {
        {"eight points", full, true},
        {"four points",
         {OnTheCurve(0, 90, 4), {}, QStringLiteral("Lorient"), {false, true, false}},
         false},
        {"an arc of 150° without a point",
         {OnTheCurve(0, 30, 8), {}, {}, {true, true, true}},
         false},
        {"eight points again", full, true},
        {"nothing", {}, false},
    };
    QSettings(path, QSettings::IniFormat).setValue("log/span", 5); // another group stays
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        {
            QSettings file(path, QSettings::IniFormat);
            SaveSwing(file, c.record);
        }
        QSettings file(path, QSettings::IniFormat);
        EXPECT_EQ(LoadSwing(file), c.record);
        EXPECT_EQ(file.value("log/span").toInt(), 5);
        const CardSettings card = CardSettings::Load(file);
        ASSERT_EQ(card.Card().has_value(), c.card); // a refused fit leaves no card behind
        EXPECT_EQ(card.ToHeadingOutput(), c.card && c.record.apply.headingOutput);
        EXPECT_EQ(card.ToHeadingLog(), c.card && c.record.apply.headingLog);
        EXPECT_EQ(card.ToDisplay(), c.card && c.record.apply.display);
        for (double compass : {0.0, 181.5}) {
            EXPECT_NEAR(card.DeviationFor(true, compass),
                        c.card ? deviation::DeviationAt(kKnown, compass) : 0, 1e-9);
            EXPECT_EQ(card.DeviationFor(false, compass), 0);
        }
    }
    // What the file holds wrongly is no card: a coefficient that is no number, or a curve
    // so steep that the compass would no longer turn with the craft.
    SaveSwing(*std::make_unique<QSettings>(path, QSettings::IniFormat), full);
    for (const auto &[key, value] : {std::pair{"swing/E", "nan"}, std::pair{"swing/B", "40"}}) {
        QSettings file(path, QSettings::IniFormat);
        file.setValue("swing/E", 0);
        EXPECT_TRUE(CardSettings::Load(file).Card());
        file.setValue(key, value);
        EXPECT_FALSE(CardSettings::Load(file).Card()) << key;
    }
}

} // namespace
} // namespace swing
