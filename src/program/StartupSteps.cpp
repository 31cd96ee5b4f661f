#include "program/StartupSteps.h"

#include "base/StandardDescriptors.h"
#include "link/DeviceReturnWatcher.h"
#include "link/PortOpenFailure.h"
#include "logwindow/HeadingLog.h"
#include "logwindow/LogOptions.h"
#include "mainwindow/Unit1.h"
#include "nmea/HeadingShare.h"
#include "platform/app/Application.h"
#include "platform/app/Errors.h"
#include "platform/app/InstallDir.h"
#include "platform/app/MessageBoxes.h"
#include "platform/app/PathBytes.h"
#include "platform/app/Translations.h"
#include "program/SimulatedDeviation.h"
#include "program/StartupReport.h"
#include "serial/Devices.h"
#include "serial/Port.h"
#include "serial/RealPorts.h"
#include "serial/Trace.h"
#include "sim/PlugSignals.h"
#include "sim/SimulatedLink.h"

#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <functional>
#include <utility>

namespace app {

namespace {

// Runs on its main loop whatever a thread of the program asks for.
void OnMainLoop(std::function<void()> call) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call), Qt::QueuedConnection);
}

// The quit of the main window does not save the settings itself; a quit asked from outside
// saves them, since the user may have had no chance to leave a dialog.
void SaveSettingsAtTheEnd(TForm1 &mainWindow) {
    try {
        mainWindow.Settings().SaveSettings(
            platform::InstallDir::File(QStringLiteral("Ventrose.inf")));
    } catch (const platform::Exception &error) {
        platform::NoteOnStandardError(error.Message().toStdString());
    }
}

} // namespace

void MakeProcessSafe() {
    platform::OpenMissingStandardDescriptors();
    std::signal(SIGPIPE, SIG_IGN);
}

void PickLanguage(const std::vector<std::string> &arguments) {
    platform::SelectLanguage(LanguageAsked(arguments).value_or(platform::LanguageOfEnvironment()));
}

std::optional<int> AnswerWithoutDisplay(const CommandLine &line, const char *version) {
    const Terminal terminal{stdout, stderr, version,
                            platform::InstallDir::DefaultPath().toStdString()};
    return RunWithoutDisplay(line, terminal);
}

std::optional<QString> InstallationFolderAsked(const Options &options) {
    std::optional<QString> dataDir = platform::PathFromBytes(options.dataDir);
    if (!dataDir)
        std::fputs(UsageErrorText(DataDirNameError(options.dataDir)).c_str(), stderr);
    return dataDir;
}

Startup::Startup(Options options)
    : options_(std::move(options)),
      endRequests_({SIGTERM, SIGHUP, SIGINT}, platform::SignalNotes::Repeat::EndsLater) {}

Startup::~Startup() = default;

void Startup::MakeApplication(char *programName, const char *version, const char *desktopId) {
    QCoreApplication::setApplicationName(QStringLiteral("Ventrose"));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(version));
    // Every argument was read before: a value such as "--data-dir -reverse" must not be
    // taken for one of Qt's own options.
    qtArgv_[0] = programName;
    application_ = std::make_unique<QApplication>(qtArgc_, qtArgv_);
    QGuiApplication::setDesktopFileName(QString::fromUtf8(desktopId));
    platform::Application &app = platform::Application::Instance();
    app.SetTitle(QStringLiteral("Ventrose"));

    // SIGTERM, SIGHUP (the session ends, a kill) and SIGINT (Ctrl+C in a terminal) quit as
    // the user's "Quitter" does: the module is handed over when the link is up, and the
    // settings are saved.
    endNotifier_ =
        std::make_unique<QSocketNotifier>(endRequests_.Descriptor(), QSocketNotifier::Read);
    QObject::connect(endNotifier_.get(), &QSocketNotifier::activated, [this, &app] {
        if (endRequests_.Take().empty() || std::exchange(endRequested_, true))
            return;
        if (mainWindow_)
            mainWindow_->QuitOnRequest();
        else
            app.Terminate(); // closes a start-up box; the start-up goes no further
    });
}

