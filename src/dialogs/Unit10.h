// The about box: product banner, conditions of use, author and system information.
#pragma once

#include "dialogs/DialogBase.h"
#include "platform/desktop/SystemInfo.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <functional>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace platform {
class IShell;
}
namespace widgets {
class TScrollingText;
}

namespace app {

// The author's web page, e-mail address and the subject of the e-mails the link starts.
extern const QString kAuthorWebAddress;
extern const QString kAuthorMailAddress;
QString AuthorMailSubject(); // in the program's language

// An amount of memory as the about box shows it: the nearest whole number of Ko, its digits
// in groups of three parted by the locale's thousands separator, then " Ko".
QString KiloBytesText(std::uint64_t bytes, const QLocale &locale = QLocale::system());

// The scrolling picture as the about box places it on `parent`: upwards, 50 ms a step, the
// picture `apropos.bmp` of the installation folder alone, stopped.
widgets::TScrollingText *MakeAboutScroller(QWidget *parent);

class TForm10 : public TDialogForm {
    Q_OBJECT

public:
    explicit TForm10(MainWindowAccess &mainWindow);

    QLabel *Image1;
    widgets::TScrollingText *ScrollingText1;
    QFrame *Bevel1;
    QFrame *Panel1;
    QLabel *Label1, *Label2;   // the author notice
    QLabel *Label13, *Label3;  // "Site web :" and its link
    QLabel *Label14, *Label12; // "E-mail :" and its link
    QGroupBox *GroupBox1;
    QLabel *Label8, *Label4;  // available physical memory
    QLabel *Label9, *Label5;  // memory load
    QLabel *Label6, *Label10; // screen resolution
    QLabel *Label7, *Label11; // colour depth
    QPushButton *BitBtn1;     // "&OK"

    // Hides the main window, starts the picture again from just inside the bottom edge,
    // plays the opening sound and measures the computer anew.
    void FormActivate() override;
    // "&OK" and the close box: the scrolling stops, the dialog hides and the main window
    // comes back.
    void BitBtn1Click();
    void FormClose() override { BitBtn1Click(); }
    // Any mouse button on a link opens it with the desktop's program.
    void Label3MouseDown();
    void Label12MouseDown();

    // The shell that opens the links (not owned; nullptr: the desktop's).
    void SetShell(platform::IShell *shell) { shell_ = shell; }
    // Where the memory figures come from (tests give their own).
    void SetMemoryStatusSource(std::function<platform::MemoryStatus()> source) {
        memoryStatus_ = std::move(source);
    }

private:
    void MakeAuthorPanel();
    void MakeSystemGroup();
    void ShowSystemInformation();
    platform::IShell &Shell() const;

    platform::IShell *shell_ = nullptr;
    std::function<platform::MemoryStatus()> memoryStatus_ = platform::QueryMemoryStatus;
};

} // namespace app
