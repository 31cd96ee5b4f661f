// The program's start-up time, for scripts/bench: with VENTROSE_REPORT_SHOWN set in the
// environment, the moment the main window is first painted goes to standard error as
// "shown <nanoseconds of the real-time clock>", so that a script that noted the time it
// started the program can tell how long the window took to show.
#pragma once

namespace app {

class Forms;

void ReportFirstPaintWhenAsked(Forms &forms);

} // namespace app
