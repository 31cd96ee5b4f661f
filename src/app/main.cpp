// Ventrose: desktop front end of an RS-232 electronic compass module.
#include "app/Forms.h"
#include "platform/Application.h"
#include "platform/InstallDir.h"
#include "platform/MessageBoxes.h"
#include "serial/ExceptionReport.h"
#include "serial/PosixSerialDevice.h"
#include "sim/PlugSignals.h"
#include "sim/SimulatedLink.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QSocketNotifier>

#include <memory>

namespace {

struct Options {
    bool simulate = false;
    QString dataDir;
};

Options ParseOptions(const QApplication &application) {
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
    parser.addOption(simulate);
    parser.addOption(dataDir);
    parser.process(application);
    return {parser.isSet(simulate), parser.value(dataDir)};
}

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ventrose"));
    QApplication::setApplicationVersion(QStringLiteral(VENTROSE_VERSION));
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

    std::unique_ptr<sim::SimulatedLink> simulated;
    std::unique_ptr<sim::PlugSignals> plug;
    if (options.simulate) {
        simulated = std::make_unique<sim::SimulatedLink>();
        serial::SetDeviceOpener(simulated->Opener());
        // SIGUSR1 pulls the simulated module's plug, SIGUSR2 puts it back.
        plug = std::make_unique<sim::PlugSignals>();
        auto *notifier =
            new QSocketNotifier(plug->Descriptor(), QSocketNotifier::Read, &application);
        QObject::connect(notifier, &QSocketNotifier::activated,
                         [&] { plug->Apply(simulated->Compass()); });
    } else {
        serial::SetDeviceOpener(
            serial::PosixDeviceOpener(platform::InstallDir::Path().toStdString()));
    }
    serial::SetExceptionReporter(
        [&app](const std::exception &e) { app.ShowException(QString::fromUtf8(e.what())); });

    app::Forms forms;
    forms.Create();
    app.ShowMainForm();
    const int code = app.Run();
    forms.Destroy();
    return code;
}
