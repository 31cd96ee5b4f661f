// The command line read before any display: what each argument list asks for or the
// mistake it holds, and what is printed without a display. (WithoutDisplay.cmake runs the
// real program with no display at all.)
#include "program/CommandLine.h"
#include "platform/app/Translations.h"
#include "support/FakeDeviceTree.h"
#include "support/Languages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

TEST(CommandLine, EachArgumentListGivesItsOptionsOrNamesTheFirstMistake) {
    struct Case {
        std::vector<std::string> arguments;
        app::Options options;
        const char *error; // empty: the list is understood
    };
    const Case cases[] = {
        {{}, {}, ""},
        {{"--simulate", "--data-dir", "/d", "--trace", "-"},
         {.simulate = true, .dataDir = "/d", .trace = "-"},
         ""},
        {{"--data-dir=/a=b", "--trace=--odd"}, {.dataDir = "/a=b", .trace = "--odd"}, ""},
        {{"--data-dir", "-x", "-h"}, {.dataDir = "-x", .help = true}, ""},
        {{"-v", "--list-ports"}, {.listPorts = true, .version = true}, ""},
        {{"--replay", "j.csv", "--log=k.csv"},
         {.simulate = true, .log = "k.csv", .replay = "j.csv"},
         ""},
        {{"--nmea", "udp:127.0.0.1:10110", "--nmea-true", "--nmea=pty", "--nmea", "tcp:2000"},
         {.nmea = {{nmea::OutputKind::Udp, "127.0.0.1", 10110},
                   {nmea::OutputKind::Pty, "", 0},
                   {nmea::OutputKind::Tcp, "127.0.0.1", 2000}},
          .nmeaTrue = true},
         ""},
        {{"--nmea=udp:[::1]:65535", "--nmea", "tcp:0.0.0.0:1"},
         {.nmea = {{nmea::OutputKind::Udp, "::1", 65535}, {nmea::OutputKind::Tcp, "0.0.0.0", 1}}},
         ""},
        {{"--nmea", "udp:h:65536"},
         {},
         "la valeur « udp:h:65536 » de l'option --nmea ne convient "
         "pas : udp:HÔTE:PORT attendu (port de 1 à 65535)"},
        {{"--nmea", "PTY"},
         {},
         "la valeur « PTY » de l'option --nmea ne convient pas : "
         "udp:HÔTE:PORT, tcp:[ADRESSE:]PORT ou pty attendu"},
        {{"--nmea", "udp:\x1b:0"},
         {},
         "la valeur « udp:\\x1b:0 » de l'option --nmea ne convient pas : udp:HÔTE:PORT "
         "attendu (port de 1 à 65535)"},
        {{"--bogus=1"}, {}, "option inconnue « --bogus »"},
        {{"--sim"}, {}, "option inconnue « --sim »"},
        {{"-platform", "offscreen"}, {}, "option inconnue « -platform »"},
        {{"--x\x1b[2J\tz"}, {}, "option inconnue « --x\\x1b[2J\\tz »"},
        {{"--data-dir"}, {}, "il manque la valeur DIR de l'option --data-dir"},
        {{"--trace", "--simulate"}, {}, "il manque la valeur FILE de l'option --trace"},
        {{"--data-dir="}, {}, "la valeur DIR de l'option --data-dir est vide"},
        {{"--data-dir", "/proc/self/exe"}, {}, "« /proc/self/exe » n'est pas un dossier"},
        {{"--data-dir=/dev/null"}, {}, "« /dev/null » n'est pas un dossier"},
        {{"--data-dir", "/proc/self"}, {.dataDir = "/proc/self"}, ""}, // a link to a folder
        {{"--simulate=oui"}, {}, "l'option --simulate ne prend pas de valeur"},
        {{"--trace", "a", "--trace=b"}, {}, "l'option --trace est donnée deux fois"},
        {{"-h", "--help"}, {}, "l'option --help est donnée deux fois"},
        {{"-"}, {}, "argument inattendu « - »"},
        {{"--", "--simulate"}, {}, "argument inattendu « --simulate »"},
        {{"--simulate", "x", "--bogus"}, {}, "argument inattendu « x »"},
        {{"--help", "--bogus"}, {}, "option inconnue « --bogus »"},
        {{"--lang", "en", "-h"}, {.help = true, .language = testsupport::English()}, ""},
        {{"--lang=fr"}, {.language = testsupport::French()}, ""},
        {{"--lang", "de"}, {}, "la langue « de » n'est ni fr ni en"},
        {{"--lang=EN"}, {}, "la langue « EN » n'est ni fr ni en"},
        {{"--lang"}, {}, "il manque la valeur LANG de l'option --lang"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "" : c.arguments[0]);
        const app::CommandLine line = app::ParseCommandLine(c.arguments);
        EXPECT_EQ(line.error, c.error);
        EXPECT_EQ(line.options, *c.error ? app::Options() : c.options);
    }
}

std::string TextOf(std::FILE *file) {
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += char(c);
    return text;
}

