#include "AppTestSupport.h"

#include "platform/InstallDir.h"
#include "serial/SerialDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QToolBar>

#include <thread>

#include <thread>

namespace apptest {

void WireLog::Append(const void *bytes, std::uint32_t count) {
    std::lock_guard lock(mutex_);
    text_.append(static_cast<const char *>(bytes), count);
}

std::string WireLog::Text() const {
    std::lock_guard lock(mutex_);
    return text_;
}

namespace {

// The program's end of the line, passing every call on and logging what is written.
class LoggingDevice : public serial::SerialDevice {
public:
    LoggingDevice(std::unique_ptr<serial::SerialDevice> device, WireLog &log)
        : device_(std::move(device)), log_(log) {}

    bool SetCommState(const serial::TDCB &dcb) override { return device_->SetCommState(dcb); }
    bool SetCommTimeouts(const serial::TCommTimeouts &t) override {
        return device_->SetCommTimeouts(t);
    }
    bool SetupComm(std::uint32_t in, std::uint32_t out) override {
        return device_->SetupComm(in, out);
    }
    bool EscapeCommFunction(std::uint32_t f) override { return device_->EscapeCommFunction(f); }
    bool GetCommModemStatus(std::uint32_t &s) override { return device_->GetCommModemStatus(s); }
    bool ClearCommError(std::uint32_t &e, serial::TComStat *s) override {
        return device_->ClearCommError(e, s);
    }
    bool SetCommMask(std::uint32_t mask) override { return device_->SetCommMask(mask); }
    bool WaitCommEvent(std::uint32_t &mask, serial::TOverlapped &o) override {
        return device_->WaitCommEvent(mask, o);
    }
    bool ReadFile(void *buffer, std::uint32_t count, std::uint32_t *read,
                  serial::TOverlapped &o) override {
        return device_->ReadFile(buffer, count, read, o);
    }
    bool WriteFile(const void *buffer, std::uint32_t count, std::uint32_t *written,
                   serial::TOverlapped &o) override {
        log_.Append(buffer, count);
        return device_->WriteFile(buffer, count, written, o);
    }
    bool PurgeComm(std::uint32_t flags) override { return device_->PurgeComm(flags); }

private:
    std::unique_ptr<serial::SerialDevice> device_;
    WireLog &log_;
};

QString ShippedDir() {
    const QByteArray source = qgetenv("VENTROSE_SOURCE_DIR");
    return QString::fromLocal8Bit(source.isEmpty() ? QByteArray(".") : source) +
           QStringLiteral("/data/shipped");
}
} // namespace

ProgramFixture::ProgramFixture() {
    const QDir shipped(ShippedDir());
    for (const QString &name : shipped.entryList(QDir::Files))
        QFile::copy(shipped.filePath(name), installDir.filePath(name));
    platform::InstallDir::Select(installDir.path());
    moduleOptions.dsrDelay = std::chrono::milliseconds(3 * tick.count() + tick.count() / 2);
    scopedBoxes_ = std::make_unique<platform::ScopedMessageBoxService>(boxes);
    scopedHelp_ = std::make_unique<app::ScopedHelpService>(help);
}

ProgramFixture::~ProgramFixture() {
    forms.reset();
    application.reset();
    serial::SetDeviceOpener({});
    link.reset();
    platform::InstallDir::Select(QString());
}

void ProgramFixture::Start() {
    link = std::make_unique<sim::SimulatedLink>(moduleOptions);
    serial::SetDeviceOpener([this, open = link->Opener()](const std::string &port) {
        auto device = open(port);
        return device ? std::make_unique<LoggingDevice>(std::move(device), wire) : nullptr;
    });
    application = std::make_unique<platform::Application>();
    forms = std::make_unique<app::Forms>();
    forms->Create();
    Main().SetMediaPlayer(&player);
    Main().Timer1->setInterval(int(tick.count()));
    Main().Timer2->setInterval(int(tick.count()));
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

bool ProgramFixture::PumpUntil(const std::function<bool()> &condition,
                               std::chrono::milliseconds limit) {
    QElapsedTimer elapsed;
    elapsed.start();
    // A timer keeps the blocking pump from sleeping past the limit.
    QTimer wake;
    wake.start(5);
    while (!condition()) {
        if (application->Terminated() || elapsed.elapsed() > limit.count())
            return condition();
        application->ProcessMessages();
    }
    return true;
}

bool ProgramFixture::ModuleCatchesUp(const std::function<bool()> &condition) {
    for (int i = 0; i < 10000 && !condition(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return condition();
}

} // namespace apptest
