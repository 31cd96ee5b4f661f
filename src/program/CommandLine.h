// The program's command line, read whole before any window system is reached: a mistake
// in it, the help, the version and the port list need no display.
#pragma once

#include "base/Language.h"
#include "deviation/Curve.h"
#include "nmea/OutputTarget.h"
#include "program/DeclinationCommand.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace app {

// What the command line asks for.
struct Options {
    bool simulate = false;
    std::string dataDir{}; // empty: the default installation folder
    std::string trace{};   // empty: no trace; "-": the standard error
    bool listPorts = false;
    bool help = false;
    bool version = false;
    std::string log{};    // empty: no heading log recorded from the link start
    std::string replay{}; // a heading log the simulated module plays back (implies simulate)
    // The deviation the simulated module reads with (implies simulate); none: it reads true.
    std::optional<deviation::Coefficients> simulatedDeviation{};
    std::optional<DeclinationRequest> declination{}; // print it and stop
    std::optional<double> altitude{};                // metres, for --declination
    bool extrapolate = false;    // --declination gives a date outside the model's validity too
    std::string deviationCard{}; // a file of swing points whose card is printed; empty: none
    std::vector<nmea::OutputTarget> nmea{};       // heading outputs switched on for this run
    bool nmeaTrue = false;                        // and HDT with them
    std::optional<platform::Language> language{}; // none: the locale's

    bool operator==(const Options &) const = default;
};

// One option the program knows. To add one: a field in Options, an entry in the table of
// CommandLine.cpp (the help lists the entries in its order), a line in README.md's table.
struct OptionSpec {
    const char *name;       // without its two dashes: "data-dir"
    char shortName;         // 'h' for -h; 0 when there is none
    const char *valueNames; // blank-separated, shown in the help: "DIR", "LAT LON [DATE]";
                            // [NAME] is optional, taken when the next argument is not an
                            // option. Empty for a switch.
    const char *help;       // French, marked for translation; %1 stands for the default
                            // installation folder, %2 for the codes of the languages
    bool repeatable;        // may be given more than once (otherwise twice is an error)
    // Puts the option and its values in options; returns why a value is refused (in the
    // program's language, without a final full stop), empty when it is taken.
    std::string (*store)(Options &options, const std::vector<std::string> &values);
};

// The options in the order the help lists them.
std::span<const OptionSpec> KnownOptions();

struct CommandLine {
    Options options;   // the defaults when there is an error
    std::string error; // empty when every argument was understood; names the argument
};

// Reads the arguments that follow the program's name. "--name VALUE" and "--name=VALUE"
// both give a value; a value may not begin with "--" unless given after "=". Unknown
// options, missing or empty values, a switch given a value, an option given twice and
// any argument that is not an option are errors, and so are --altitude and --extrapolate
// without --declination, and --declination or --deviation-card with an option of the
// program's windows (or with each other).
CommandLine ParseCommandLine(const std::vector<std::string> &arguments);

// The language that --lang asks for ("--lang en", "--lang=fr" before any "--"); nothing when the
// option is absent or names no language. Read before the rest, so that the whole command line's
// help and errors speak it.
std::optional<platform::Language> LanguageAsked(const std::vector<std::string> &arguments);

// The help, in the program's language: usage line, description, then each option with its values
// and its text.
std::string HelpText(const std::string &defaultDataDir);

// What is printed on the standard error for a command line that could not be read.
std::string UsageErrorText(const std::string &error);

// Why --data-dir cannot be used: a folder that does not exist yet, whose name's bytes are
// not text in the locale's encoding (see platform::PathFromBytes).
std::string DataDirNameError(const std::string &dataDir);

// The exit status of a command line that could not be read.
inline constexpr int kUsageErrorStatus = 2;

// Where the work done without a display prints, and what it needs to know.
struct Terminal {
    std::FILE *out;
    std::FILE *err;
    std::string version;
    std::string defaultDataDir;
    std::filesystem::path root = "/";                   // where --list-ports looks for devices
    std::optional<std::chrono::year_month_day> today{}; // --declination's date; the local one
};

// Does what the command line asks that needs no display: reports an error, prints the
// help, the version, the port list, the declination or the deviation card. Returns the exit status
// then, nothing when the program is to start its windows.
std::optional<int> RunWithoutDisplay(const CommandLine &line, const Terminal &terminal);

} // namespace app
