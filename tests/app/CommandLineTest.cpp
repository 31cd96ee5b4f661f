// The command line read before any display: what each argument list asks for, the message
// and exit status of each mistake, and device strings escaped in the list of ports.
#include "app/CommandLine.h"
#include "support/FakeDeviceTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

namespace {

using Arguments = std::vector<std::string>;

app::Options With(void (*set)(app::Options &)) {
    app::Options options;
    set(options);
    return options;
}

TEST(CommandLine, EachArgumentListGivesItsOptionsOrNamesTheFirstMistake) {
    struct Case {
        Arguments arguments;
        app::Options options;
        const char *error; // empty: the list is understood
    };
    const Case cases[] = {
        {{}, {}, ""},
        {{"--simulate", "--data-dir", "/tmp/d", "--trace", "-"},
         With([](app::Options &o) {
             o.simulate = true;
             o.dataDir = "/tmp/d";
             o.trace = "-";
         }),
         ""},
        {{"--data-dir=/a=b"}, With([](app::Options &o) { o.dataDir = "/a=b"; }), ""},
        {{"--trace=--odd"}, With([](app::Options &o) { o.trace = "--odd"; }), ""},
        {{"--data-dir", "-x"}, With([](app::Options &o) { o.dataDir = "-x"; }), ""},
        {{"-h"}, With([](app::Options &o) { o.help = true; }), ""},
        {{"-v", "--list-ports"}, With([](app::Options &o) { o.version = o.listPorts = true; }), ""},
        {{"--bogus"}, {}, "option inconnue « --bogus »"},
        {{"--bogus=1"}, {}, "option inconnue « --bogus »"},
        {{"--sim"}, {}, "option inconnue « --sim »"},
        {{"-simulate"}, {}, "option inconnue « -simulate »"},
        {{"-hv"}, {}, "option inconnue « -hv »"},
        {{"-platform", "offscreen"}, {}, "option inconnue « -platform »"},
        {{"--x\x1b[2J\tz"}, {}, "option inconnue « --x\\x1b[2J\\tz »"},
        {{"--data-dir"}, {}, "il manque la valeur DIR de l'option --data-dir"},
        {{"--trace", "--simulate"}, {}, "il manque la valeur FILE de l'option --trace"},
        {{"--data-dir="}, {}, "la valeur DIR de l'option --data-dir est vide"},
        {{"--trace", ""}, {}, "la valeur FILE de l'option --trace est vide"},
        {{"--simulate=oui"}, {}, "l'option --simulate ne prend pas de valeur"},
        {{"--trace", "a", "--trace=b"}, {}, "l'option --trace est donnée deux fois"},
        {{"-h", "--help"}, {}, "l'option --help est donnée deux fois"},
        {{"fichier.txt"}, {}, "argument inattendu « fichier.txt »"},
        {{"-"}, {}, "argument inattendu « - »"},
        {{"--", "--simulate"}, {}, "argument inattendu « --simulate »"},
        {{"--simulate", "x", "--bogus"}, {}, "argument inattendu « x »"},
        {{"--help", "--bogus"}, {}, "option inconnue « --bogus »"},
    };
    for (const Case &c : cases) {
        std::ostringstream name;
        for (const std::string &argument : c.arguments)
            name << '[' << argument << ']';
        SCOPED_TRACE(name.str());
        const app::CommandLine line = app::ParseCommandLine(c.arguments);
        EXPECT_EQ(line.error, c.error);
        if (!*c.error) {
            EXPECT_EQ(line.options, c.options);
        }
    }
}

struct TempFile {
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file{std::tmpfile(), std::fclose};

    std::string Text() const {
        std::rewind(file.get());
        std::string text;
        char buffer[4096];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get()))
            text.append(buffer, n);
        return text;
    }
};

