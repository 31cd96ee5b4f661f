#include "link/PortOpenFailure.h"

#include "base/EscapedText.h"
#include "platform/app/InstallDir.h"
#include "serial/devices/PortLinks.h"
#include "serial/port/ESerialPort.h"
#include "serial/port/SerialDevice.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>

#include <grp.h>
#include <sys/stat.h>

namespace app {

QString PortOpenFailureMessage(const serial::ESerialPort &error, const QString &port,
                               const QString &device, const QString &groupOfDevice) {
    const QString component = QString::fromUtf8(error.what());
    if (error.ComErrorCode != 1)
        return component;
    QString advice;
    switch (error.WinErrorCode) {
    case EACCES:
    case EPERM: {
        // The group that may open serial devices is dialout on Debian; a device owned by
        // another group (not root's) names that one instead.
        const QString group = groupOfDevice.isEmpty() || groupOfDevice == QLatin1String("root")
                                  ? QStringLiteral("dialout")
                                  : groupOfDevice;
        advice =
            QCoreApplication::translate(
                "PortOpenFailure", "Le port %1 (%2) existe, mais votre compte n'a pas le droit de "
                                   "l'ouvrir.\nAjoutez-le au groupe %3 (sudo adduser $USER %3), "
                                   "puis fermez votre session et ouvrez-la de nouveau.")
                .arg(port, device, group);
        break;
    }
    case serial::ERROR_FILE_NOT_FOUND:
        advice =
            QCoreApplication::translate(
                "PortOpenFailure", "Le port %1 mène à %2, qui est absent.\nBranchez l'adaptateur, "
                                   "ou choisissez un autre périphérique dans « Port de "
                                   "communication série ».")
                .arg(port, device);
        break;
    case serial::ERROR_ACCESS_DENIED:
        advice = QCoreApplication::translate(
                     "PortOpenFailure", "Le port %1 (%2) est déjà ouvert par un autre programme.\n"
                                        "Fermez ce programme, puis réessayez.")
                     .arg(port, device);
        break;
    default:
        return component;
    }
    return advice + QStringLiteral("\n\n") + component;
}

namespace {

bool portsSimulated = false;

QString SimulatedPortFailureMessage(const serial::ESerialPort &error, const QString &port) {
    const QString component = QString::fromUtf8(error.what());
    if (error.ComErrorCode != 1 || error.WinErrorCode != serial::ERROR_FILE_NOT_FOUND)
        return component;
    return QCoreApplication::translate(
               "PortOpenFailure",
               "Le port %1 mène au module simulé, qui est débranché.\nRebranchez-le "
               "(kill -USR2 %2), puis réessayez.\n\n%3")
        .arg(port, QString::number(QCoreApplication::applicationPid()), component);
}

} // namespace

void SetPortsSimulated(bool simulated) { portsSimulated = simulated; }

QString PortOpenFailureMessage(const serial::ESerialPort &error, const QString &port) {
    if (portsSimulated)
        return SimulatedPortFailureMessage(error, port);
    const std::string device = serial::PortTarget(
        QFile::encodeName(platform::InstallDir::Path()).toStdString(), port.toStdString());
    QString owner;
    struct stat status {};
    if (::stat(device.c_str(), &status) == 0)
        if (const struct group *entry = ::getgrgid(status.st_gid))
            owner = QString::fromLocal8Bit(entry->gr_name);
    // The path's bytes as they are, shown escaped where they are not UTF-8.
    return PortOpenFailureMessage(
        error, port, QString::fromStdString(platform::EscapeUnprintable(device)), owner);
}

} // namespace app