bool Startup::PrepareInstallationFolder(const QString &dataDir) {
    platform::InstallDir::Select(dataDir);
    QString error;
    if (!platform::InstallDir::Prepare(QStringLiteral(":/shipped"), &error)) {
        platform::MessageBoxes::Warning(error);
        return false;
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
    return true;
}

// Made before the port's devices and gone after them, so it records every close. A trace
// that stops (its reader gone, a full disk) is said once, on standard error and in the status
// bar; the program goes on.
bool Startup::OpenTrace() {
    if (options_.trace.empty())
        return true;
    std::string reason;
    serial::LineTraceOptions traceOptions;
    traceOptions.failed = [this](const std::string &) {
        OnMainLoop([this] { NoteTraceFailure(); });
    };
    trace_ = serial::LineTrace::OpenFile(options_.trace, reason, std::move(traceOptions));
    if (trace_)
        return true;
    platform::MessageBoxes::Warning(
        QCoreApplication::translate("main", "Impossible d'ouvrir le fichier de trace %1 :\n%2")
            .arg(QString::fromLocal8Bit(options_.trace), QString::fromLocal8Bit(reason.c_str())));
    return false;
}

void Startup::NoteTraceFailure() {
    traceFailure_ = QCoreApplication::translate("main", "La trace ne peut plus être écrite...");
    if (mainWindow_)
        mainWindow_->ShowStatusNote(traceFailure_);
}

bool Startup::PrepareSimulatedModule() {
    if (!options_.replay.empty()) {
        // A replay that stops before the end of its file (a last line cut short, a damaged
        // line) says so on standard error and in the status bar once the window exists.
        ReplayLoad replay =
            LoadReplay(QString::fromLocal8Bit(options_.replay), [this](const QString &why) {
                OnMainLoop([this, why] { NoteReplayStopped(why); });
            });
        if (!replay.error.isEmpty()) {
            platform::NoteOnStandardError(replay.error.toLocal8Bit().toStdString());
            platform::MessageBoxes::Warning(replay.error);
            return false;
        }
        moduleOptions_.replay = std::move(replay.readings);
    }
    if (options_.simulatedDeviation)
        moduleOptions_.course =
            DeviatedCourse(std::move(moduleOptions_.course), *options_.simulatedDeviation);
    return true;
}

void Startup::NoteReplayStopped(const QString &why) {
    platform::NoteOnStandardError(why.toLocal8Bit().toStdString());
    if (mainWindow_)
        mainWindow_->ShowStatusNote(QString(why).replace(u'\n', u' '));
}

void Startup::ConnectPorts() {
    serial::DeviceOpener opener;
    if (options_.simulate) {
        simulated_ = std::make_unique<sim::SimulatedLink>(std::move(moduleOptions_));
        opener = simulated_->Opener();
        WordOpenFailuresForSimulatedModule(true);
        // SIGUSR1 pulls the simulated module's plug, SIGUSR2 puts it back.
        plug_ = std::make_unique<sim::PlugSignals>();
        auto *notifier =
            new QSocketNotifier(plug_->Descriptor(), QSocketNotifier::Read, application_.get());
        // Putting the plug back is the device's return, as the watcher tells it of a real one.
        QObject::connect(notifier, &QSocketNotifier::activated, [this] {
            if (plug_->Apply(simulated_->Compass()) > 0 &&
                !simulated_->Compass().Line().Unplugged() && mainWindow_)
                mainWindow_->DeviceReturned();
        });
    } else {
        opener = serial::PosixDeviceOpener(platform::InstallDir::Path().toStdString());
    }
    serial::SetDeviceOpener(trace_ ? serial::TracingOpener(std::move(opener), trace_)
                                   : std::move(opener));
    serial::SetExceptionReporter([](const std::exception &e) {
        platform::Application::Instance().ShowException(QString::fromUtf8(e.what()));
    });
}

void Startup::MakeWindows() {
    forms_ = std::make_unique<Forms>();
    forms_->Create();
    ReportFirstPaintWhenAsked(*forms_);
    if (!options_.replay.empty())
        forms_->Log()->Recorder().Protect(QString::fromLocal8Bit(options_.replay));
    if (!options_.log.empty())
        StartUnattendedLog(*forms_->Log(), QString::fromLocal8Bit(options_.log));
    mainWindow_ = forms_->Form1();
    if (!traceFailure_.isEmpty())
        mainWindow_->ShowStatusNote(traceFailure_);
}

void Startup::WatchDeviceReturns() {
    if (options_.simulate)
        return;
    Forms *forms = forms_.get();
    deviceReturns_ = std::make_unique<DeviceReturnWatcher>([forms] {
        return serial::ResolvePortPath(forms->Form1()->SerialPort1->Port(),
                                       platform::InstallDir::Path().toStdString());
    });
    QObject::connect(deviceReturns_.get(), &DeviceReturnWatcher::Returned, mainWindow_.data(),
                     &TForm1::DeviceReturned);
}

void Startup::LetEndRequestsWaitForTheHandOver() {
    endRequests_.SetPatience(TForm1::LongestQuit());
}

// Its problems go to the standard error (an unattended run keeps them where the status bar's
// next text would hide them) and to the trace as well as the status bar.
void Startup::StartHeadingOutput() { forms_->HeadingOutput().Start(options_, trace_); }

int Startup::Run() {
    platform::Application &app = platform::Application::Instance();
    // A request to end that came during the start-up ends it before the window shows; the
    // user had no chance to change a setting, so nothing is saved.
    const bool endedInStartUp = app.Terminated();
    app.ShowMainForm();
    const int code = app.Run();
    if (endRequested_ && !endedInStartUp)
        SaveSettingsAtTheEnd(*forms_->Form1());
    return code;
}

void Startup::TakeDown() {
    deviceReturns_.reset();
    if (forms_)
        forms_->Destroy();
    serial::SetDeviceOpener({}); // lets the trace go, written to its end, before main returns
}

} // namespace app
