#include "platform/desktop/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

void DesktopShell::OpenAddress(const QString &address) {
    QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

QString MailtoAddress(const QString &address, const QString &subject) {
    // Everything but unreserved characters and "@" is percent-encoded (spaces as %20, never
    // "+", which mail programs would show as is).
    const QByteArray to = QUrl::toPercentEncoding(address, "@");
    const QByteArray header = QUrl::toPercentEncoding(subject);
    return QStringLiteral("mailto:%1?subject=%2")
        .arg(QString::fromLatin1(to), QString::fromLatin1(header));
}

} // namespace platform
