// Ventrose: desktop front end of an RS-232 electronic compass module.
#include "base/SignalNotes.h"
#include "base/StandardDescriptors.h"
#include "link/DeviceReturnWatcher.h"
#include "link/PortOpenFailure.h"
#include "logwindow/HeadingLog.h"
#include "logwindow/LogOptions.h"
#include "mainwindow/Unit1.h"
#include "platform/app/Application.h"
#include "platform/app/Errors.h"
#include "platform/app/InstallDir.h"
#include "platform/app/MessageBoxes.h"
#include "platform/app/PathBytes.h"
#include "platform/app/Translations.h"
#include "program/CardWiring.h"
#include "program/CommandLine.h"
#include "program/Forms.h"
#include "program/SimulatedDeviation.h"
#include "program/StartupReport.h"
#include "serial/devices/PortNames.h"
#include "serial/port/ExceptionReport.h"
#include "serial/posix/PosixSerialDevice.h"
#include "serial/trace/TracedDevice.h"
#include "sim/PlugSignals.h"
#include "sim/SimulatedLink.h"
#include "swing/SwingRecord.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <utility>

namespace {

// The quit of the main window does not save the settings itself; a quit asked from outside
// saves them, since the user may have had no chance to leave a dialog.
void SaveSettingsAtTheEnd(app::TForm1 &mainWindow) {
    try {
        mainWindow.Settings().SaveSettings(
            platform::InstallDir::File(QStringLiteral("Ventrose.inf")));
    } catch (const platform::Exception &error) {
        platform::NoteOnStandardError(error.Message().toStdString());
    }
}

// Runs on its main loop whatever a thread of the program asks for.
void OnMainLoop(std::function<void()> call) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call), Qt::QueuedConnection);
}

} // namespace

