// Ventrose: desktop front end of an RS-232 electronic compass module.
#include "app/Forms.h"
#include "app/PortList.h"
#include "nmea/HeadingShare.h"
#include "platform/Application.h"
#include "platform/InstallDir.h"
#include "platform/MessageBoxes.h"
#include "serial/port/ExceptionReport.h"
#include "serial/posix/PosixSerialDevice.h"
#include "serial/trace/TracedDevice.h"
#include "sim/PlugSignals.h"
#include "sim/SimulatedLink.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QSocketNotifier>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct Options {
    bool simulate = false;
    QString dataDir;
    QString trace;
    std::vector<nmea::OutputTarget> nmea;
    bool nmeaTrue = false;
    QString error; // an option value that could not be read
};

Options ParseOptions(const QCoreApplication &application) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Ventrose : boussole électronique RS-232 (COM1 ou COM2)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("COM1 et COM2 ouvrent une boussole simulée au lieu d'un port série."));
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("Dossier d'installation à utiliser (par défaut %1).")
            .arg(platform::InstallDir::DefaultPath()),
        QStringLiteral("DIR"));
    const QCommandLineOption listPorts(
        QStringLiteral("list-ports"),
        QStringLiteral("Affiche les périphériques série présents (chemin, nœud, description) "
                       "et s'arrête."));
    const QCommandLineOption trace(
        QStringLiteral("trace"),
        QStringLiteral("Enregistre dans FILE (- : la sortie d'erreur) tout ce qui passe sur la "
                       "ligne série."),
        QStringLiteral("FILE"));
    const QCommandLineOption nmea(
        QStringLiteral("nmea"),
        QStringLiteral("Partage le cap en NMEA 0183 pour cette exécution : udp:HÔTE:PORT, "
                       "tcp:[ADRESSE:]PORT ou pty (option répétable)."),
        QStringLiteral("SORTIE"));
    const QCommandLineOption nmeaTrue(
        QStringLiteral("nmea-true"),
        QStringLiteral("Ajoute le cap vrai (HDT) : la déclinaison réglée est celle du lieu."));
    parser.addOption(simulate);
    parser.addOption(dataDir);
    parser.addOption(trace);
    parser.addOption(listPorts);
    parser.addOption(nmea);
    parser.addOption(nmeaTrue);
    parser.process(application);
    Options options{parser.isSet(simulate), parser.value(dataDir),
                    parser.value(trace),    {},
                    parser.isSet(nmeaTrue), {}};
    for (const QString &value : parser.values(nmea)) {
        std::string error;
        if (const auto target = nmea::ParseOutputTarget(value.toStdString(), error))
            options.nmea.push_back(*target);
        else
            options.error = QStringLiteral("--nmea %1").arg(QString::fromStdString(error));
    }
    return options;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication::setApplicationName(QStringLiteral("Ventrose"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VENTROSE_VERSION));
    // Listing the ports, the help and the version need no display: they are done before the
    // window system is reached (the parser prints the help or the version and exits).
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--list-ports") == 0) {
            app::PrintPortList(stdout);
            return 0;
        }
        for (const char *option : {"-h", "-?", "--help", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0) {
                QCoreApplication withoutDisplay(argc, argv);
                ParseOptions(withoutDisplay);
            }
        }
    }
    QApplication application(argc, argv);
    const Options options = ParseOptions(application);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "ventrose: %s\n", options.error.toLocal8Bit().constData());
        return 2;
    }

    platform::Application &app = platform::Application::Instance();
    app.SetTitle(QStringLiteral("Ventrose"));

    platform::InstallDir::Select(options.dataDir);
    QString error;
    if (!platform::InstallDir::Prepare(QStringLiteral(":/shipped"), &error)) {
        platform::MessageBoxes::Warning(error);
        return 1;
    }
    QApplication::setWindowIcon(QIcon(platform::InstallDir::File(QStringLiteral("ventrose.png"))));

    // Made before the port's devices and gone after them, so it records every close.
    std::shared_ptr<serial::LineTrace> trace;
    if (!options.trace.isEmpty()) {
        std::string reason;
        trace = serial::LineTrace::OpenFile(options.trace.toStdString(), reason);
        if (!trace) {
            platform::MessageBoxes::Warning(
                QStringLiteral("Impossible d'ouvrir le fichier de trace %1 :\n%2")
                    .arg(options.trace, QString::fromLocal8Bit(reason.c_str())));
            return 1;
        }
    }
    std::unique_ptr<sim::SimulatedLink> simulated;
    std::unique_ptr<sim::PlugSignals> plug;
    serial::DeviceOpener opener;
    if (options.simulate) {
        simulated = std::make_unique<sim::SimulatedLink>();
        opener = simulated->Opener();
        // SIGUSR1 pulls the simulated module's plug, SIGUSR2 puts it back.
        plug = std::make_unique<sim::PlugSignals>();
        auto *notifier =
            new QSocketNotifier(plug->Descriptor(), QSocketNotifier::Read, &application);
        QObject::connect(notifier, &QSocketNotifier::activated,
                         [&] { plug->Apply(simulated->Compass()); });
    } else {
        opener = serial::PosixDeviceOpener(platform::InstallDir::Path().toStdString());
    }
    serial::SetDeviceOpener(trace ? serial::TracingOpener(std::move(opener), trace)
                                  : std::move(opener));
    serial::SetExceptionReporter(
        [&app](const std::exception &e) { app.ShowException(QString::fromUtf8(e.what())); });

    app::Forms forms;
    forms.Create();
    nmea::HeadingShare &share = *forms.Share();
    if (trace)
        share.AddNoticeSink(
            [trace](const nmea::ShareNotice &notice) { trace->Note(notice.text.toStdString()); });
    share.SetRunChoice(options.nmea, options.nmeaTrue);
    share.Start();
    app.ShowMainForm();
    const int code = app.Run();
    forms.Destroy();
    serial::SetDeviceOpener({}); // lets the trace go, written to its end, before main returns
    return code;
}
