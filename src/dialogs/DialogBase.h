// What every dialog window does alike: a fixed-size window with a close box, centred on the
// desktop, registered with the application so that its activation handler runs when it
// becomes the active window, shown above all windows and back to the normal level when
// hidden, and leaving by its close box like its "&OK" button.
#pragma once

#include "dialogs/MainWindowAccess.h"

#include <QIcon>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QCloseEvent;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRect;

namespace app {

// Places a window whose client area is not shown yet at the centre of the desktop.
void CentreOnDesktop(QWidget *window);

// A glyph of the installation folder (18 x 18 pictures on a uniform background, the colour
// of their bottom-left pixel, which is made transparent); an empty icon when the file is
// missing or unreadable, since a picture on a button is no reason to fail.
QIcon LoadGlyph(const QString &fileName);

// Makes a click on an option's text act as a click on its box or button, as users expect of
// the text next to an option.
void LinkLabelToButton(QLabel *label, QAbstractButton *button);

class TDialogForm : public QWidget {
    Q_OBJECT

public:
    // Shows the dialog above all windows, without being modal; it becomes the active window.
    void ShowOnTop();
    // Hides the dialog and returns it to the normal window level.
    void HideDialog();

    // The window's help file, empty for a window that offers no help.
    QString HelpFile() const;

protected:
    enum class Help { File, None };

    TDialogForm(MainWindowAccess &mainWindow, const QString &caption, int clientWidth,
                int clientHeight, Help help = Help::File);

    MainWindowAccess &MainWindow() const { return mainWindow_; }
    settings::SettingsStore &Settings() const { return mainWindow_.Settings(); }
    settings::SettingsView View() const { return mainWindow_.View(); }

    // Runs each time the dialog becomes the program's active window.
    virtual void FormActivate() {}
    // The close box. Unless a dialog says otherwise, leaving it this way just hides it.
    virtual void FormClose() { HideDialog(); }

    // A button with a picture and an "&" caption, for the "&OK" and "&Aide" buttons.
    QPushButton *MakeBitBtn(QWidget *parent, const QString &caption, const QString &glyphFile,
                            const QRect &geometry);

    // Makes button the window's default button: drawn as such, and pressed by Enter or the
    // keypad's Enter wherever the focus is in the window, as in any dialog box.
    void SetDefaultButton(QPushButton *button);

    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    MainWindowAccess &mainWindow_;
    bool hasHelp_;
    QPushButton *defaultButton_ = nullptr;
};

} // namespace app
