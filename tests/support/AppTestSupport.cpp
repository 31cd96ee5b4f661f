#include "AppTestSupport.h"

#include "platform/app/InstallDir.h"
#include "serial/port/SerialDevice.h"
#include "ShippedData.h"

#include <QFile>

namespace apptest {

ProgramFixture::ProgramFixture() {
    testsupport::CopyShippedData(installDir.path());
    platform::InstallDir::Select(installDir.path());
    moduleOptions.dsrDelay = std::chrono::milliseconds(3500);
    moduleOptions.clock = time.Clock();
    scopedBoxes_ = std::make_unique<platform::ScopedMessageBoxService>(boxes);
    scopedHelp_ = std::make_unique<app::ScopedHelpService>(help);
}

ProgramFixture::~ProgramFixture() {
    Stop();
    platform::InstallDir::Select(QString());
}

void ProgramFixture::Stop() {
    forms.reset();
    application.reset();
    serial::SetDeviceOpener({});
    link.reset();
}

void ProgramFixture::Restart() {
    Stop();
    Start();
}

void ProgramFixture::TearDown() {
    boxes.whileShown = {};
    time.beforeTick = {};
    wire.onEvent = {};
    if (forms)
        Main().SerialPort1->OnAfterOpen = {};
}

void ProgramFixture::Start() {
    link = std::make_unique<sim::SimulatedLink>(moduleOptions);
    serial::DeviceOpener opener = link->Opener();
    if (wrapOpener)
        opener = wrapOpener(std::move(opener));
    serial::SetDeviceOpener([this, open = std::move(opener)](const std::string &port) {
        ++openAttempts;
        auto device = open(port);
        return device ? testsupport::LoggingDevice(std::move(device), wire) : nullptr;
    });
    application = std::make_unique<platform::Application>();
    forms = std::make_unique<app::Forms>();
    forms->Create();
    Main().SetMediaPlayer(&player);
    time.Attach(Main(), Module());
    application->ShowMainForm();
}

QByteArray ProgramFixture::SettingsFile() const {
    QFile file(InstallFile(QStringLiteral("Ventrose.inf")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ProgramFixture::WriteSettings(const QList<QByteArray> &lines) {
    QFile file(InstallFile(QStringLiteral("Ventrose.inf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const QByteArray &line : lines)
        file.write(line + "\r\n");
}

void ProgramFixture::LinkUp() {
    Main().ToolButton1->Click();
    ASSERT_TRUE(Main().LinkUp());
    ASSERT_TRUE(ModuleCatchesUp([&] { return Module().LastParameters().has_value(); }));
}

void ProgramFixture::NextReading() {
    const int delivered = time.RxDeliveries();
    time.Advance(moduleOptions.readingPeriod);
    ASSERT_TRUE(PumpUntil([&] { return time.RxDeliveries() > delivered; }));
}

void ProgramFixture::LeaveParameterDialog() {
    Main().SetParametersChanged(1);
    Main().HideMainWindow();
    Main().ShowMainWindow();
}

} // namespace apptest
