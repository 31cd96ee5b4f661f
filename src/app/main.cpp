// Ventrose: desktop front end of an RS-232 electronic compass module.
#include "app/Forms.h"
#include "app/HeadingLog.h"
#include "app/LogOptions.h"
#include "app/PortList.h"
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

namespace {

struct Options {
    bool simulate = false;
    QString dataDir;
    QString trace;
    QString log;
    QString replay;
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
    const QCommandLineOption log(
        QStringLiteral("log"),
        QStringLiteral("Enregistre dans FILE (CSV) chaque mesure reçue, dès le début de la "
                       "communication."),
        QStringLiteral("FILE"));
    const QCommandLineOption replay(
        QStringLiteral("replay"),
        QStringLiteral("La boussole simulée rejoue le journal du cap FILE à son rythme "
                       "(implique --simulate)."),
        QStringLiteral("FILE"));
    parser.addOption(simulate);
    parser.addOption(dataDir);
    parser.addOption(trace);
    parser.addOption(listPorts);
    parser.addOption(log);
    parser.addOption(replay);
    parser.process(application);
    return {parser.isSet(simulate) || parser.isSet(replay), parser.value(dataDir),
            parser.value(trace), parser.value(log), parser.value(replay)};
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
    sim::CompassOptions moduleOptions;
    if (!options.replay.isEmpty()) {
        app::ReplayLoad replay = app::LoadReplay(options.replay);
        if (!replay.error.isEmpty()) {
            std::fprintf(stderr, "%s\n", replay.error.toLocal8Bit().constData());
            platform::MessageBoxes::Warning(replay.error);
            return 1;
        }
        moduleOptions.replay = std::move(replay.readings);
    }
    std::unique_ptr<sim::SimulatedLink> simulated;
    std::unique_ptr<sim::PlugSignals> plug;
    serial::DeviceOpener opener;
    if (options.simulate) {
        simulated = std::make_unique<sim::SimulatedLink>(std::move(moduleOptions));
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
    if (!options.log.isEmpty())
        app::StartUnattendedLog(*forms.Log(), options.log);
    app.ShowMainForm();
    const int code = app.Run();
    forms.Destroy();
    serial::SetDeviceOpener({}); // lets the trace go, written to its end, before main returns
    return code;
}
