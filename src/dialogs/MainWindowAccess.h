// What the dialogs may use of the main window: its settings store and the few values and
// operations they share with it. The main window implements it; dialogs never see the
// serial port.
#pragma once

#include "settings/SettingsView.h"

#include <QString>

namespace app {

class MainWindowAccess {
public:
    virtual ~MainWindowAccess() = default;

    virtual settings::SettingsStore &Settings() = 0;
    // The slots as the values they stand for.
    settings::SettingsView View() { return settings::SettingsView(Settings()); }

    // Set to 1 by the dialogs that change the module's parameters when they open; the
    // main window's next activation sends the parameters and clears it.
    virtual int ParametersChanged() const = 0;
    virtual void SetParametersChanged(int value) = 0;

    // The latest reading in degrees, before the half turn and the corrections.
    virtual int LastRawAngle() const = 0;

    // The working integer of the hardware options dialog.
    virtual int HardwareOptionsValue() const = 0;
    virtual void SetHardwareOptionsValue(int value) = 0;

    // The parameter dialogs hide the main window while they are open and show it again
    // when they are left; showing it activates it.
    virtual void ShowMainWindow() = 0;
    virtual void HideMainWindow() = 0;

    // Plays a WAV file of the installation folder when the sounds are switched on.
    virtual void PlayEffect(const QString &wavFile) = 0;
};

} // namespace app
