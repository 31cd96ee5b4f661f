// "Relever": the compass heading of a point is the circular mean of the readings of the take's
// window, on the stepped clock the readings carry; a wandering heading or silence is refused.
#include "swing/HeadingTake.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace swing {
namespace {

using std::chrono::milliseconds;

struct Stamped {
    double heading;
    int at; // milliseconds after the start
};

TEST(HeadingTake, MeanOnTheCircleOverItsWindowAndRefusals) {
    const int end = int(kTakeDuration.count());
    struct Case {
        const char *name;
        std::optional<double> mean; // none: refused
        std::size_t counted;        // readings that the take kept
        const char *refusal;        // a piece of the refusal
        std::vector<Stamped> readings;
    };
    const Case cases[] = {
        {"steady", 11, 3, "", {{10, 0}, {11, 1000}, {12, 2000}}},
        {"across north", 0, 4, "", {{359, 0}, {1, 500}, {359.5, 1000}, {0.5, 1500}}},
        {"just west of north", 359, 3, "", {{358, 0}, {359, 500}, {0, 1000}}},
        {"before the start and at the end left out",
         21,
         2,
         "",
         {{200, -1}, {20, 0}, {22, end - 1}, {90, end}}},
        {"wandering",
         {},
         5,
         "gardez le cap",
         {{350, 0}, {355, 500}, {0, 1000}, {5, 1500}, {10, 2000}}},
        {"wandering across north", {}, 2, "gardez le cap", {{354, 0}, {6, 1000}}},
        {"no reading", {}, 0, "aucune mesure", {}},
        {"opposite headings", {}, 2, "toutes les directions", {{90, 0}, {270, 1000}}},
    };
    const milliseconds start{50000};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HeadingTake take;
        take.Start(start);
        std::optional<TakeOutcome> outcome;
        for (const Stamped &reading : c.readings)
            if (!outcome)
                outcome = take.Add(reading.heading, start + milliseconds(reading.at));
        // The time is not up a millisecond before the end.
        if (!outcome) {
            EXPECT_FALSE(take.Tick(start + kTakeDuration - milliseconds(1)));
            EXPECT_TRUE(take.Running());
            outcome = take.Tick(start + kTakeDuration);
        }
        ASSERT_TRUE(outcome);
        EXPECT_FALSE(take.Running());
        EXPECT_EQ(outcome->readings, c.counted);
        EXPECT_EQ(outcome->heading.has_value(), c.mean.has_value());
        if (c.mean && outcome->heading) {
            // Within a thousandth of a degree, on the circle.
            const double error = std::remainder(*outcome->heading - *c.mean, 360.0);
            EXPECT_NEAR(error, 0, 1e-3) << *outcome->heading;
            EXPECT_LT(*outcome->heading, 360);
            EXPECT_LE(outcome->spread, kWidestSpread);
            EXPECT_TRUE(outcome->refusal.isEmpty());
        } else {
            EXPECT_TRUE(outcome->refusal.contains(QString::fromUtf8(c.refusal)))
                << outcome->refusal.toStdString();
        }
        // Once ended, later readings and ticks do nothing.
        EXPECT_FALSE(take.Add(10, start + kTakeDuration + milliseconds(1)));
        EXPECT_FALSE(take.Tick(start + 10 * kTakeDuration));
    }
}

TEST(HeadingTake, TheCompassHeadingOfARawValueIsTheModulesTurnedByHalfATurn) {
    // One raw step is 359/254 of a degree; raw 0 is the module's 0°, shown as 180°.
    const struct {
        int raw;
        double heading;
    } cases[] = {{0, 180}, {127, 359.5}, {128, 180 + 128 * 359.0 / 254 - 360}, {254, 179}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_NEAR(CompassHeadingOfRaw(c.raw), c.heading, 1e-9);
    }
}

} // namespace
} // namespace swing
