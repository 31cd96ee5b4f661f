// Opening web and e-mail addresses with the desktop's default programs.
#pragma once

#include <QString>

namespace platform {

class IShell {
public:
    virtual ~IShell() = default;
    // Hands the address (a web address or a "mailto:" URI) to the default program; whether
    // that worked is the desktop's business, as the callers never look.
    virtual void OpenAddress(const QString &address) = 0;
};

class DesktopShell : public IShell {
public:
    void OpenAddress(const QString &address) override;
};

// A "mailto:" URI for the address with a subject, encoded as RFC 6068 asks.
QString MailtoAddress(const QString &address, const QString &subject);

} // namespace platform
