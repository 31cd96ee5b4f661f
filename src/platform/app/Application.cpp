#include "platform/app/Application.h"

#include "platform/app/Errors.h"
#include "platform/app/Fonts.h"
#include "platform/app/MessageBoxes.h"
#include "platform/app/QtSync.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QWidget>
#include <QWindow>

namespace platform {

namespace {

Application *current = nullptr;

// Forms are known to the model by their QObject address, which is also what the
// event filter sees.
const void *Id(const QObject *object) { return object; }

// While it lives, the event filter leaves Show and Hide to the code that reports them.
class SelfReporting {
public:
    explicit SelfReporting(int &depth) : depth_(depth) { ++depth_; }
    ~SelfReporting() { --depth_; }
    SelfReporting(const SelfReporting &) = delete;
    SelfReporting &operator=(const SelfReporting &) = delete;

private:
    int &depth_;
};

void SetStayOnTop(QWidget *window, bool onTop) {
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
}

} // namespace

Application::Application(QObject *parent)
    : QObject(parent), title_(QStringLiteral("Ventrose")), previous_(current) {
    current = this;
    // Dialogs are hidden, never destroyed; hiding the last visible one must not quit.
    QApplication::setQuitOnLastWindowClosed(false);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &Application::OnFocusWindowChanged);
    InstallQtSynchronize();
    InstallFontSubstitutions();
}

Application::~Application() {
    for (QWidget *form : forms_)
        form->removeEventFilter(this);
    if (current == this)
        current = previous_;
}

Application &Application::Instance() {
    if (current == nullptr)
        new Application(QCoreApplication::instance());
    return *current;
}

void Application::RegisterForm(QWidget *form, std::function<void()> onActivate) {
    if (form == nullptr)
        return;
    if (!forms_.contains(form)) {
        forms_.append(form);
        form->installEventFilter(this);
        connect(form, &QObject::destroyed, this, [this, form] { ForgetForm(form); });
    }
    model_.AddWindow(
        Id(form), [this, onActivate = std::move(onActivate)] { RunActivationHandler(onActivate); },
        form->isVisible());
}

void Application::SetMainForm(QWidget *form, std::function<void()> onActivate) {
    RegisterForm(form, std::move(onActivate));
    mainForm_ = form;
    model_.SetMainWindow(Id(form));
}

QWidget *Application::ActiveForm() const {
    for (QWidget *form : forms_) {
        if (Id(form) == model_.Active())
            return form;
    }
    return nullptr;
}

void Application::ForgetForm(QWidget *form) {
    forms_.removeAll(form);
    if (mainForm_ == form)
        mainForm_ = nullptr;
    model_.RemoveWindow(Id(form));
}

void Application::ShowForm(QWidget *form) {
    {
        SelfReporting quiet(selfReporting_);
        SetStayOnTop(form, true);
        form->show();
        form->raise();
        form->activateWindow(); // keyboard focus; the model does not wait for it
    }
    model_.Shown(Id(form));
}

void Application::HideForm(QWidget *form) {
    {
        SelfReporting quiet(selfReporting_);
        form->hide();
        SetStayOnTop(form, false);
    }
    model_.Hidden(Id(form));
}

void Application::ShowMainForm() {
    if (mainForm_ == nullptr)
        return;
    {
        SelfReporting quiet(selfReporting_);
        mainForm_->show();
        mainForm_->raise();
        mainForm_->activateWindow();
    }
    model_.Shown(Id(mainForm_));
}

void Application::HideMainForm() {
    if (mainForm_ == nullptr)
        return;
    {
        SelfReporting quiet(selfReporting_);
        mainForm_->hide();
    }
    model_.Hidden(Id(mainForm_));
}

void Application::ShowBox(QWidget *box) {
    {
        SelfReporting quiet(selfReporting_);
        SetStayOnTop(box, true);
        box->show();
        box->raise();
    }
    BoxShown(Id(box));
}

void Application::HideBox(QWidget *box) {
    {
        SelfReporting quiet(selfReporting_);
        box->hide();
        SetStayOnTop(box, false);
    }
    BoxHidden(Id(box));
}

void Application::BoxShown(const void *box) { model_.BoxShown(box); }

void Application::BoxHidden(const void *box, BoxReturn how) { model_.BoxHidden(box, how); }

bool Application::eventFilter(QObject *watched, QEvent *event) {
    // Spontaneous Show/Hide come from the window system (minimise, restore): real
    // focus changes cover those. Ours are sent synchronously by show(), hide() and
    // close(), including the close box of a dialog that only hides.
    if (selfReporting_ == 0 && !event->spontaneous()) {
        if (event->type() == QEvent::Show)
            model_.Shown(Id(watched));
        else if (event->type() == QEvent::Hide)
            model_.Hidden(Id(watched));
    }
    return QObject::eventFilter(watched, event);
}

void Application::OnFocusWindowChanged(QWindow *window) {
    // A pop-up menu takes the focus while it shows and gives it back to its window when it
    // closes, after the command chosen from it has run: that return is no choice of the
    // user's, and the command may have made another window active meanwhile.
    const bool backFromPopup = focusInPopup_;
    focusInPopup_ = window != nullptr && window->type() == Qt::Popup;
    if (window == nullptr || selfReporting_ > 0 || backFromPopup)
        return;
    for (QWidget *form : forms_) {
        if (form->windowHandle() == window) {
            model_.FocusChanged(Id(form));
            return;
        }
    }
}

void Application::RunActivationHandler(const std::function<void()> &handler) {
    if (terminated_ || !handler)
        return;
    try {
        handler();
    } catch (...) {
        // Closing this box must not run the same handler again: a lasting fault (a
        // settings file that cannot be written) would bring the box back for ever.
        MessageBoxes::Error(ExceptionMessage(std::current_exception()), BoxReturn::Quietly);
    }
}

void Application::ProcessMessages() {
    SyncQueue &queue = SyncQueue::Instance();
    const bool served = queue.RunPending() > 0;
    if (terminated_)
        return;
    // Block only when nothing was handled yet: a served call may have set the flag
    // that the caller's loop is waiting for.
    QCoreApplication::processEvents(served ? QEventLoop::AllEvents
                                           : QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    queue.RunPending();
}

void Application::Terminate() {
    if (terminated_)
        return;
    terminated_ = true;
    // Close the modal boxes, whose own loops would otherwise keep running.
    CloseModalBoxes();
    if (mainLoop_ != nullptr)
        mainLoop_->exit(0);
    // Wake a wait blocked in ProcessMessages so that it sees the flag.
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

void Application::CloseModalBoxes() {
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *dialog = qobject_cast<QDialog *>(window);
        if (dialog != nullptr && dialog->isVisible() && dialog->isModal())
            dialog->reject();
    }
}

void Application::SetUnattended() {
    unattended_ = true;
    CloseModalBoxes();
}

int Application::Run() {
    if (terminated_)
        return 0;
    QEventLoop loop;
    mainLoop_ = &loop;
    loop.exec();
    mainLoop_ = nullptr;
    // Whatever ended the loop (also a quit() from elsewhere) ends the program.
    Terminate();
    return 0;
}

void Application::ShowException(const QString &message) { MessageBoxes::Error(message); }

void Application::ShowException(std::exception_ptr error) {
    ShowException(ExceptionMessage(error));
}

} // namespace platform
