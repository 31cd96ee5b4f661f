#include "program/CommandLine.h"

#include "base/EscapedText.h"
#include "base/Language.h"
#include "program/DeviationCommand.h"
#include "program/PortList.h"
#include "program/SimulatedDeviation.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sstream>
#include <sys/stat.h>

namespace app {
namespace {

using Values = std::vector<std::string>;

// A text of the command line in the program's language, its %1, %2... put in.
std::string Tr(const char *text, const std::vector<std::string> &args = {}) {
    return platform::Translated("CommandLine", text, args);
}

std::string Taken(bool &flag) {
    flag = true;
    return {};
}

// Stores an option's one value in its field of Options.
template <std::string Options::*field> std::string Keep(Options &options, const Values &values) {
    options.*field = values[0];
    return {};
}

// The codes of the program's languages, each pair joined by link ("%1 ou %2" gives
// "fr ou en", and "fr ou en ou de" once there is a third).
std::string LanguageCodesJoined(const char *link) {
    std::string joined;
    for (const std::string &code : platform::LanguageCodes())
        joined = joined.empty() ? code : Tr(link, {joined, code});
    return joined;
}

std::string KeepLanguage(Options &options, const Values &values) {
    options.language = platform::LanguageNamed(values[0]);
    if (!options.language)
        return Tr(QT_TRANSLATE_NOOP("CommandLine", "la langue %1 n'est ni %2"),
                  {platform::QuotedArgument(values[0]),
                   LanguageCodesJoined(QT_TRANSLATE_NOOP("CommandLine", "%1 ni %2"))});
    return {};
}

const OptionSpec kOptions[] = {
    {"simulate", 0, "",
     QT_TRANSLATE_NOOP("CommandLine",
                       "COM1 et COM2 ouvrent une boussole simulée au lieu d'un port série."),
     false, [](Options &o, const Values &) { return Taken(o.simulate); }},
    {"data-dir", 0, "DIR",
     QT_TRANSLATE_NOOP("CommandLine", "Dossier d'installation à utiliser (par défaut %1)."), false,
     [](Options &o, const Values &v) {
         // A file in the folder's place would only fail later, behind the main window.
         struct stat status {};
         if (::stat(v[0].c_str(), &status) == 0 && !S_ISDIR(status.st_mode))
             return Tr(QT_TRANSLATE_NOOP("CommandLine", "%1 n'est pas un dossier"),
                       {platform::QuotedArgument(v[0])});
         o.dataDir = v[0];
         return std::string();
     }},
    {"trace", 0, "FILE",
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "Enregistre dans FILE (- : la sortie d'erreur) tout ce qui passe sur la ligne série."),
     false,
     [](Options &o, const Values &v) {
         o.trace = v[0];
         return std::string();
     }},
    {"log", 0, "FILE",
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "Enregistre dans FILE (CSV) chaque mesure reçue, dès le début de la communication."),
     false, Keep<&Options::log>},
    {"replay", 0, "FILE",
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "La boussole simulée rejoue le journal du cap FILE à son rythme (implique --simulate)."),
     false,
     [](Options &o, const Values &v) { return Keep<&Options::replay>(o, v) + Taken(o.simulate); }},
    {"simulate-deviation", 0, "A,B,C,D,E",
     QT_TRANSLATE_NOOP("CommandLine",
                       "La boussole simulée lit avec cette déviation (degrés, positive à l'est) : "
                       "A + B sin θ + C cos θ + D sin 2θ + E cos 2θ, θ son cap (implique "
                       "--simulate)."),
     false,
     [](Options &o, const Values &v) {
         return ReadSimulatedDeviation(v[0], o.simulatedDeviation) + Taken(o.simulate);
     }},
    {"list-ports", 0, "",
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "Affiche les périphériques série présents (chemin, nœud, description) et s'arrête."),
     false, [](Options &o, const Values &) { return Taken(o.listPorts); }},
    {"declination", 0, QT_TRANSLATE_NOOP("CommandLine", "LAT LON [AAAA-MM-JJ]"),
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "Affiche la déclinaison magnétique du modèle WMM2025 en ce lieu (degrés décimaux, ou "
         "degrés et minutes avec N, S, E ou O) à cette date (aujourd'hui par défaut) : en degrés, "
         "positive à l'est, suivie de son incertitude ; puis s'arrête."),
     false,
     [](Options &o, const Values &v) {
         return ReadDeclinationRequest(v, o.declination.emplace());
     }},
    {"altitude", 0, "KM",
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "Avec --declination : la hauteur en km au-dessus de l'ellipsoïde WGS84 (0 par défaut)."),
     false, [](Options &o, const Values &v) { return ReadAltitude(v[0], o.altitude); }},
    {"extrapolate", 0, "",
     QT_TRANSLATE_NOOP("CommandLine",
                       "Avec --declination : donne aussi la valeur d'une date hors de la période "
                       "de validité du modèle (2025 à 2029), qui n'est qu'une extrapolation."),
     false, [](Options &o, const Values &) { return Taken(o.extrapolate); }},
    {"deviation-card", 0, "FILE",
     QT_TRANSLATE_NOOP("CommandLine",
                       "Lit les points d'une régulation du compas dans FILE (CSV d'en-tête "
                       "compass,magnetic : cap compas et cap magnétique en degrés), affiche les "
                       "coefficients A à E de la déviation (degrés, positive à l'est), l'écart "
                       "quadratique moyen des points, puis la table de déviation de 15° en 15° "
                       "(cap compas, déviation, cap magnétique) ; puis s'arrête."),
     false, Keep<&Options::deviationCard>},
    {"nmea", 0, "OUTPUT",
     QT_TRANSLATE_NOOP("CommandLine",
                       "Partage le cap en NMEA 0183 pour cette exécution : udp:HÔTE:PORT, "
                       "tcp:[ADRESSE:]PORT ou pty (option répétable)."),
     true,
     [](Options &o, const Values &v) {
         std::string error;
         if (const auto target = nmea::ParseOutputTarget(v[0], error)) {
             o.nmea.push_back(*target);
             return std::string();
         }
         return Tr(QT_TRANSLATE_NOOP("CommandLine",
                                     "la valeur %1 de l'option --nmea ne convient pas : %2"),
                   {platform::QuotedArgument(v[0]), error});
     }},
    {"nmea-true", 0, "",
     QT_TRANSLATE_NOOP("CommandLine",
                       "Ajoute le cap vrai (HDT) : la déclinaison réglée est celle du lieu."),
     false, [](Options &o, const Values &) { return Taken(o.nmeaTrue); }},
    {"lang", 0, "LANG",
     QT_TRANSLATE_NOOP("CommandLine", "Langue des textes : %2 (par défaut, celle de la locale)."),
     false, KeepLanguage},
    {"help", 'h', "", QT_TRANSLATE_NOOP("CommandLine", "Affiche cette aide et s'arrête."), false,
     [](Options &o, const Values &) { return Taken(o.help); }},
    {"version", 'v', "", QT_TRANSLATE_NOOP("CommandLine", "Affiche la version et s'arrête."), false,
     [](Options &o, const Values &) { return Taken(o.version); }},
};