TEST(CommandLine, WithoutADisplayPrintsAndExitsOrLetsTheProgramStart) {
    testsupport::FakeDeviceTree tree;
    tree.AddUsb("ttyUSB0", "1-1", "Evil\tCorp", "Model\x1b]0;title\x07");
    tree.AddStableName("usb-Evil\nCorp-if00", "ttyUSB0");
    tree.AddUart("ttyS0", 4);

    struct Case {
        Arguments arguments;
        int status; // -1: the program starts its windows
        const char *out;
        const char *err;
    };
    const Case cases[] = {
        {{"--data-dir", "/tmp/x"}, -1, "", ""},
        {{"--version"}, 0, "Ventrose 9.8.7\n", ""},
        {{"--list-ports"},
         0,
         "/dev/serial/by-id/usb-Evil\\nCorp-if00\t/dev/ttyUSB0\tEvil\\tCorp "
         "Model\\x1b]0;title\\x07\n"
         "/dev/ttyS0\t/dev/ttyS0\tport série 16550A\n",
         ""},
        {{"--bogus", "--help"},
         2,
         "",
         "ventrose : option inconnue « --bogus ».\n"
         "Essayez « ventrose --help » pour la liste des options.\n"},
        {{"--data-dir"},
         2,
         "",
         "ventrose : il manque la valeur DIR de l'option --data-dir.\n"
         "Essayez « ventrose --help » pour la liste des options.\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "" : c.arguments[0]);
        TempFile out, err;
        const app::Terminal terminal{out.file.get(), err.file.get(), "9.8.7", "/home/u/data",
                                     tree.Root()};
        const auto status = app::RunWithoutDisplay(app::ParseCommandLine(c.arguments), terminal);
        EXPECT_EQ(status.value_or(-1), c.status);
        EXPECT_EQ(out.Text(), c.out);
        EXPECT_EQ(err.Text(), c.err);
    }
}

// The help lists every option with its values and its whole text, in lines that fit a
// terminal of 80 columns, and README.md's table has a row for each; output that cannot be
// written is a failure, not a success.
TEST(CommandLine, HelpAndReadmeListEveryOptionAndAFailedWriteIsReported) {
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> full(std::fopen("/dev/full", "w"),
                                                          std::fclose);
    TempFile err;
    ASSERT_TRUE(full);
    EXPECT_EQ(app::RunWithoutDisplay(app::ParseCommandLine({"--help"}),
                                     {full.get(), err.file.get(), "1", "/home/u/data"}),
              1);
    EXPECT_NE(err.Text().find("impossible d'écrire"), std::string::npos) << err.Text();

    const std::string help = app::HelpText("/home/u/data");
    std::istringstream lines(help);
    std::string words, word;
    for (std::string line; std::getline(lines, line);) {
        const auto columns =
            std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xc0) != 0x80; });
        EXPECT_LE(columns, 79) << line;
        for (std::istringstream in(line); in >> word;)
            words += word + ' ';
    }
    const char *source = std::getenv("VENTROSE_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    std::ifstream readmeFile(std::string(source) + "/README.md");
    const std::string readme{std::istreambuf_iterator<char>(readmeFile), {}};
    ASSERT_FALSE(app::KnownOptions().empty());
    ASSERT_FALSE(readme.empty());
    for (const app::OptionSpec &spec : app::KnownOptions()) {
        std::string entry = std::string("--") + spec.name + ' ';
        for (std::istringstream in(std::string(spec.valueNames) + ' ' + spec.help); in >> word;)
            entry += word + ' ';
        const std::size_t at = entry.find("%1");
        if (at != std::string::npos)
            entry.replace(at, 2, "/home/u/data");
        EXPECT_NE(words.find(entry), std::string::npos) << entry << "\n" << help;
        std::string row = std::string("--") + spec.name;
        if (*spec.valueNames)
            row += std::string(" ") + spec.valueNames;
        EXPECT_NE(readme.find("`" + row + "` |"), std::string::npos) << row;
    }
}

} // namespace
