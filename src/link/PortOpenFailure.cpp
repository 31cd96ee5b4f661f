#include "link/PortOpenFailure.h"

#include "base/EscapedText.h"
#include "platform/app/InstallDir.h"
#include "serial/Port.h"
#include "serial/RealPorts.h"

#include <QCoreApplication>
#include <QFile>

namespace app {

QString PortOpenFailureMessage(const serial::ESerialPort &error, const QString &port,
                               const serial::OpenFailure &failure) {
    const QString component = QString::fromUtf8(error.what());
    // The path's bytes as they are, shown escaped where they are not UTF-8.
    const QString device = QString::fromStdString(platform::EscapeUnprintable(failure.device));
    QString advice;
    switch (failure.kind) {
    case serial::OpenFailure::Kind::NotPermitted:
        advice =
            QCoreApplication::translate(
                "PortOpenFailure", "Le port %1 (%2) existe, mais votre compte n'a pas le droit de "
                                   "l'ouvrir.\nAjoutez-le au groupe %3 (sudo adduser $USER %3), "
                                   "puis fermez votre session et ouvrez-la de nouveau.")
                .arg(port, device, QString::fromLocal8Bit(failure.groupToJoin));
        break;
    case serial::OpenFailure::Kind::Absent:
        advice =
            QCoreApplication::translate(
                "PortOpenFailure", "Le port %1 mène à %2, qui est absent.\nBranchez l'adaptateur, "
                                   "ou choisissez un autre périphérique dans « Port de "
                                   "communication série ».")
                .arg(port, device);
        break;
    case serial::OpenFailure::Kind::InUse:
        advice = QCoreApplication::translate(
                     "PortOpenFailure", "Le port %1 (%2) est déjà ouvert par un autre programme.\n"
                                        "Fermez ce programme, puis réessayez.")
                     .arg(port, device);
        break;
    case serial::OpenFailure::Kind::Other:
        return component;
    }
    return advice + QStringLiteral("\n\n") + component;
}

namespace {

bool wordedForSimulatedModule = false;

QString SimulatedPortFailureMessage(const serial::ESerialPort &error, const QString &port) {
    const QString component = QString::fromUtf8(error.what());
    if (serial::ClassifyOpenFailure(error.ComErrorCode, error.WinErrorCode, {}, {}).kind !=
        serial::OpenFailure::Kind::Absent)
        return component;
    return QCoreApplication::translate(
               "PortOpenFailure",
               "Le port %1 mène au module simulé, qui est débranché.\nRebranchez-le "
               "(kill -USR2 %2), puis réessayez.\n\n%3")
        .arg(port, QString::number(QCoreApplication::applicationPid()), component);
}

} // namespace

void WordOpenFailuresForSimulatedModule(bool simulated) { wordedForSimulatedModule = simulated; }

QString PortOpenFailureMessage(const serial::ESerialPort &error, const QString &port) {
    if (wordedForSimulatedModule)
        return SimulatedPortFailureMessage(error, port);
    return PortOpenFailureMessage(
        error, port,
        serial::ExamineOpenFailure(error,
                                   QFile::encodeName(platform::InstallDir::Path()).toStdString(),
                                   port.toStdString()));
}

} // namespace app
