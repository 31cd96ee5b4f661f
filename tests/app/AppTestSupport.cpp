#include "AppTestSupport.h"

#include "platform/InstallDir.h"
#include "serial/SerialDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QToolBar>

namespace apptest {

namespace {
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
    serial::SetDeviceOpener(link->Opener());
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

void ProgramFixture::StartLinkAndWait() { Main().ToolButton1->Click(); }

} // namespace apptest
