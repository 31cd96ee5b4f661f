// The family of the port choice and menu style dialogs: two option buttons, each with its
// text to its right, standing for two keywords of one settings slot.
#pragma once

#include "dialogs/PreferenceDialog.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QRadioButton;

namespace app {

// The slot that the two buttons stand for: which button its value selects (0 or 1;
// nullopt for a value that is neither), and how each button is stored.
struct TOptionPairBinding {
    std::function<std::optional<int>(const settings::SettingsView &)> selected;
    std::function<void(settings::SettingsView &, int button)> store;
};

// Binds the buttons to a slot of two values, first and second, through its view's reader
// and writer.
template <typename Value>
TOptionPairBinding BindOptionPair(std::optional<Value> (settings::SettingsView::*read)() const,
                                  void (settings::SettingsView::*write)(Value), Value first,
                                  Value second) {
    return {[=](const settings::SettingsView &view) -> std::optional<int> {
                const std::optional<Value> value = (view.*read)();
                if (!value)
                    return std::nullopt;
                return *value == first ? 0 : 1;
            },
            [=](settings::SettingsView &view, int button) {
                (view.*write)(button == 0 ? first : second);
            }};
}

// What tells one dialog of the family from the other.
struct TOptionPairLayout {
    QString caption;
    QSize client;
    QString groupTitle;
    QRect group;
    QString text1;  // stands for the binding's first value
    QString text2;  // stands for its second value
    QPoint option1; // the buttons' places in the frame; each text is 20 pixels to its right
    QPoint option2;
    QRect helpButton;
    QRect okButton;
    TOptionPairBinding binding;
    QString helpTopic;
};

class TOptionPairForm : public TPreferenceForm {
    Q_OBJECT

public:
    QGroupBox *GroupBox1;
    QRadioButton *RadioButton1;
    QLabel *Label1;
    QRadioButton *RadioButton2;
    QLabel *Label2;

    // Selects the button of the slot's value; any other text leaves the buttons as they are.
    void ShowSlots() override;

protected:
    TOptionPairForm(MainWindowAccess &mainWindow, const TOptionPairLayout &layout);

    // The slot takes the selected button's value (unchanged when neither is selected).
    void StoreControls() override;

private:
    TOptionPairBinding binding_;
};

} // namespace app
