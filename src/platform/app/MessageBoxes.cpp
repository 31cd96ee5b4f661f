#include "platform/app/MessageBoxes.h"

#include "base/StandardDescriptors.h"
#include "platform/app/Application.h"
#include "platform/app/PlainMessageBox.h"

#include <QApplication>
#include <QCoreApplication>

namespace platform {

namespace {

MessageBoxService *installed = nullptr;

// One modal box with plain text; returns true when "Oui" was pressed. The box stays
// above the program's dialogs, which are shown at the stay-on-top level.
bool ExecBox(PlainMessageBox::Icon icon, const QString &title, const QString &text, bool yesNo) {
    QWidget *parent = QApplication::activeModalWidget();
    if (parent == nullptr)
        parent = QApplication::activeWindow();
    PlainMessageBox box(icon, title, text, yesNo, parent);
    box.exec(); // Escape, the close box and termination answer "Non"
    return box.AnsweredYes();
}

// Shows a box through the service, reported to the activation model while it shows.
template <typename Result, typename Show>
Result ReportedBox(const QString &text, Result whenTerminated, BoxReturn how, Show show) {
    Application &app = Application::Instance();
    if (app.Terminated())
        return whenTerminated;
    if (app.Unattended()) {
        NoteOnStandardError(text.simplified().toStdString());
        return whenTerminated;
    }
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
    ExecBox(PlainMessageBox::Icon::Information,
            QCoreApplication::translate("MessageBoxes", "Information"), text, false);
}

void QtMessageBoxService::Warning(const QString &text) {
    ExecBox(PlainMessageBox::Icon::Warning,
            QCoreApplication::translate("MessageBoxes", "Avertissement"), text, false);
}

bool QtMessageBoxService::Question(const QString &text) {
    return ExecBox(PlainMessageBox::Icon::Information,
                   QCoreApplication::translate("MessageBoxes", "Information"), text, true);
}

bool QtMessageBoxService::WarningQuestion(const QString &text) {
    return ExecBox(PlainMessageBox::Icon::Warning,
                   QCoreApplication::translate("MessageBoxes", "Avertissement"), text, true);
}

void QtMessageBoxService::Error(const QString &title, const QString &text) {
    ExecBox(PlainMessageBox::Icon::Critical, title, text, false);
}

void MessageBoxes::Information(const QString &text) {
    ReportedBox(text, true, BoxReturn::Activate, [&](MessageBoxService &service) {
        service.Information(text);
        return true;
    });
}

void MessageBoxes::Warning(const QString &text) {
    ReportedBox(text, true, BoxReturn::Activate, [&](MessageBoxService &service) {
        service.Warning(text);
        return true;
    });
}

bool MessageBoxes::Question(const QString &text) {
    return ReportedBox(text, false, BoxReturn::Activate,
                       [&](MessageBoxService &service) { return service.Question(text); });
}

bool MessageBoxes::WarningQuestion(const QString &text) {
    return ReportedBox(text, false, BoxReturn::Activate,
                       [&](MessageBoxService &service) { return service.WarningQuestion(text); });
}

void MessageBoxes::Error(const QString &text, BoxReturn how) {
    const QString title = Application::Instance().Title();
    ReportedBox(text, true, how, [&](MessageBoxService &service) {
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
