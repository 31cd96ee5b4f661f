// The program's windows, their activation, the event pump, termination and the error box.
#pragma once

#include "platform/app/ActivationModel.h"

#include <QList>
#include <QObject>
#include <QString>

#include <exception>
#include <functional>

class QEventLoop;
class QWidget;
class QWindow;

namespace platform {

// One per program (tests may create their own, which then stands in for the current
// one until it is destroyed). It keeps the activation model right whatever shows or
// hides a registered form, and runs each form's activation handler when the form
// becomes the program's active window. Main thread only.
class Application : public QObject {
    Q_OBJECT

public:
    explicit Application(QObject *parent = nullptr);
    ~Application() override;
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    // The current application; one is created (owned by QApplication) if none exists.
    static Application &Instance();

    // The title of the error box.
    const QString &Title() const { return title_; }
    void SetTitle(const QString &title) { title_ = title; }

    // Forms: windows that live for the whole program and are shown and hidden. The
    // handler is the form's activation handler (may be empty); an exception it throws
    // is shown in the error box.
    void RegisterForm(QWidget *form, std::function<void()> onActivate);
    void SetMainForm(QWidget *form, std::function<void()> onActivate);
    QWidget *MainForm() const { return mainForm_; }
    // The registered form that is active, or nullptr (none, or a box is active).
    QWidget *ActiveForm() const;
    const ActivationModel &Model() const { return model_; }

    // Shows a form above all windows (stay-on-top level while shown) and activates it.
    void ShowForm(QWidget *form);
    // Hides a form and returns it to the normal window level.
    void HideForm(QWidget *form);
    // Shows (and activates) or hides the main form, at the normal level.
    void ShowMainForm();
    void HideMainForm();

    // A non-modal box such as the wait box: above all windows while it shows, and
    // reported to the activation model as a box.
    void ShowBox(QWidget *box);
    void HideBox(QWidget *box);
    // Reports a box that the caller shows itself (the message boxes).
    void BoxShown(const void *box);
    void BoxHidden(const void *box, BoxReturn how = BoxReturn::Activate);

    // Handles pending events and synchronised calls; when there are none, blocks until
    // the next one arrives. Nested waits call it in a loop:
    //     while (!flag && !app.Terminated()) app.ProcessMessages();
    void ProcessMessages();
    // Ends the program: every wait stops, open modal boxes close, the main loop ends
    // and no further box or activation handler runs.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Nobody may be there to answer a box (the session is ending): the open modal boxes
    // close as their Escape closes them, and from now on a box is not shown; its text
    // goes to standard error and a question is answered "Non".
    void SetUnattended();
    bool Unattended() const { return unattended_; }
    // The main loop; returns once the application is terminated.
    int Run();

    // The error box: the title and the error's message.
    void ShowException(const QString &message);
    void ShowException(std::exception_ptr error);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void RunActivationHandler(const std::function<void()> &handler);
    void OnFocusWindowChanged(QWindow *window);
    void ForgetForm(QWidget *form);
    static void CloseModalBoxes();

    ActivationModel model_;
    QList<QWidget *> forms_;
    QWidget *mainForm_ = nullptr;
    QString title_;
    QEventLoop *mainLoop_ = nullptr;
    bool terminated_ = false;
    bool unattended_ = false;
    int selfReporting_ = 0;     // ShowForm & co. report to the model themselves
    bool focusInPopup_ = false; // the window system's focus is on a pop-up menu
    Application *previous_ = nullptr;
};

} // namespace platform
