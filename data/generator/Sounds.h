// The sound effects, synthesised: samples in -1..1 at kSampleRate, mono. Noise comes from a
// seeded generator, so every run gives the same samples.
#pragma once

#include <vector>

namespace datagen {

constexpr int kSampleRate = 22050;

std::vector<double> applause();  // about 2 s of applause: the link is established
std::vector<double> errorTone(); // a descending two-tone: the link failed
std::vector<double> chime();     // a short soft chime: one calibration phase
std::vector<double> jingle();    // a three-note jingle: the about box opens

} // namespace datagen
