// The swing in Ventrose.conf: what is saved is what is loaded back, the card in force follows
// the points' fit, and what the file holds wrongly is left out rather than trusted.
#include "swing/SwingRecord.h"
#include "deviation/Curve.h"

#include <gtest/gtest.h>
#include <QSettings>
#include <QTemporaryDir>

#include <cmath>

namespace swing {
namespace {

const deviation::Coefficients kKnown{1.5, -2.25, 3.0, 0.5, -0.75};

// Points every `step` degrees of compass heading from `first`, on the known curve.
std::vector<SwingEntry> OnTheCurve(double first, double step, int count) {
    std::vector<SwingEntry> entries;
    const ReferenceKind kinds[] = {ReferenceKind::TypedMagnetic, ReferenceKind::TypedTrue,
                                   ReferenceKind::Gnss};
    for (int i = 0; i < count; ++i) {
        const double compass = deviation::Heading360(first + i * step);
        entries.push_back({compass,
                           deviation::Heading360(compass + deviation::DeviationAt(kKnown, compass)),
                           kinds[i % 3], QDateTime(QDate(2026, 5, 1), QTime(10, i, 7), Qt::UTC)});
    }
    return entries;
}

TEST(SwingRecord, TrueBearingsTurnMagneticWithTheDeclinationEastPositive) {
    const struct {
        double trueBearing, east, magnetic;
    } cases[] = {{100, 0, 100},   {100, 5, 95},     {2, 5, 357},          {358, -4, 2},
                 {0, 0.5, 359.5}, {360, -1.5, 1.5}, {180, -12.25, 192.25}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.trueBearing);
        SCOPED_TRACE(c.east);
        EXPECT_NEAR(MagneticFromTrue(c.trueBearing, c.east), c.magnetic, 1e-9);
    }
}

TEST(SwingRecord, SavedThenLoadedBackWithTheCardInForce) {
    QTemporaryDir folder;
    const QString path = folder.filePath("Ventrose.conf");
    struct Case {
        const char *name;
        SwingRecord record;
        bool card;
    };
    SwingRecord full{OnTheCurve(5, 45, 8),
                     QStringLiteral("1er mai 2026"),
                     QStringLiteral("Port-Tudy, ponton B; \"visiteurs\" = 100%"),
                     {true, false, true}};
    SwingRecord few{
        OnTheCurve(0, 90, 4), QString(), QStringLiteral("Lorient"), {false, true, false}};
    SwingRecord gap{OnTheCurve(0, 30, 8), QStringLiteral("hier"), QString(), {true, true, true}};
    const Case cases[] = {
        {"eight points", full, true},
        {"four points: no card", few, false},
        {"an arc of 150° without a point: no card", gap, false},
        {"eight points again", full, true},
        {"nothing", SwingRecord{}, false},
    };
    {
        // Another program's groups stay as they are.
        QSettings file(path, QSettings::IniFormat);
        file.setValue("log/span", 5);
    }
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        {
            QSettings file(path, QSettings::IniFormat);
            SaveSwing(file, c.record);
        }
        QSettings file(path, QSettings::IniFormat);
        EXPECT_EQ(LoadSwing(file), c.record);
        EXPECT_EQ(file.value("log/span").toInt(), 5);
        const CardSettings card = CardSettings::Load(file);
        EXPECT_EQ(card.Apply(), c.record.apply);
        ASSERT_EQ(card.Card().has_value(), c.card); // a refused fit leaves no card behind
        if (!c.card) {
            EXPECT_FALSE(card.ToHeadingOutput() || card.ToHeadingLog() || card.ToDisplay());
            EXPECT_EQ(card.DeviationFor(true, 90), 0);
            continue;
        }
        EXPECT_EQ(card.ToHeadingOutput(), c.record.apply.headingOutput);
        EXPECT_EQ(card.ToHeadingLog(), c.record.apply.headingLog);
        EXPECT_EQ(card.ToDisplay(), c.record.apply.display);
        for (double compass : {0.0, 37.0, 181.5, 359.0}) {
            EXPECT_NEAR(card.DeviationFor(true, compass), deviation::DeviationAt(kKnown, compass),
                        1e-9);
            EXPECT_EQ(card.DeviationFor(false, compass), 0);
        }
    }
}

TEST(SwingRecord, WhatTheFileHoldsWronglyIsLeftOut) {
    QTemporaryDir folder;
    const QString path = folder.filePath("Ventrose.conf");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[swing]\n"
                   "points\\size=5\n"
                   "points\\1\\compass=10\npoints\\1\\magnetic=12\npoints\\1\\source=gnss\n"
                   "points\\2\\compass=abc\npoints\\2\\magnetic=12\npoints\\2\\source=gnss\n"
                   "points\\3\\compass=400\npoints\\3\\magnetic=12\npoints\\3\\source=true\n"
                   "points\\4\\compass=20\npoints\\4\\magnetic=22\npoints\\4\\source=astro\n"
                   "points\\5\\compass=360\npoints\\5\\magnetic=0\npoints\\5\\source=true\n"
                   "A=1\nB=0\nC=0\nD=0\nE=nan\n"
                   "applyToDisplay=true\n");
    }
    QSettings file(path, QSettings::IniFormat);
    const SwingRecord record = LoadSwing(file);
    ASSERT_EQ(record.entries.size(), 2u);
    EXPECT_EQ(record.entries[0].compass, 10);
    EXPECT_EQ(record.entries[0].kind, ReferenceKind::Gnss);
    EXPECT_EQ(record.entries[1].compass, 0); // 360 is north
    EXPECT_EQ(record.entries[1].kind, ReferenceKind::TypedTrue);
    EXPECT_FALSE(record.entries[0].taken.isValid());
    const CardSettings card = CardSettings::Load(file);
    EXPECT_FALSE(card.Card()); // a coefficient that is no number
    EXPECT_TRUE(card.Apply().display);
    EXPECT_FALSE(card.ToDisplay());

    // A curve so steep that the compass would no longer turn with the craft is no card.
    file.setValue("swing/E", 0);
    EXPECT_TRUE(CardSettings::Load(file).Card());
    file.setValue("swing/B", 40);
    EXPECT_FALSE(CardSettings::Load(file).Card());
}

} // namespace
} // namespace swing
