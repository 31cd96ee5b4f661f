// Ventrose: desktop front end of an RS-232 electronic compass module.
#include "program/CommandLine.h"
#include "program/StartupSteps.h"

#include <string>
#include <vector>

// The start-up, one named step at a time (program/StartupSteps.h says what each does). The
// whole command line is read before the window system is reached: a mistake in it, the help,
// the version and the port list need no display.
int main(int argc, char **argv) {
    app::MakeProcessSafe();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    app::PickLanguage(arguments);
    const app::CommandLine line = app::ParseCommandLine(arguments);
    if (const auto status = app::AnswerWithoutDisplay(line, VENTROSE_VERSION))
        return *status;
    const std::optional<QString> dataDir = app::InstallationFolderAsked(line.options);
    if (!dataDir)
        return app::kUsageErrorStatus;

    app::Startup startup(line.options);
    startup.MakeApplication(argv[0], VENTROSE_VERSION, VENTROSE_APP_ID);
    if (!startup.PrepareInstallationFolder(*dataDir) || !startup.OpenTrace() ||
        !startup.PrepareSimulatedModule())
        return 1;
    startup.ConnectPorts();
    startup.MakeWindows();
    startup.WatchDeviceReturns();
    startup.LetEndRequestsWaitForTheHandOver();
    startup.StartHeadingOutput();
    const int code = startup.Run();
    startup.TakeDown();
    return code;
}
