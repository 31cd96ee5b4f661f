// What both whole-program swings check at the end: the dialog's points give a card whose
// five coefficients are the simulated module's, within 0.3°.
#pragma once

#include "deviation/Fit.h"
#include "swing/SwingRecord.h"

#include <gtest/gtest.h>

namespace apptest {

inline void ExpectTheModulesCurve(const swing::SwingRecord &record,
                                  const deviation::Coefficients &known) {
    const deviation::FitOutcome outcome = record.Fit();
    ASSERT_TRUE(outcome.fit) << outcome.refusal;
    const deviation::Coefficients &found = outcome.fit->coefficients;
    EXPECT_NEAR(found.a, known.a, 0.3);
    EXPECT_NEAR(found.b, known.b, 0.3);
    EXPECT_NEAR(found.c, known.c, 0.3);
    EXPECT_NEAR(found.d, known.d, 0.3);
    EXPECT_NEAR(found.e, known.e, 0.3);
}

} // namespace apptest