TEST(CommandLine, WithoutADisplayPrintsAndExitsOrLetsTheProgramStart) {
    testsupport::FakeDeviceTree tree;
    tree.AddUsb("ttyUSB0", "1-1", "Evil\tCorp", "Model\x1b]0;title\x07");
    tree.AddStableName("usb-Evil\nCorp-if00", "ttyUSB0");
    tree.AddUart("ttyS0", 4);
    struct Case {
        const char *argument;
        int status; // -1: the program goes on to its windows
        const char *out;
    };
    const Case cases[] = {
        {"--simulate", -1, ""},
        {"--version", 0, "Ventrose 9.8.7\n"},
        {"--list-ports", 0,
         "/dev/serial/by-id/usb-Evil\\nCorp-if00\t/dev/ttyUSB0\tEvil\\tCorp "
         "Model\\x1b]0;title\\x07\n"
         "/dev/ttyS0\t/dev/ttyS0\tport série 16550A\n"},
        {"--bogus", 2, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.argument);
        std::FILE *out = std::tmpfile(), *err = std::tmpfile();
        const auto status = app::RunWithoutDisplay(app::ParseCommandLine({c.argument}),
                                                   {out, err, "9.8.7", "/d", tree.Root()});
        EXPECT_EQ(status.value_or(-1), c.status);
        EXPECT_EQ(TextOf(out), c.out);
        EXPECT_EQ(TextOf(err).empty(), c.status != 2);
        std::fclose(out);
        std::fclose(err);
    }
    std::FILE *full = std::fopen("/dev/full", "w"), *err = std::tmpfile();
    EXPECT_EQ(app::RunWithoutDisplay(app::ParseCommandLine({"--help"}), {full, err, "1", "/d"}), 1)
        << "a help that could not be written is a failure";
    EXPECT_NE(TextOf(err).find("impossible d'écrire"), std::string::npos);
    std::fclose(full);
    std::fclose(err);
}

// The language of what is printed: --lang (read before the rest, wherever it stands), else the
// locale's. Each case prints wholly in English or wholly in French.
TEST(CommandLine, PrintsInTheLanguageOfTheOptionElseOfTheLocale) {
    using platform::Language;
    struct Case {
        std::vector<std::string> arguments;
        Language locale;
        const char *err; // the whole standard error; empty: look at the help's first line
        const char *out;
    };
    const Case cases[] = {
        {{"--help"}, testsupport::English(), "", "Usage: ventrose [options]"},
        {{"--help"}, testsupport::French(), "", "Utilisation : ventrose [options]"},
        {{"--lang", "en", "--help"}, testsupport::French(), "", "Usage: ventrose [options]"},
        {{"--lang=fr", "--help"}, testsupport::English(), "", "Utilisation : ventrose [options]"},
        {{"--", "--lang=en"},
         testsupport::French(),
         "ventrose : argument inattendu « --lang=en ».\nEssayez « ventrose --help » pour la "
         "liste des options.\n",
         ""},
        {{"--bogus"},
         testsupport::English(),
         "ventrose: unknown option “--bogus”.\nTry “ventrose --help” for the list of options.\n",
         ""},
        {{"--data-dir", "--lang=en"},
         testsupport::French(),
         "ventrose: missing value DIR for the option --data-dir.\nTry “ventrose --help” for the "
         "list of options.\n",
         ""},
        {{"--nmea", "udp:h:0", "--lang", "en"},
         testsupport::French(),
         "ventrose: invalid value “udp:h:0” for the option --nmea: udp:HOST:PORT expected (port "
         "from 1 to 65535).\nTry “ventrose --help” for the list of options.\n",
         ""},
        {{"--lang=xx"},
         testsupport::English(),
         "ventrose: the language “xx” is neither fr nor en.\nTry “ventrose --help” for the list "
         "of options.\n",
         ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments[0]);
        platform::SelectLanguage(app::LanguageAsked(c.arguments).value_or(c.locale));
        std::FILE *out = std::tmpfile(), *err = std::tmpfile();
        app::RunWithoutDisplay(app::ParseCommandLine(c.arguments), {out, err, "1", "/d"});
        EXPECT_EQ(TextOf(err), c.err);
        EXPECT_EQ(TextOf(out).substr(0, std::strlen(c.out)), c.out);
        std::fclose(out);
        std::fclose(err);
    }
    // The English help translates every option's text (no French word is left in it).
    platform::SelectLanguage(testsupport::English());
    const std::string english = app::HelpText("/d");
    platform::SelectLanguage(testsupport::French());
    for (const char *french : {"é", "è", "à", " le ", " la ", " et ", " du ", " : ", "AAAA"})
        EXPECT_EQ(english.find(french), std::string::npos) << french << " in\n" << english;
}

// Every option of the table is in the help with its values and its whole text, in lines
// that fit 80 columns, and in README.md's table.
TEST(CommandLine, HelpAndReadmeListEveryOption) {
    const char *source = std::getenv("VENTROSE_SOURCE_DIR");
    ASSERT_TRUE(source);
    std::ifstream readmeFile(std::string(source) + "/README.md");
    std::stringstream readme;
    readme << readmeFile.rdbuf();
    std::istringstream help(app::HelpText("/d"));
    std::string words, word;
    for (std::string line; std::getline(help, line);) {
        EXPECT_LE(
            std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xc0) != 0x80; }), 79)
            << line;
        for (std::istringstream in(line); in >> word;)
            words += word + ' ';
    }
    ASSERT_FALSE(app::KnownOptions().empty());
    for (const app::OptionSpec &option : app::KnownOptions()) {
        std::string row = std::string("--") + option.name + ' ' + option.valueNames, entry;
        const std::string help = platform::Substituted(option.help, {"/d", "fr ou en"});
        for (std::istringstream in(row + ' ' + help); in >> word;)
            entry += word + ' ';
        EXPECT_NE(words.find(entry), std::string::npos) << entry;
        // The README is in English: its rows name the values as the English help does.
        platform::SelectLanguage(testsupport::English());
        row = std::string("--") + option.name + ' ' +
              platform::Translate("CommandLine", option.valueNames).toStdString();
        platform::SelectLanguage(testsupport::French());
        row.erase(row.find_last_not_of(' ') + 1);
        EXPECT_NE(readme.str().find('`' + row + "` |"), std::string::npos) << row;
    }
}

} // namespace