int main(int argc, char **argv) {
    // Before anything opens a descriptor: a closed 0, 1 or 2 would be taken by the next
    // one (the display's connection), and whatever writes to standard error would write
    // into it.
    platform::OpenMissingStandardDescriptors();
    // A reader of the trace (or of standard error) that goes away is an error to report,
    // not a reason to die in the middle of a save.
    std::signal(SIGPIPE, SIG_IGN);
    // The whole command line is read before the window system is reached: a mistake in it,
    // the help, the version and the port list need no display.
    // The language first (--lang, else the locale's), so that the command line's help and
    // errors speak it too.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    platform::SelectLanguage(
        app::LanguageAsked(arguments).value_or(platform::LanguageOfEnvironment()));
    const app::CommandLine line = app::ParseCommandLine(arguments);
    const app::Terminal terminal{stdout, stderr, VENTROSE_VERSION,
                                 platform::InstallDir::DefaultPath().toStdString()};
    if (const auto status = app::RunWithoutDisplay(line, terminal))
        return *status;
    const app::Options &options = line.options;
    // The folder's bytes as given, whatever the locale's encoding makes of them.
    const std::optional<QString> dataDir = platform::PathFromBytes(options.dataDir);
    if (!dataDir) {
        std::fputs(app::UsageErrorText(app::DataDirNameError(options.dataDir)).c_str(), stderr);
        return app::kUsageErrorStatus;
    }
    // SIGTERM, SIGHUP (the session ends, a kill) and SIGINT (Ctrl+C in a terminal) quit as
    // the user's "Quitter" does: the module is handed over when the link is up, and the
    // settings are saved. Handled before anything of the start-up can wait, so that none
    // of it is cut short; until the main window exists there is nothing to hand over, and a
    // second request ends the program at once.
    platform::SignalNotes endRequests({SIGTERM, SIGHUP, SIGINT},
                                      platform::SignalNotes::Repeat::EndsLater);

    QCoreApplication::setApplicationName(QStringLiteral("Ventrose"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VENTROSE_VERSION));
    // Qt sees the program's name alone: every argument was read above, and a value such as
    // "--data-dir -reverse" must not be taken for one of Qt's own options.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(VENTROSE_APP_ID));

    platform::Application &app = platform::Application::Instance();
    app.SetTitle(QStringLiteral("Ventrose"));

    QPointer<app::TForm1> mainWindow;
    bool endRequested = false;
    QSocketNotifier endNotifier(endRequests.Descriptor(), QSocketNotifier::Read);
    QObject::connect(&endNotifier, &QSocketNotifier::activated, [&] {
        if (endRequests.Take().empty() || std::exchange(endRequested, true))
            return;
        if (mainWindow)
            mainWindow->QuitOnRequest();
        else
            app.Terminate(); // closes a start-up box; the start-up goes no further
    });

    platform::InstallDir::Select(*dataDir);
    QString error;
    if (!platform::InstallDir::Prepare(QStringLiteral(":/shipped"), &error)) {
        platform::MessageBoxes::Warning(error);
        return 1;
    }
    // A file gone from the installed folder is said once (the marker remembers it), with
    // where to restore it from; the program goes on without it.
    if (const QStringList missing =
            platform::InstallDir::TakeNewlyMissing(QStringLiteral(":/shipped"));
        !missing.isEmpty()) {
        const QString notice = platform::InstallDir::MissingNotice(
            missing, platform::InstallDir::ReferenceDir(QCoreApplication::applicationDirPath()));
        platform::NoteOnStandardError(notice.toStdString());
        platform::MessageBoxes::Warning(notice);
    }
    QApplication::setWindowIcon(QIcon(platform::InstallDir::File(QStringLiteral("ventrose.png"))));

    // Made before the port's devices and gone after them, so it records every close. A
    // trace that stops (its reader gone, a full disk) is said once, on standard error and
    // in the status bar; the program goes on.
    std::shared_ptr<serial::LineTrace> trace;
    QString traceFailure; // shown once the main window exists, if it failed before
    if (!options.trace.empty()) {
        std::string reason;
        serial::LineTraceOptions traceOptions;
        traceOptions.failed = [&](const std::string &) {
            OnMainLoop([&] {
                traceFailure =
                    QCoreApplication::translate("main", "La trace ne peut plus être écrite...");
                if (mainWindow)
                    mainWindow->ShowStatusNote(traceFailure);
            });
        };
        trace = serial::LineTrace::OpenFile(options.trace, reason, std::move(traceOptions));
        if (!trace) {
            platform::MessageBoxes::Warning(
                QCoreApplication::translate("main",
                                            "Impossible d'ouvrir le fichier de trace %1 :\n%2")
                    .arg(QString::fromLocal8Bit(options.trace),
                         QString::fromLocal8Bit(reason.c_str())));
            return 1;
        }
    }
    sim::CompassOptions moduleOptions;
    if (!options.replay.empty()) {
        // A replay that stops before the end of its file (a last line cut short, a damaged
        // line) says so on standard error and in the status bar once the window exists.
        app::ReplayLoad replay =
            app::LoadReplay(QString::fromLocal8Bit(options.replay), [&](const QString &why) {
                OnMainLoop([&, why] {
                    platform::NoteOnStandardError(why.toLocal8Bit().toStdString());
                    if (mainWindow)
                        mainWindow->ShowStatusNote(QString(why).replace(u'\n', u' '));
                });
            });
        if (!replay.error.isEmpty()) {
            platform::NoteOnStandardError(replay.error.toLocal8Bit().toStdString());
            platform::MessageBoxes::Warning(replay.error);
            return 1;
        }
        moduleOptions.replay = std::move(replay.readings);
    }
    if (options.simulatedDeviation)
        moduleOptions.course =
            app::DeviatedCourse(std::move(moduleOptions.course), *options.simulatedDeviation);
    std::unique_ptr<sim::SimulatedLink> simulated;
    std::unique_ptr<sim::PlugSignals> plug;
    serial::DeviceOpener opener;
    if (options.simulate) {
        simulated = std::make_unique<sim::SimulatedLink>(std::move(moduleOptions));
        opener = simulated->Opener();
        app::SetPortsSimulated(true);
        // SIGUSR1 pulls the simulated module's plug, SIGUSR2 puts it back.
        plug = std::make_unique<sim::PlugSignals>();
        auto *notifier =
            new QSocketNotifier(plug->Descriptor(), QSocketNotifier::Read, &application);
        // Putting the plug back is the device's return, as the watcher tells it of a real one.
        QObject::connect(notifier, &QSocketNotifier::activated, [&] {
            if (plug->Apply(simulated->Compass()) > 0 && !simulated->Compass().Line().Unplugged() &&
                mainWindow)
                mainWindow->DeviceReturned();
        });
    } else {
        opener = serial::PosixDeviceOpener(platform::InstallDir::Path().toStdString());
    }
    serial::SetDeviceOpener(trace ? serial::TracingOpener(std::move(opener), trace)
                                  : std::move(opener));
    serial::SetExceptionReporter(
        [&app](const std::exception &e) { app.ShowException(QString::fromUtf8(e.what())); });

    app::Forms forms;
    forms.Create();
    // Before a recording starts, so that its log has the deviation's column when chosen.
    app::ApplyCard(forms, swing::CardSettings::LoadOwn());
    app::ReportFirstPaintWhenAsked(forms);
    if (!options.replay.empty())
        forms.Log()->Recorder().Protect(QString::fromLocal8Bit(options.replay));
    if (!options.log.empty())
        app::StartUnattendedLog(*forms.Log(), QString::fromLocal8Bit(options.log));
    mainWindow = forms.Form1();
    if (!traceFailure.isEmpty())
        mainWindow->ShowStatusNote(traceFailure);
    // A real port's device that comes back after it went away starts the lost link again.
    std::unique_ptr<app::DeviceReturnWatcher> deviceReturns;
    if (!options.simulate) {
        deviceReturns = std::make_unique<app::DeviceReturnWatcher>([&forms] {
            return serial::ResolvePortPath(forms.Form1()->SerialPort1->Port(),
                                           platform::InstallDir::Path().toStdString());
        });
        QObject::connect(deviceReturns.get(), &app::DeviceReturnWatcher::Returned,
                         mainWindow.data(), &app::TForm1::DeviceReturned);
    }
    // From now on a quit asked for may hand the module over: further requests wait for it,
    // unless they come after its time-out.
    endRequests.SetPatience(app::TForm1::LongestQuit());
    forms.HeadingOutput().Start(options, trace);
    // A request to end that came during the start-up ends it before the window shows; the
    // user had no chance to change a setting, so nothing is saved.
    const bool endedInStartUp = app.Terminated();
    app.ShowMainForm();
    const int code = app.Run();
    if (endRequested && !endedInStartUp)
        SaveSettingsAtTheEnd(*forms.Form1());
    deviceReturns.reset();
    forms.Destroy();
    serial::SetDeviceOpener({}); // lets the trace go, written to its end, before main returns
    return code;
}
