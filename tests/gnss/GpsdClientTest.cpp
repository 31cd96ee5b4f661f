// The client against a real gpsd: gpsfake plays a log of a boat running straight and then
// turning, written here, into a gpsd of its own on a free port. The fixes must reach the
// client as the log has them, and the reference must take the straight run's course, turned
// magnetic with our model; the client must also find gpsd again after it went away.
#include "gnss/GpsdClient.h"
#include "gnss/CourseReference.h"

#include "geomag/Declination.h"

#include "support/Gpsfake.h"
#include "support/PumpEvents.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace gnss {
namespace {

using namespace std::chrono;
using testsupport::FreeTcpPort;
using testsupport::Gpsfake;
using testsupport::PumpEventsUntil;

// The retry waits run when the test says so.
class SteppedRetryTimer final : public RetryTimer {
public:
    void Start(milliseconds after, std::function<void()> due) override {
        pending = true;
        wait = after;
        due_ = std::move(due);
    }
    void Stop() override { pending = false; }
    void Fire() {
        pending = false;
        due_();
    }

    bool pending = false;
    milliseconds wait{};

private:
    std::function<void()> due_;
};

// The log: a boat off Brittany runs 045 at 6 knots, then turns to starboard at 6° a second.
// Its position changes too little in a minute to matter here.
constexpr double Latitude = 47.2, Longitude = -3.2, Knots = 6, StraightCourse = 45;
constexpr int StraightSeconds = 40, TurningSeconds = 20;
const sys_days LogDay = 2026y / December / 8;
const Fix::Time LogStart = LogDay + 12h;

double CourseAt(int second) {
    return std::fmod(StraightCourse + 6 * std::max(0, second - StraightSeconds + 1), 360);
}

// An RMC sentence of that second, with its checksum.
std::string Rmc(int second) {
    char body[96];
    std::snprintf(body, sizeof body,
                  "GPRMC,12%02d%02d.00,A,4712.0000,N,00312.0000,W,%.1f,%.1f,081226,,,A",
                  second / 60, second % 60, Knots, CourseAt(second));
    return testsupport::NmeaSentence(body);
}

class GpsdPeer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        log_ = dir_.filePath("boat.nmea");
        std::ofstream out(log_.toStdString(), std::ios::binary);
        for (int second = 0; second < StraightSeconds + TurningSeconds; ++second)
            out << Rmc(second);
        ASSERT_TRUE(out.good());
    }

    // The client with stepped retries.
    std::unique_ptr<GpsdClient> Client(const QString &port) {
        auto timer = std::make_unique<SteppedRetryTimer>();
        retry_ = timer.get();
        auto client = std::make_unique<GpsdClient>("127.0.0.1", port, std::move(timer));
        QObject::connect(client.get(), &GpsdClient::stateChanged,
                         [this](GpsdState state) { states_.push_back(state); });
        QObject::connect(client.get(), &GpsdClient::fixReceived,
                         [this](const Fix &fix) { fixes_.push_back(fix); });
        return client;
    }

    // Starts gpsfake on the port and waits for its first fix to reach the client, whose
    // failed attempts (gpsd not listening yet) are tried again at once meanwhile.
    bool Feed(std::unique_ptr<Gpsfake> &gpsfake, const QString &port) {
        const std::size_t before = fixes_.size();
        return testsupport::StartGpsfakeUntilFed(
            gpsfake, {GPSFAKE, log_, port, dir_.filePath("gpsfake.out")}, [&] {
                if (retry_->pending)
                    retry_->Fire();
                return fixes_.size() > before;
            });
    }

    QTemporaryDir dir_;
    QString log_;
    SteppedRetryTimer *retry_ = nullptr;
    std::vector<GpsdState> states_;
    std::vector<Fix> fixes_;
};

