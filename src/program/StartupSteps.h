// The program's start-up, step by step, in the order main() takes them: the steps before the
// window system (the process made safe, the language, the command line and its tools), then
// a Startup that makes the application, the installation folder, the trace, the module's
// ports, the windows and the outputs, runs them and takes them down again.
#pragma once

#include "base/SignalNotes.h"
#include "program/CommandLine.h"
#include "program/Forms.h"
#include "sim/SimulatedCompass.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QApplication;
class QSocketNotifier;

namespace serial {
class LineTrace;
}
namespace sim {
class PlugSignals;
class SimulatedLink;
} // namespace sim

namespace app {

class DeviceReturnWatcher;
class TForm1;

// Before anything opens a descriptor: a closed 0, 1 or 2 would be taken by the next one (the
// display's connection), and whatever writes to standard error would write into it. A reader
// of the trace (or of standard error) that goes away is an error to report, not a reason to
// die in the middle of a save: SIGPIPE is ignored.
void MakeProcessSafe();

// The language first (--lang, else the locale's), so that the command line's help and errors
// speak it too.
void PickLanguage(const std::vector<std::string> &arguments);

// The command line's answers that need no display (a mistake in it, the help, the version,
// the port list, the tools): their exit status, or nothing when the program goes on.
std::optional<int> AnswerWithoutDisplay(const CommandLine &line, const char *version);

// The installation folder --data-dir names, its bytes as given whatever the locale's encoding
// makes of them; nothing, with the usage error on standard error, when they are no name.
std::optional<QString> InstallationFolderAsked(const Options &options);

// The start-up once the command line is read, and what it makes, kept until the end.
class Startup {
public:
    // SIGTERM, SIGHUP and SIGINT are caught from here on: before anything of the start-up can
    // wait, so that none of it is cut short. Until the main window exists there is nothing to
    // hand over, and a second request ends the program at once.
    explicit Startup(Options options);
    ~Startup();
    Startup(const Startup &) = delete;
    Startup &operator=(const Startup &) = delete;

    // The Qt application under the program's names, which sees the program's name alone,
    // and the end requests turned into a quit.
    void MakeApplication(char *programName, const char *version, const char *desktopId);
    // Installs or checks the installation folder (false when it cannot be made, said in a
    // box), tells once of a shipped file gone from it, and takes the window icon from it.
    bool PrepareInstallationFolder(const QString &dataDir);
    // The line trace of --trace (false when its file cannot be opened, said in a box).
    bool OpenTrace();
    // The simulated module's course: a --replay file (false when it cannot be read) and a
    // simulated deviation.
    bool PrepareSimulatedModule();
    // Where the port names lead: the simulated module on --simulate, else the real devices,
    // through the trace when there is one; the port's exception reports go to the error box.
    void ConnectPorts();
    // The windows, the first paint's report, the heading log's --replay protection and
    // --log recording.
    void MakeWindows();
    // A real port's device that comes back after it went away starts the lost link again.
    void WatchDeviceReturns();
    // From now on a quit asked for may hand the module over: further requests wait for it,
    // unless they come after its time-out.
    void LetEndRequestsWaitForTheHandOver();
    // The heading output, with the command line's outputs joining the user's.
    void StartHeadingOutput();
    // Shows the main window and runs the event loop: the exit code. A quit asked from outside
    // saves the settings, unless it came during the start-up.
    int Run();
    // Ends the device watch and the windows (closing the port), then lets the trace go,
    // written to its end.
    void TakeDown();

private:
    void NoteTraceFailure();
    void NoteReplayStopped(const QString &why);

    Options options_;
    platform::SignalNotes endRequests_;
    int qtArgc_ = 1;
    char *qtArgv_[2] = {nullptr, nullptr}; // the program's name alone
    std::unique_ptr<QApplication> application_;
    std::unique_ptr<QSocketNotifier> endNotifier_;
    QPointer<TForm1> mainWindow_;
    bool endRequested_ = false;
    std::shared_ptr<serial::LineTrace> trace_;
    QString traceFailure_; // shown once the main window exists, if it failed before
    sim::CompassOptions moduleOptions_;
    std::unique_ptr<sim::SimulatedLink> simulated_;
    std::unique_ptr<sim::PlugSignals> plug_;
    std::unique_ptr<Forms> forms_;
    std::unique_ptr<DeviceReturnWatcher> deviceReturns_;
};

} // namespace app
