// The program's modal message boxes, in the program's language, behind a service that tests
// can replace.
#pragma once

#include "platform/app/ActivationModel.h"

#include <QString>

namespace platform {

// What actually shows a box. Texts are shown exactly as given (plain text, leading
// blanks and line breaks kept).
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual void Information(const QString &text) = 0;
    virtual void Warning(const QString &text) = 0;
    // An information box with "Oui" and "Non"; true for "Oui".
    virtual bool Question(const QString &text) = 0;
    // A warning box with "Oui" and "Non"; true for "Oui". A service that shows both kinds
    // of question alike may leave it to Question.
    virtual bool WarningQuestion(const QString &text) { return Question(text); }
    // The error box: the application's title, the error's message, "OK".
    virtual void Error(const QString &title, const QString &text) = 0;
};

// The default service: real modal boxes (PlainMessageBox).
class QtMessageBoxService : public MessageBoxService {
public:
    void Information(const QString &text) override;
    void Warning(const QString &text) override;
    bool Question(const QString &text) override;
    bool WarningQuestion(const QString &text) override;
    void Error(const QString &title, const QString &text) override;
};

// What the program calls. Each box is reported to the activation model while it
// shows, so the handler of the window that becomes active when it closes has run
// before the call returns. Once the application is terminating no box is shown:
// Question answers "Non".
class MessageBoxes {
public:
    static void Information(const QString &text);
    static void Warning(const QString &text);
    static bool Question(const QString &text);
    static bool WarningQuestion(const QString &text);
    // The error box, with the application's title.
    static void Error(const QString &text, BoxReturn how = BoxReturn::Activate);

    // Installs a service process-wide (not owned) and returns the previous one;
    // nullptr restores the default.
    static MessageBoxService *Install(MessageBoxService *service);
    static MessageBoxService &Service();
};

// Installs a service for the lifetime of the object (tests).
class ScopedMessageBoxService {
public:
    explicit ScopedMessageBoxService(MessageBoxService &service)
        : previous_(MessageBoxes::Install(&service)) {}
    ~ScopedMessageBoxService() { MessageBoxes::Install(previous_); }
    ScopedMessageBoxService(const ScopedMessageBoxService &) = delete;
    ScopedMessageBoxService &operator=(const ScopedMessageBoxService &) = delete;

private:
    MessageBoxService *previous_;
};

} // namespace platform
