// A port that cannot be opened: the user reads the cause and what to do, with the serial
// component's own message after it.
#include "AppTestSupport.h"

#include "base/sync.h"
#include "link/PortOpenFailure.h"
#include "platform/app/Errors.h"
#include "serial/Port.h"
#include "serial/RealPorts.h"

namespace apptest {
namespace {

// The wording of each kind of failure the back end reports.
TEST(PortOpenFailure, EachCauseSaysWhatToDoAndKeepsTheSystemError) {
    using Kind = serial::OpenFailure::Kind;
    struct Case {
        serial::ESerialPort error;
        Kind kind;
        const char *group;
        const char *advice; // empty: the component's message alone
    };
    const Case cases[] = {
        {serial::ESerialPort(1, EACCES), Kind::NotPermitted, "dialout",
         "Le port COM2 (/dev/ttyUSB0) existe, mais votre compte n'a pas le droit de l'ouvrir.\n"
         "Ajoutez-le au groupe dialout (sudo adduser $USER dialout), puis fermez votre session "
         "et ouvrez-la de nouveau."},
        {serial::ESerialPort(1, EACCES), Kind::NotPermitted, "uucp",
         "au groupe uucp (sudo adduser $USER uucp)"},
        {serial::ESerialPort(1, ENOENT), Kind::Absent, "",
         "Le port COM2 mène à /dev/ttyUSB0, qui est absent."},
        {serial::ESerialPort(1, EBUSY), Kind::InUse, "",
         "Le port COM2 (/dev/ttyUSB0) est déjà ouvert par un autre programme."},
        {serial::ESerialPort(1, EIO), Kind::Other, "", ""},
    };
    for (const Case &c : cases) {
        serial::OpenFailure failure;
        failure.kind = c.kind;
        failure.device = "/dev/ttyUSB0";
        failure.groupToJoin = c.group;
        const QString message =
            app::PortOpenFailureMessage(c.error, QStringLiteral("COM2"), failure);
        const QString component = QString::fromUtf8(c.error.what());
        SCOPED_TRACE(component.toStdString() + " / " + c.group);
        if (*c.advice == '\0') {
            EXPECT_EQ(message, component);
        } else {
            EXPECT_TRUE(message.contains(QString::fromUtf8(c.advice))) << message.toStdString();
            EXPECT_TRUE(message.endsWith(QStringLiteral("\n\n") + component));
        }
    }
}

// A device path that is no UTF-8 is shown with its odd bytes escaped, not dropped.
TEST(PortOpenFailure, ShowsADevicePathThatIsNoTextEscaped) {
    serial::OpenFailure failure;
    failure.kind = serial::OpenFailure::Kind::Absent;
    failure.device = "/dev/tty\xff";
    const QString message = app::PortOpenFailureMessage(serial::ESerialPort(1, ENOENT),
                                                        QStringLiteral("COM1"), failure);
    EXPECT_TRUE(message.contains(QStringLiteral("mène à /dev/tty\\xff, qui")))
        << message.toStdString();
}

class PortOpenFailureTest : public ProgramFixture {};

TEST_F(PortOpenFailureTest, ActivationOnAPortTheUserMayNotOpenShowsTheAdvice) {
    Start();
    serial::SetDeviceOpener([](const std::string &) -> std::unique_ptr<serial::SerialDevice> {
        serial::SetLastError(EACCES);
        return nullptr;
    });
    Main().HideMainWindow();
    Main().ShowMainWindow();

    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].kind, "Error");
    EXPECT_TRUE(boxes.boxes[0].text.startsWith(QStringLiteral("Le port COM1 (/dev/ttyS0) existe")))
        << boxes.boxes[0].text.toStdString();
    EXPECT_TRUE(boxes.boxes[0].text.contains(QStringLiteral("groupe ")));
    EXPECT_FALSE(Main().SerialPort1->Connected());
}

// On --simulate the ports lead to the simulated module: when its plug is pulled, the
// advice is to put it back, not to plug in an adapter on /dev/ttyS0.
TEST_F(PortOpenFailureTest, LinkStartOnAnUnpluggedSimulatedModuleSaysToPlugItBack) {
    struct Simulated {
        Simulated() { app::WordOpenFailuresForSimulatedModule(true); }
        ~Simulated() { app::WordOpenFailuresForSimulatedModule(false); }
    } simulated;
    Start();
    Main().Settings().Set(settings::ConnectWarningSlot, "OFFAVERTI");
    Module().Unplug();
    ASSERT_TRUE(ModuleCatchesUp([&] {
        platform::SyncQueue::Instance().RunPending();
        return !Main().SerialPort1->Connected();
    }));
    QString text;
    try {
        Main().ToolButton1->Click();
    } catch (...) {
        text = platform::ExceptionMessage(std::current_exception());
    }

    EXPECT_TRUE(text.startsWith(QStringLiteral("Le port COM1 mène au module simulé, qui est "
                                               "débranché.\nRebranchez-le (kill -USR2 ")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("/dev/")));
    EXPECT_FALSE(Main().LinkUp());
}

} // namespace
} // namespace apptest
