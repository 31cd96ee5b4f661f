#include "dialogs/DialogBase.h"

#include "dialogs/HelpTopics.h"

#include "platform/app/Application.h"
#include "platform/app/Guarded.h"
#include "platform/app/InstallDir.h"
#include "platform/ui/Canvas.h"

#include <QAbstractButton>
#include <QBitmap>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace app {

namespace {

constexpr int GlyphSize = 18;

// Clicks its button when the left mouse button is released over the label.
class LabelClickForwarder : public QObject {
public:
    LabelClickForwarder(QLabel *label, QAbstractButton *button) : QObject(label), button_(button) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && button_->isEnabled())
            button_->click();
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractButton *button_;
};

} // namespace

void CentreOnDesktop(QWidget *window) {
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect desktop = screen->geometry();
    window->move(desktop.left() + (desktop.width() - window->width()) / 2,
                 desktop.top() + (desktop.height() - window->height()) / 2);
}

QIcon LoadGlyph(const QString &fileName) {
    return platform::TransparentIcon(QImage(platform::InstallDir::File(fileName)));
}

void LinkLabelToButton(QLabel *label, QAbstractButton *button) {
    label->installEventFilter(new LabelClickForwarder(label, button));
}

TDialogForm::TDialogForm(MainWindowAccess &mainWindow, const QString &caption, int clientWidth,
                         int clientHeight, Help help)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      mainWindow_(mainWindow), hasHelp_(help == Help::File) {
    setWindowTitle(caption);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(clientWidth, clientHeight);
    CentreOnDesktop(this);
    platform::Application::Instance().RegisterForm(this, [this] { FormActivate(); });
}

void TDialogForm::ShowOnTop() { platform::Application::Instance().ShowForm(this); }

void TDialogForm::HideDialog() { platform::Application::Instance().HideForm(this); }

QString TDialogForm::HelpFile() const { return hasHelp_ ? HelpFilePath() : QString(); }

QPushButton *TDialogForm::MakeBitBtn(QWidget *parent, const QString &caption,
                                     const QString &glyphFile, const QRect &geometry) {
    auto *button = new QPushButton(LoadGlyph(glyphFile), caption, parent);
    button->setIconSize(QSize(GlyphSize, GlyphSize));
    button->setGeometry(geometry);
    return button;
}

void TDialogForm::SetDefaultButton(QPushButton *button) {
    defaultButton_ = button;
    button->setDefault(true);
}

void TDialogForm::keyPressEvent(QKeyEvent *event) {
    // A plain window has no default button of its own: Enter reaches it from any control
    // that does not take it for itself.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain && defaultButton_ != nullptr && defaultButton_->isEnabled()) {
        defaultButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TDialogForm::closeEvent(QCloseEvent *event) {
    // The dialog is never destroyed: its close handler decides what is stored, and hides it.
    event->ignore();
    platform::Guarded([this] { FormClose(); })();
}

} // namespace app