constexpr const char *kDescription =
    QT_TRANSLATE_NOOP("CommandLine", "Ventrose : boussole électronique RS-232 (COM1 ou COM2).");
constexpr std::size_t kHelpWidth = 79;

std::vector<std::string> Words(const std::string &text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

const OptionSpec *Find(const std::string &typed) {
    const auto matches = [&](const OptionSpec &option) {
        if (typed.starts_with("--"))
            return typed.compare(2, std::string::npos, option.name) == 0;
        return option.shortName != 0 && typed.size() == 2 && typed[1] == option.shortName;
    };
    const auto found = std::find_if(std::begin(kOptions), std::end(kOptions), matches);
    return found == std::end(kOptions) ? nullptr : found;
}

// Reads one option at arguments[i] with its values, moving i to its last value.
std::string ReadOption(const std::vector<std::string> &arguments, std::size_t &i,
                       std::vector<const OptionSpec *> &seen, Options &options) {
    const std::string &argument = arguments[i];
    const std::size_t equals = argument.starts_with("--") ? argument.find('=') : std::string::npos;
    const std::string typed = argument.substr(0, equals);
    const OptionSpec *option = Find(typed);
    if (!option)
        return Tr(QT_TRANSLATE_NOOP("CommandLine", "option inconnue %1"),
                  {platform::QuotedArgument(typed)});
    if (!option->repeatable && std::find(seen.begin(), seen.end(), option) != seen.end())
        return Tr(QT_TRANSLATE_NOOP("CommandLine", "l'option %1 est donnée deux fois"), {typed});
    seen.push_back(option);

    const std::vector<std::string> names = Words(option->valueNames);
    Values values;
    if (equals != std::string::npos) {
        if (names.empty())
            return Tr(QT_TRANSLATE_NOOP("CommandLine", "l'option %1 ne prend pas de valeur"),
                      {typed});
        values.push_back(argument.substr(equals + 1));
    }
    while (values.size() < names.size()) {
        const std::string &name = names[values.size()];
        const bool optional = name.starts_with('[');
        if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("--"))
            values.push_back(arguments[++i]);
        else if (optional)
            break;
        else
            return Tr(QT_TRANSLATE_NOOP("CommandLine", "il manque la valeur %1 de l'option %2"),
                      {name, typed});
    }
    for (std::size_t k = 0; k < values.size(); ++k)
        if (values[k].empty())
            return Tr(QT_TRANSLATE_NOOP("CommandLine", "la valeur %1 de l'option %2 est vide"),
                      {names[k], typed});
    return option->store(options, values);
}

