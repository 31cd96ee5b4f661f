// The compass swing wired into the program: the "Régulation du compas..." dialog, fed with
// the compass heading of every valid reading, the declinations of the settings and of the
// place, and the course over ground of a GNSS receiver read from gpsd once the dialog has
// been opened (the host and port in Ventrose.conf, [gnss] host and port, localhost:2947 by
// default). The dialog itself is made the first time it is asked for.
#pragma once

#include "gnss/CourseReference.h"
#include "swing/SwingDialog.h"

#include <functional>
#include <memory>
#include <optional>

namespace gnss {
class GpsdClient;
}
namespace nmea {
class HeadingShare;
}

namespace app {

class TForm1;

class SwingWiring : public swing::SwingInputs {
public:
    // `cardChanged` runs when the dialog saved a swing (the card in force may have changed).
    SwingWiring(TForm1 &main, const nmea::HeadingShare &share, std::function<void()> cardChanged);
    ~SwingWiring() override; // no reading reaches it any more

    swing::TSwingForm &Form();
    gnss::GpsdClient &Gpsd() const { return *gpsd_; }

    swing::Millis Now() const override;
    std::optional<swing::GnssReference> Reference() const override;
    std::optional<double> SettingsDeclination() const override;
    std::optional<double> PlaceDeclination() const override;

private:
    void Show();
    void GpsdStateChanged();
    std::optional<long long> DeclinationAdded() const;

    TForm1 &main_;
    const nmea::HeadingShare &share_;
    std::function<void()> cardChanged_;
    std::unique_ptr<gnss::GpsdClient> gpsd_;
    gnss::CourseReference course_;
    std::unique_ptr<swing::TSwingForm> form_;
    int subscription_ = -1;
};

} // namespace app
