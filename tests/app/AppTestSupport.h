// A whole program for the main window's tests: the ten windows on a copy of the shipped
// installation folder, a simulated module on a virtual line, scripted message boxes, and a
// player and help engine that record what they were asked for.
#pragma once

#include "app/Forms.h"
#include "app/Unit1.h"
#include "dialogs/HelpTopics.h"
#include "platform/Application.h"
#include "platform/HelpViewer.h"
#include "platform/MediaPlayer.h"
#include "platform/RecordingMessageBoxService.h"
#include "sim/SimulatedLink.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace apptest {

// What the program handed to its port device, in order, recorded as it writes: unlike
// what the module has read so far, it never lags behind the program.
class WireLog {
public:
    void Append(const void *bytes, std::uint32_t count);
    std::string Text() const;

private:
    mutable std::mutex mutex_;
    std::string text_;
};

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

// The program, created by Start(); the simulated module answers a rise of RTS after
// dsrDelay. The link's timers run at `tick` instead of one second.
class ProgramFixture : public ::testing::Test {
protected:
    ProgramFixture();
    ~ProgramFixture() override;

    // Creates the windows and shows the main window, as the program's start does.
    void Start();
    app::TForm1 &Main() { return *forms->Form1(); }
    sim::SimulatedCompass &Module() { return link->Compass(); }
    QString InstallFile(const QString &name) const { return installDir.filePath(name); }
    // Everything the program wrote to its port so far.
    std::string Written() const { return wire.Text(); }
    QByteArray SettingsFile() const;
    void WriteSettings(const QList<QByteArray> &lines);

    // Handles events until the condition holds or the application ends; false if it
    // did not hold within a generous limit.
    bool PumpUntil(const std::function<bool()> &condition,
                   std::chrono::milliseconds limit = std::chrono::seconds(20));
    // Waits, without handling events, for the simulated module (which runs on its own
    // thread) to have taken what the program sent.
    static bool ModuleCatchesUp(const std::function<bool()> &condition);

    std::chrono::milliseconds tick{40};
    sim::CompassOptions moduleOptions;
    QTemporaryDir installDir;
    std::unique_ptr<sim::SimulatedLink> link;
    WireLog wire;
    std::unique_ptr<platform::Application> application;
    std::unique_ptr<app::Forms> forms;
    RecordingMessageBoxService boxes;
    RecordingPlayer player;
    RecordingHelp help;

private:
    std::unique_ptr<platform::ScopedMessageBoxService> scopedBoxes_;
    std::unique_ptr<app::ScopedHelpService> scopedHelp_;
};

} // namespace apptest