// The number of characters (not bytes) of UTF-8 text.
std::size_t Width(const std::string &text) {
    return std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xc0) != 0x80; });
}

// text after indent, its words wrapped to the help's width with the same indent.
void AppendWrapped(std::string &out, const std::string &text, std::size_t indent) {
    std::size_t column = indent;
    bool first = true;
    for (const std::string &word : Words(text)) {
        if (!first && column + 1 + Width(word) > kHelpWidth) {
            out += "\n" + std::string(indent, ' ');
            column = indent;
            first = true;
        }
        if (!first) {
            out += ' ';
            ++column;
        }
        out += word;
        column += Width(word);
        first = false;
    }
    out += '\n';
}

// 0 when everything reached out, 1 (with a word on the standard error) otherwise.
int Flushed(const Terminal &terminal) {
    if (std::fflush(terminal.out) == 0 && !std::ferror(terminal.out))
        return 0;
    const std::string reason = std::strerror(errno);
    std::fprintf(
        terminal.err, "%s\n",
        Tr(QT_TRANSLATE_NOOP("CommandLine",
                             "ventrose : impossible d'écrire sur la sortie standard : %1."),
           {reason})
            .c_str());
    return 1;
}

} // namespace

std::span<const OptionSpec> KnownOptions() { return kOptions; }

std::optional<platform::Language> LanguageAsked(const std::vector<std::string> &arguments) {
    for (std::size_t i = 0; i < arguments.size() && arguments[i] != "--"; ++i) {
        if (arguments[i].starts_with("--lang="))
            return platform::LanguageNamed(std::string_view(arguments[i]).substr(7));
        if (arguments[i] == "--lang")
            return i + 1 < arguments.size() ? platform::LanguageNamed(arguments[i + 1])
                                            : std::nullopt;
    }
    return std::nullopt;
}

namespace {

// Why options that were all read do not go together; empty when they do. --declination and
// --deviation-card print and stop, so an option for the windows they never open would be
// silently dropped.
std::string Conflict(const std::vector<const OptionSpec *> &seen, const Options &options) {
    if (options.altitude && !options.declination)
        return Tr(
            QT_TRANSLATE_NOOP("CommandLine", "l'option --altitude ne sert qu'avec --declination"));
    if (options.extrapolate && !options.declination)
        return Tr(QT_TRANSLATE_NOOP("CommandLine",
                                    "l'option --extrapolate ne sert qu'avec --declination"));
    if (options.simulatedDeviation && !options.replay.empty())
        return Tr(QT_TRANSLATE_NOOP("CommandLine", "l'option --simulate-deviation ne s'applique "
                                                   "pas au journal rejoué par --replay"));
    // Each command that prints and stops, with the options that may go with it.
    const struct {
        bool given;
        std::vector<std::string_view> companions;
    } alone[] = {
        {bool(options.declination),
         {"declination", "altitude", "extrapolate", "lang", "help", "version"}},
        {!options.deviationCard.empty(), {"deviation-card", "lang", "help", "version"}},
    };
    for (const auto &command : alone) {
        if (!command.given)
            continue;
        for (const OptionSpec *option : seen)
            if (std::find(command.companions.begin(), command.companions.end(), option->name) ==
                command.companions.end())
                return Tr(QT_TRANSLATE_NOOP("CommandLine",
                                            "les options --%1 et --%2 ne vont pas ensemble"),
                          {std::string(command.companions.front()), option->name});
    }
    return {};
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string> &arguments) {
    CommandLine line;
    std::vector<const OptionSpec *> seen;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size() && line.error.empty(); ++i) {
        const std::string &argument = arguments[i];
        if (argument == "--" && !optionsEnded)
            optionsEnded = true;
        else if (optionsEnded || argument.size() < 2 || argument[0] != '-')
            line.error = Tr(QT_TRANSLATE_NOOP("CommandLine", "argument inattendu %1"),
                            {platform::QuotedArgument(argument)});
        else
            line.error = ReadOption(arguments, i, seen, line.options);
    }
    if (line.error.empty())
        line.error = Conflict(seen, line.options);
    if (!line.error.empty())
        line.options = {}; // nothing half read
    return line;
}

