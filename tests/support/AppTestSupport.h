// A whole program for the main window's tests: the program's windows on a copy of the shipped
// installation folder, a simulated module on a virtual line, scripted message boxes, a
// player and help engine that record what they were asked for, and stepped time.
#pragma once

#include "dialogs/HelpTopics.h"
#include "mainwindow/Unit1.h"
#include "platform/app/Application.h"
#include "platform/desktop/HelpViewer.h"
#include "platform/media/MediaPlayer.h"
#include "program/Forms.h"
#include "PumpEvents.h"
#include "RecordingMessageBoxService.h"
#include "sim/SimulatedLink.h"
#include "SteppedTime.h"
#include "WireLog.h"

#include <gtest/gtest.h>
#include <QFileInfo>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace app {
inline void PrintTo(const LinkState &state, std::ostream *out) { *out << Describe(state); }
} // namespace app

namespace apptest {

using testsupport::WireLog;

struct RecordingPlayer : platform::IMediaPlayer {
    QString FileName() const override { return fileName; }
    void SetFileName(const QString &name) override { fileName = name; }
    void Open() override {}
    void Play() override { played.push_back(QFileInfo(fileName).fileName()); }

    QString fileName;
    QStringList played;
};

struct RecordingHelp : platform::IHelpViewer {
    void ShowHelpTopic(const QString &, const QString &topic) override { topics << topic; }
    QStringList topics;
};

// The program, created by Start(). The link's timers keep their one second but tick in
// stepped time (see SteppedTime); the simulated module answers a rise of RTS after
// moduleOptions.dsrDelay, 3.5 s, on the same clock.
class ProgramFixture : public ::testing::Test {
protected:
    ProgramFixture();
    ~ProgramFixture() override;
    // Drops the hooks a test set: closing the windows may still show boxes and reopen the
    // port, after the test's own variables are gone.
    void TearDown() override;

    // Creates the windows and shows the main window, as the program's start does.
    void Start();
    // Ends the program, windows, port and module, and starts it again on the same folder.
    void Restart();
    app::TForm1 &Main() { return *forms->Form1(); }
    sim::SimulatedCompass &Module() { return link->Compass(); }
    QString InstallFile(const QString &name) const { return installDir.filePath(name); }
    // Everything the program wrote to its port so far.
    std::string Written() const { return wire.Text(); }
    QByteArray SettingsFile() const;
    void WriteSettings(const QList<QByteArray> &lines);
    // Starts the link and waits until the module has its parameters.
    void LinkUp();
    // What a parameter dialog does: mark the change, hide the main window, show it again.
    void LeaveParameterDialog();
    // Lets the module's next reading reach the main window.
    void NextReading();

    // Handles events until the condition holds or the application ends; false if it did
    // not hold within a generous limit.
    bool PumpUntil(const std::function<bool()> &condition) {
        return testsupport::PumpEventsUntil(condition);
    }
    // Waits, without handling events, for the simulated module (which runs on its own
    // thread) to have taken what the program sent.
    static bool ModuleCatchesUp(const std::function<bool()> &condition) {
        return testsupport::AwaitCondition(condition);
    }

    testsupport::SteppedTime time;
    sim::CompassOptions moduleOptions;
    // Set before Start: wraps the opener of the simulated module (a line trace, say).
    std::function<serial::DeviceOpener(serial::DeviceOpener)> wrapOpener;
    QTemporaryDir installDir;
    std::unique_ptr<sim::SimulatedLink> link;
    WireLog wire;
    int openAttempts = 0; // of the port's device, failed ones included
    std::unique_ptr<platform::Application> application;
    std::unique_ptr<app::Forms> forms;
    RecordingMessageBoxService boxes;
    RecordingPlayer player;
    RecordingHelp help;

private:
    void Stop();

    std::unique_ptr<platform::ScopedMessageBoxService> scopedBoxes_;
    std::unique_ptr<app::ScopedHelpService> scopedHelp_;
};

} // namespace apptest
