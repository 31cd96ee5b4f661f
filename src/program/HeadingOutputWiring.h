// The heading output wired into the program, all in one place: made from the user's saved
// choice and place (Ventrose.conf), fed with each reading the main window publishes, given
// the place's declination when the declination dialog applies one, its problems shown in the
// main window's status bar; and at start, the command line's outputs joined to the user's and
// the problems also written on standard error and into the line trace.
#pragma once

#include <memory>

namespace nmea {
class HeadingShare;
}
namespace serial {
class LineTrace;
}

namespace app {

class TForm1;
class TForm5;
struct Options;

class HeadingOutputWiring {
public:
    // Made, fed and told the place's declination; no output opens before Start.
    HeadingOutputWiring(TForm1 &main, TForm5 &declination);
    ~HeadingOutputWiring(); // no reading reaches it any more
    HeadingOutputWiring(const HeadingOutputWiring &) = delete;
    HeadingOutputWiring &operator=(const HeadingOutputWiring &) = delete;

    nmea::HeadingShare &Share() const { return *share_; }

    // The command line's outputs (and HDT) join the user's, and the outputs open. An
    // unattended run keeps the problems on standard error, where the status bar's next text
    // would hide them, and in the trace when there is one.
    void Start(const Options &options, std::shared_ptr<serial::LineTrace> trace);

private:
    TForm1 &main_;
    std::unique_ptr<nmea::HeadingShare> share_;
    int subscription_ = -1;
};

} // namespace app
