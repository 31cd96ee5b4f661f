#include "swing/HeadingTake.h"

#include "compass/Angles.h"
#include "deviation/Curve.h"
#include "headinglog/CircularStats.h"

#include <QCoreApplication>

namespace swing {

double CompassHeadingOfRaw(int raw) { return deviation::CompassHeadingOfRaw(raw); }

void HeadingTake::Start(Millis now) {
    running_ = true;
    start_ = now;
    headings_.clear();
}

std::optional<TakeOutcome> HeadingTake::Add(double heading, Millis at) {
    if (!running_ || at < start_)
        return std::nullopt;
    if (at >= End())
        return Finish();
    headings_.push_back(heading);
    return std::nullopt;
}

std::optional<TakeOutcome> HeadingTake::Tick(Millis now) {
    if (!running_ || now < End())
        return std::nullopt;
    return Finish();
}

TakeOutcome HeadingTake::Finish() {
    running_ = false;
    TakeOutcome outcome;
    outcome.readings = headings_.size();
    const headinglog::CircularStats stats = headinglog::CircularStatistics(headings_);
    const double seconds = double(kTakeDuration.count()) / 1000;
    if (headings_.empty()) {
        outcome.refusal = QCoreApplication::translate(
                              "Swing", "aucune mesure du compas en %1 s : la liaison est-elle "
                                       "établie ?")
                              .arg(seconds);
        return outcome;
    }
    if (!stats.mean || !stats.deviation) {
        outcome.refusal = QCoreApplication::translate(
            "Swing", "les mesures du compas partent dans toutes les directions : gardez le cap");
        return outcome;
    }
    outcome.spread = *stats.deviation;
    if (outcome.spread > kWidestSpread) {
        outcome.refusal =
            QCoreApplication::translate("Swing", "le cap a varié de %1° (écart type) en %2 s, "
                                                 "plus de %3° : gardez le cap et relevez de "
                                                 "nouveau")
                .arg(outcome.spread, 0, 'f', 1)
                .arg(seconds)
                .arg(kWidestSpread);
        return outcome;
    }
    outcome.heading = *stats.mean;
    return outcome;
}

} // namespace swing