std::string HelpText(const std::string &defaultDataDir) {
    std::vector<std::string> left;
    std::size_t indent = 0;
    for (const OptionSpec &option : kOptions) {
        std::string names =
            option.shortName ? std::string("  -") + option.shortName + ", " : "      ";
        names += std::string("--") + option.name;
        if (*option.valueNames)
            names += " " + Tr(option.valueNames);
        indent = std::max(indent, names.size() + 2);
        left.push_back(names);
    }
    std::string out = Tr(QT_TRANSLATE_NOOP("CommandLine", "Utilisation : ventrose [options]")) +
                      "\n" + Tr(kDescription) + "\n\n" +
                      Tr(QT_TRANSLATE_NOOP("CommandLine", "Options :")) + "\n";
    for (std::size_t k = 0; k < left.size(); ++k) {
        out += left[k] + std::string(indent - left[k].size(), ' ');
        AppendWrapped(
            out,
            Tr(kOptions[k].help,
               {defaultDataDir, LanguageCodesJoined(QT_TRANSLATE_NOOP("CommandLine", "%1 ou %2"))}),
            indent);
    }
    return out;
}

std::string UsageErrorText(const std::string &error) {
    return Tr(QT_TRANSLATE_NOOP("CommandLine", "ventrose : %1.\nEssayez « ventrose --help » pour "
                                               "la liste des options."),
              {error}) +
           "\n";
}

std::string DataDirNameError(const std::string &dataDir) {
    return Tr(QT_TRANSLATE_NOOP("CommandLine",
                                "le dossier %1 n'existe pas et son nom n'est pas du texte dans "
                                "le codage des caractères de la langue : il ne peut pas être "
                                "créé sous ce nom"),
              {platform::QuotedArgument(dataDir)});
}

std::optional<int> RunWithoutDisplay(const CommandLine &line, const Terminal &terminal) {
    if (!line.error.empty()) {
        std::fputs(UsageErrorText(line.error).c_str(), terminal.err);
        return kUsageErrorStatus;
    }
    const Options &options = line.options;
    if (options.help)
        std::fputs(HelpText(terminal.defaultDataDir).c_str(), terminal.out);
    else if (options.version)
        std::fprintf(terminal.out, "Ventrose %s\n", terminal.version.c_str());
    else if (options.listPorts)
        PrintPortList(terminal.out, terminal.root);
    else if (options.declination) {
        DeclinationRequest request = *options.declination;
        request.point.height = options.altitude.value_or(0.0);
        const std::chrono::year_month_day today = terminal.today.value_or(LocalToday());
        if (const std::string refusal = ExtrapolationRefusal(request.date.value_or(today));
            !refusal.empty() && !options.extrapolate) {
            std::fputs(UsageErrorText(refusal).c_str(), terminal.err);
            return kUsageErrorStatus;
        }
        PrintDeclination(request, terminal.out, terminal.err, today);
    } else if (!options.deviationCard.empty()) {
        if (const int status =
                PrintDeviationCard(options.deviationCard, terminal.out, terminal.err))
            return status;
    } else
        return std::nullopt;
    return Flushed(terminal);
}

} // namespace app
