// The wait box: a borderless box with an animation, shown while the main window exchanges
// commands with the compass module.
#pragma once

#include <QWidget>

class QFrame;
class QGroupBox;
class QLabel;

namespace platform {
class Animation;
}

namespace app {

// It has no behaviour of its own: the main window shows and hides it around each exchange.
// It is reported to the activation model as a box, and never takes the keyboard focus.
class TForm6 : public QWidget {
    Q_OBJECT

public:
    TForm6();

    QGroupBox *GroupBox1;
    QLabel *Label1;
    QFrame *Panel1;
    platform::Animation *Animate1;

    // Starts the clip rose.avi and shows the box above all windows. A clip that cannot be
    // opened raises EAviError before anything is shown.
    void ShowWait();
    // Stops the clip and hides the box, which returns the activation to the window that
    // had it before (the main window).
    void HideWait();
};

} // namespace app
