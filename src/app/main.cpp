// Ventrose: desktop front end of an RS-232 electronic compass module.
#include "app/DeclinationCommand.h"
#include "app/Forms.h"
#include "app/PortList.h"
#include "platform/Application.h"
#include "platform/InstallDir.h"
#include "platform/MessageBoxes.h"
#include "serial/ExceptionReport.h"
#include "serial/PosixSerialDevice.h"
#include "serial/TracedDevice.h"
#include "sim/PlugSignals.h"
#include "sim/SimulatedLink.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QSocketNotifier>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Options {
    bool simulate = false;
    QString dataDir;
    QString trace;
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
    // Handled before the parser (RunDeclinationCommand); listed here for the help.
    const QCommandLineOption declination(
        QStringLiteral("declination"),
        QStringLiteral("Affiche la déclinaison magnétique du modèle WMM2025 au lieu et à la date "
                       "donnés (date du jour par défaut) : en degrés, positive à l'est, suivie "
                       "de son incertitude ; puis s'arrête."),
        QStringLiteral("LAT LON [AAAA-MM-JJ]"));
    const QCommandLineOption altitude(
        QStringLiteral("altitude"),
        QStringLiteral("Avec --declination : la hauteur en km au-dessus de l'ellipsoïde WGS84 "
                       "(0 par défaut)."),
        QStringLiteral("KM"));
    parser.addOption(simulate);
    parser.addOption(dataDir);
    parser.addOption(trace);
    parser.addOption(listPorts);
    parser.addOption(declination);
    parser.addOption(altitude);
    parser.process(application);
    return {parser.isSet(simulate), parser.value(dataDir), parser.value(trace)};
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication::setApplicationName(QStringLiteral("Ventrose"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VENTROSE_VERSION));
    // Listing the ports, the declination, the help and the version need no display: they are
    // done before the window system is reached (the parser prints the help or the version and
    // exits).
    if (const std::vector<std::string> arguments(argv + 1, argv + argc);
        app::AsksForDeclination(arguments))
        return app::RunDeclinationCommand(arguments, stdout, stderr);
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
    app.ShowMainForm();
    const int code = app.Run();
    forms.Destroy();
    serial::SetDeviceOpener({}); // lets the trace go, written to its end, before main returns
    return code;
}