TEST_F(GpsdPeer, CourseReachesTheClient) {
    const QString port = FreeTcpPort();
    const std::unique_ptr<GpsdClient> client = Client(port);
    CourseReference reference;
    std::vector<CourseVerdict> verdicts;
    QObject::connect(client.get(), &GpsdClient::fixReceived,
                     [&](const Fix &fix) { verdicts.push_back(reference.Add(fix)); });
    client->Start();
    std::unique_ptr<Gpsfake> gpsfake;
    ASSERT_TRUE(Feed(gpsfake, port)) << client->Message().toStdString();

    // Until the reference has taken the straight run and then refused the turn.
    const auto turnRefused = [&] {
        bool usable = false;
        for (const CourseVerdict &v : verdicts) {
            usable = usable || v.usable;
            if (usable && v.refusal == Refusal::CourseUnsteady)
                return true;
        }
        return false;
    };
    ASSERT_TRUE(PumpEventsUntil(turnRefused, seconds(25)))
        << fixes_.size() << " fixes; " << client->Message().toStdString();

    // Each fix is the log's sentence of its second.
    for (const Fix &fix : fixes_) {
        ASSERT_TRUE(fix.time);
        const auto second = static_cast<int>(duration_cast<seconds>(*fix.time - LogStart).count());
        ASSERT_GE(second, 0);
        ASSERT_LT(second, StraightSeconds + TurningSeconds);
        EXPECT_EQ(fix.mode, FixMode::TwoD);
        EXPECT_NEAR(fix.latitude, Latitude, 1e-6);
        EXPECT_NEAR(fix.longitude, Longitude, 1e-6);
        EXPECT_NEAR(fix.course, CourseAt(second), 0.05) << second;
        EXPECT_NEAR(fix.speed, Knots * MetresPerSecondPerKnot, 0.01);
    }
    // The straight run's course, magnetic with our model's declination there that day.
    int usable = 0;
    for (const CourseVerdict &v : verdicts) {
        if (!v.usable)
            continue;
        ++usable;
        const double declination =
            geomag::EstimateDeclination({Latitude, Longitude, 0}, year_month_day{LogDay})
                .declination;
        EXPECT_NEAR(v.trueCourse, StraightCourse, 0.05);
        EXPECT_NEAR(v.magneticCourse, StraightCourse - declination, 0.1);
        EXPECT_LT(duration_cast<seconds>(*v.fix.time - LogStart).count(), StraightSeconds);
    }
    EXPECT_GT(usable, 0);
}

TEST_F(GpsdPeer, ClientFindsGpsdAgainAfterItWentAway) {
    const QString port = FreeTcpPort();
    const std::unique_ptr<GpsdClient> client = Client(port);
    client->Start();
    std::unique_ptr<Gpsfake> gpsfake;
    ASSERT_TRUE(Feed(gpsfake, port)) << client->Message().toStdString();

    // gpsd goes: the loss is told and an attempt is planned, not made at once.
    const std::size_t gone = states_.size();
    gpsfake.reset();
    ASSERT_TRUE(PumpEventsUntil([&] { return client->State() == GpsdState::Lost; }))
        << client->Message().toStdString();
    EXPECT_TRUE(retry_->pending);
    EXPECT_EQ(retry_->wait, GpsdClient::RetryInterval);
    EXPECT_TRUE(client->Message().contains(port));

    // Nobody listens yet: the attempt fails and the next is planned.
    retry_->Fire();
    ASSERT_TRUE(PumpEventsUntil([&] { return client->State() == GpsdState::Unreachable; }))
        << client->Message().toStdString();
    EXPECT_TRUE(retry_->pending);

    // gpsd is back: the client reconnects and the fixes flow again.
    ASSERT_TRUE(Feed(gpsfake, port)) << client->Message().toStdString();
    const std::vector<GpsdState> since(states_.begin() + gone, states_.end());
    ASSERT_GE(since.size(), 5u);
    EXPECT_EQ(since[0], GpsdState::Lost);
    EXPECT_EQ(since[1], GpsdState::Connecting);
    EXPECT_EQ(since[2], GpsdState::Unreachable);
    EXPECT_EQ(since.back(), GpsdState::Connected);
    EXPECT_EQ(client->State(), GpsdState::Connected);

    // Stopped, it plans nothing more.
    client->Stop();
    EXPECT_EQ(client->State(), GpsdState::Stopped);
    EXPECT_FALSE(retry_->pending);
}

} // namespace
} // namespace gnss
