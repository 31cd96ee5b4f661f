// What the dialog tests share: a stand-in main window registered with the activation model,
// and recording message-box and help services.
#pragma once

#include "dialogs/HelpTopics.h"
#include "dialogs/MainWindowAccess.h"
#include "platform/app/Application.h"
#include "platform/app/InstallDir.h"
#include "platform/app/MessageBoxes.h"
#include "platform/desktop/HelpViewer.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <utility>
#include <vector>

namespace app::testing {

class FakeMainWindow : public QWidget, public MainWindowAccess {
public:
    explicit FakeMainWindow(platform::Application &application) {
        application.SetMainForm(this, [this] { ++activations; });
    }

    settings::SettingsStore &Settings() override { return settings; }
    int ParametersChanged() const override { return parametersChanged; }
    void SetParametersChanged(int value) override { parametersChanged = value; }
    int LastRawAngle() const override { return lastRawAngle; }
    int HardwareOptionsValue() const override { return hardwareOptions; }
    void SetHardwareOptionsValue(int value) override { hardwareOptions = value; }
    void ShowMainWindow() override { platform::Application::Instance().ShowMainForm(); }
    void HideMainWindow() override { platform::Application::Instance().HideMainForm(); }
    void PlayEffect(const QString &wavFile) override { sounds.append(wavFile); }

    settings::SettingsStore settings;
    int activations = 0;
    int parametersChanged = 0;
    int lastRawAngle = 0;
    int hardwareOptions = 0;
    QStringList sounds; // the effects it was asked to play
};

class RecordingMessageBoxes : public platform::MessageBoxService {
public:
    void Information(const QString &text) override { shown.append(text); }
    void Warning(const QString &text) override { shown.append(text); }
    bool Question(const QString &text) override {
        shown.append(text);
        return false;
    }
    void Error(const QString &, const QString &text) override { shown.append(text); }

    QStringList shown;
};

class RecordingHelp : public platform::IHelpViewer {
public:
    void ShowHelpTopic(const QString &helpFile, const QString &topic) override {
        requests.emplace_back(helpFile, topic);
    }

    std::vector<std::pair<QString, QString>> requests; // file, topic
};

// A left click on an option's text, as the user makes it.
inline void ClickText(QLabel *label) {
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, label->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, label->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(label, &press);
    QApplication::sendEvent(label, &release);
}

// An application of its own, an empty installation folder, the recording services and the
// main window, shown and active as after start-up.
class DialogTest : public ::testing::Test {
protected:
    DialogTest() {
        platform::InstallDir::Select(installDir.path());
        main.resize(363, 475);
        application.ShowMainForm();
    }
    ~DialogTest() override { platform::InstallDir::Select(QString()); }

    const void *Active() const { return application.Model().Active(); }

    QTemporaryDir installDir;
    platform::Application application;
    RecordingMessageBoxes boxes;
    platform::ScopedMessageBoxService boxesInstalled{boxes};
    RecordingHelp help;
    ScopedHelpService helpInstalled{help};
    FakeMainWindow main{application};
};

} // namespace app::testing
