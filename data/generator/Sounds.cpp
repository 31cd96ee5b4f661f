#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace datagen {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// A small seeded generator (xorshift32); the standard distributions differ between libraries.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double uniform() { // 0..1
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ / 4294967296.0;
    }
    double between(double lo, double hi) { return lo + (hi - lo) * uniform(); }

private:
    std::uint32_t state_;
};

// A band-pass filter (constant peak gain), for the colour of each clap.
class BandPass {
public:
    BandPass(double centre, double q) {
        const double w = kTwoPi * centre / kSampleRate;
        const double alpha = std::sin(w) / (2 * q);
        const double a0 = 1 + alpha;
        b0_ = alpha / a0;
        b2_ = -alpha / a0;
        a1_ = -2 * std::cos(w) / a0;
        a2_ = (1 - alpha) / a0;
    }
    double step(double x) {
        const double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double b0_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

std::size_t samplesFor(double seconds) { return std::size_t(std::lround(seconds * kSampleRate)); }

// Scales to the given peak and fades the first and last milliseconds, so no sound starts or
// ends with a click.
void finish(std::vector<double> &samples, double peak, double fadeSeconds = 0.005) {
    double highest = 0;
    for (double s : samples)
        highest = std::max(highest, std::abs(s));
    if (highest > 0)
        for (double &s : samples)
            s *= peak / highest;
    const std::size_t fade = std::min(samplesFor(fadeSeconds), samples.size() / 2);
    for (std::size_t i = 0; i < fade; ++i) {
        const double g = double(i) / double(fade);
        samples[i] *= g;
        samples[samples.size() - 1 - i] *= g;
    }
}

// A tone with a few harmonics, a soft attack and an exponential decay, added at `start`.
void addNote(std::vector<double> &out, double start, double frequency, double length, double decay,
             double level, const std::vector<double> &harmonics) {
    const std::size_t first = samplesFor(start);
    const std::size_t count = samplesFor(length);
    const double attack = 0.008;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = double(i) / kSampleRate;
        const double envelope = std::min(1.0, t / attack) * std::exp(-t / decay);
        double v = 0;
        for (std::size_t h = 0; h < harmonics.size(); ++h)
            v += harmonics[h] * std::sin(kTwoPi * frequency * double(h + 1) * t);
        out[first + i] += level * envelope * v;
    }
}

} // namespace

std::vector<double> applause() {
    const double duration = 2.1;
    std::vector<double> out(samplesFor(duration), 0.0);
    Noise noise(0x56454e54u);
    // The crowd swells in quickly and dies away over the last second.
    const auto crowd = [duration](double t) {
        return std::min(1.0, t / 0.15) * std::clamp((duration - t) / 1.0, 0.0, 1.0);
    };
    const int clappers = 18;
    for (int c = 0; c < clappers; ++c) {
        const double period = noise.between(0.17, 0.30);
        const double centre = noise.between(700, 2600);
        const double loudness = noise.between(0.4, 1.0);
        for (double t = noise.between(0, period); t < duration - 0.05;
             t += period * noise.between(0.9, 1.1)) {
            BandPass filter(centre * noise.between(0.9, 1.1), 1.4);
            const double decay = noise.between(0.006, 0.012);
            const double level = loudness * crowd(t) * noise.between(0.6, 1.0);
            const std::size_t first = samplesFor(t);
            for (std::size_t i = 0; i < samplesFor(0.06) && first + i < out.size(); ++i) {
                const double s = double(i) / kSampleRate;
                const double envelope = std::min(1.0, s / 0.0015) * std::exp(-s / decay);
                out[first + i] += level * filter.step(envelope * noise.between(-1, 1));
            }
        }
    }
    finish(out, 0.8, 0.01);
    return out;
}

std::vector<double> errorTone() {
    std::vector<double> out(samplesFor(0.6), 0.0);
    const std::vector<double> timbre{1.0, 0.35, 0.12};
    addNote(out, 0.0, 659.26, 0.3, 0.25, 1.0, timbre); // E5
    addNote(out, 0.3, 440.00, 0.3, 0.25, 1.0, timbre); // A4
    finish(out, 0.6, 0.02);
    return out;
}

std::vector<double> chime() {
    std::vector<double> out(samplesFor(0.3), 0.0);
    addNote(out, 0.0, 1046.5, 0.3, 0.07, 1.0, {1.0, 0.0, 0.25}); // C6 with a soft overtone
    addNote(out, 0.0, 1568.0, 0.3, 0.04, 0.3, {1.0});            // a G6 shimmer on top
    finish(out, 0.5, 0.01);
    return out;
}

std::vector<double> jingle() {
    std::vector<double> out(samplesFor(1.5), 0.0);
    const std::vector<double> bell{1.0, 0.4, 0.15, 0.05};
    addNote(out, 0.00, 523.25, 1.5, 0.30, 0.8, bell);  // C5
    addNote(out, 0.18, 659.26, 1.3, 0.30, 0.8, bell);  // E5
    addNote(out, 0.36, 783.99, 1.14, 0.45, 1.0, bell); // G5, held
    finish(out, 0.7, 0.05);
    return out;
}

} // namespace datagen
