#include "platform/MessageBoxes.h"

#include "platform/Application.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

MessageBoxService *installed = nullptr;

// One modal box with plain text; returns true when "Oui" was pressed. The box stays
// above the program's dialogs, which are shown at the stay-on-top level.
bool ExecBox(QMessageBox::Icon icon, const QString &title, const QString &text, bool yesNo) {
    QWidget *parent = QApplication::activeModalWidget();
    if (parent == nullptr)
        parent = QApplication::activeWindow();
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.setTextFormat(Qt::PlainText);
    QPushButton *yes = nullptr;
    if (yesNo) {
        yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no); // Escape, the close box and termination answer "Non"
    } else {
        QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    }
    box.exec();
    return yes != nullptr && box.clickedButton() == yes;
}

// Shows a box through the service, reported to the activation model while it shows.
template <typename Result, typename Show>
Result ReportedBox(Result whenTerminated, BoxReturn how, Show show) {
    Application &app = Application::Instance();
    if (app.Terminated())
        return whenTerminated;
    int box = 0; // only its address matters: it identifies this box to the model
    app.BoxShown(&box);
    struct Hide {
        Application &app;
        const void *box;
        BoxReturn how;
        ~Hide() { app.BoxHidden(box, how); }
    } hide{app, &box, how};
    Result result = show(MessageBoxes::Service());
    return app.Terminated() ? whenTerminated : result;
}

} // namespace

void QtMessageBoxService::Information(const QString &text) {
    ExecBox(QMessageBox::Information, QStringLiteral("Information"), text, false);
}

void QtMessageBoxService::Warning(const QString &text) {
    ExecBox(QMessageBox::Warning, QStringLiteral("Avertissement"), text, false);
}

bool QtMessageBoxService::Question(const QString &text) {
    return ExecBox(QMessageBox::Information, QStringLiteral("Information"), text, true);
}

void QtMessageBoxService::Error(const QString &title, const QString &text) {
    ExecBox(QMessageBox::Critical, title, text, false);
}

void MessageBoxes::Information(const QString &text) {
    ReportedBox(true, BoxReturn::Activate, [&](MessageBoxService &service) {
        service.Information(text);
        return true;
    });
}

void MessageBoxes::Warning(const QString &text) {
    ReportedBox(true, BoxReturn::Activate, [&](MessageBoxService &service) {
        service.Warning(text);
        return true;
    });
}

bool MessageBoxes::Question(const QString &text) {
    return ReportedBox(false, BoxReturn::Activate,
                       [&](MessageBoxService &service) { return service.Question(text); });
}

void MessageBoxes::Error(const QString &text, BoxReturn how) {
    const QString title = Application::Instance().Title();
    ReportedBox(true, how, [&](MessageBoxService &service) {
        service.Error(title, text);
        return true;
    });
}

MessageBoxService *MessageBoxes::Install(MessageBoxService *service) {
    MessageBoxService *previous = installed;
    installed = service;
    return previous;
}

MessageBoxService &MessageBoxes::Service() {
    static QtMessageBoxService standard;
    return installed != nullptr ? *installed : standard;
}

} // namespace platform
