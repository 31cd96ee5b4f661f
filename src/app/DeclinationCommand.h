// `ventrose --declination LAT LON [YYYY-MM-DD] [--altitude KM]`: the magnetic declination
// of WMM2025 for a place and a date, printed without any display.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace app {

// Whether the command line asks for the declination: it holds --declination or --altitude,
// and neither the help nor the version.
bool AsksForDeclination(const std::vector<std::string> &arguments);

// Runs the command on the arguments after the program's name: prints "D ± σ" on `out`
// (degrees with two decimals, east positive, and the model's error estimate) and the
// warnings that hold (validity period, zones near the magnetic poles) on `err`; returns 0.
// A bad argument gets its reason on `err` and 2. The date defaults to `today`.
int RunDeclinationCommand(const std::vector<std::string> &arguments, std::FILE *out, std::FILE *err,
                          std::chrono::year_month_day today);
// The same, today being the local date.
int RunDeclinationCommand(const std::vector<std::string> &arguments, std::FILE *out,
                          std::FILE *err);

} // namespace app
