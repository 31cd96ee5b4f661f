// Ventrose: desktop front end of an RS-232 electronic compass module.
#include "app/CommandLine.h"
#include "app/Forms.h"
#include "app/StartupReport.h"
#include "platform/Application.h"
#include "platform/InstallDir.h"
#include "platform/MessageBoxes.h"
#include "serial/port/ExceptionReport.h"
#include "serial/posix/PosixSerialDevice.h"
#include "serial/trace/TracedDevice.h"
#include "sim/PlugSignals.h"
#include "sim/SimulatedLink.h"

#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>

#include <memory>

int main(int argc, char **argv) {
    // The whole command line is read before the window system is reached: a mistake in it,
    // the help, the version and the port list need no display.
    const app::CommandLine line =
        app::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    const app::Terminal terminal{stdout, stderr, VENTROSE_VERSION,
                                 platform::InstallDir::DefaultPath().toStdString()};
    if (const auto status = app::RunWithoutDisplay(line, terminal))
        return *status;
    const app::Options &options = line.options;

    QCoreApplication::setApplicationName(QStringLiteral("Ventrose"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VENTROSE_VERSION));
    // Qt sees the program's name alone: every argument was read above, and a value such as
    // "--data-dir -reverse" must not be taken for one of Qt's own options.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(VENTROSE_APP_ID));

    platform::Application &app = platform::Application::Instance();
    app.SetTitle(QStringLiteral("Ventrose"));

    platform::InstallDir::Select(QString::fromLocal8Bit(options.dataDir));
    QString error;
    if (!platform::InstallDir::Prepare(QStringLiteral(":/shipped"), &error)) {
        platform::MessageBoxes::Warning(error);
        return 1;
    }
    QApplication::setWindowIcon(QIcon(platform::InstallDir::File(QStringLiteral("ventrose.png"))));

    // Made before the port's devices and gone after them, so it records every close.
    std::shared_ptr<serial::LineTrace> trace;
    if (!options.trace.empty()) {
        std::string reason;
        trace = serial::LineTrace::OpenFile(options.trace, reason);
        if (!trace) {
            platform::MessageBoxes::Warning(
                QStringLiteral("Impossible d'ouvrir le fichier de trace %1 :\n%2")
                    .arg(QString::fromLocal8Bit(options.trace),
                         QString::fromLocal8Bit(reason.c_str())));
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
    app::ReportFirstPaintWhenAsked(forms);
    app.ShowMainForm();
    const int code = app.Run();
    forms.Destroy();
    serial::SetDeviceOpener({}); // lets the trace go, written to its end, before main returns
    return code;
}
