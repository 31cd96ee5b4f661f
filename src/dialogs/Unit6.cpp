#include "dialogs/Unit6.h"

#include "dialogs/DialogBase.h"
#include "platform/app/Application.h"
#include "platform/app/Errors.h"
#include "platform/app/InstallDir.h"
#include "platform/media/Animation.h"
#include "platform/ui/Canvas.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>

namespace app {

namespace {

QFont WaitFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(19);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

} // namespace

TForm6::TForm6()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(204, 175);
    setCursor(Qt::WaitCursor);
    QPalette background = palette();
    background.setColor(QPalette::Window, platform::ToQColor(platform::clBtnShadow));
    setPalette(background);
    setAutoFillBackground(true);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setGeometry(8, 4, 188, 163);

    Label1 = new QLabel(QCoreApplication::translate("TForm6", "Veuillez patienter..."), GroupBox1);
    Label1->setFont(WaitFont());
    QPalette white = Label1->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(white);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(4, 14, 180, 26);

    Panel1 = new QFrame(GroupBox1);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(45, 52, 97, 97);

    Animate1 = new platform::Animation(Panel1);
    Animate1->setGeometry(8, 8, 81, 81);
    // Loaded now, so that the wait box still turns (and the exchange still runs) if the
    // installation folder goes away later; a clip missing now is reported when the box shows.
    try {
        Animate1->SetFileName(platform::InstallDir::File(QStringLiteral("rose.avi")));
    } catch (const platform::EAviError &) {
    }

    CentreOnDesktop(this);
}

void TForm6::ShowWait() {
    Animate1->SetFileName(platform::InstallDir::File(QStringLiteral("rose.avi")));
    Animate1->SetActive(true);
    platform::Application::Instance().ShowBox(this);
}

void TForm6::HideWait() {
    Animate1->SetActive(false);
    platform::Application::Instance().HideBox(this);
}

} // namespace app
