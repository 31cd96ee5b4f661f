// The program's command-line-only tools run in process: the arguments after the program's
// name, what they print on standard output and standard error, and their exit status.
#pragma once

#include "program/CommandLine.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace apptest {

struct Outcome {
    int status;
    std::string out, err;
};

inline std::string TextOf(std::FILE *file) {
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += char(c);
    std::fclose(file);
    return text;
}

// Runs the command line on a fixed today.
inline Outcome Command(const std::vector<std::string> &arguments,
                       std::chrono::year_month_day today = std::chrono::year(2026) /
                                                           std::chrono::December / 7) {
    std::FILE *out = std::tmpfile(), *err = std::tmpfile();
    const std::optional<int> status =
        app::RunWithoutDisplay(app::ParseCommandLine(arguments), {out, err, "1", "/d", "/", today});
    return {status.value_or(-1), TextOf(out), TextOf(err)};
}

} // namespace apptest
