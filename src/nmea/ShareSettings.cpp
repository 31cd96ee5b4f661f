#include "nmea/ShareSettings.h"

#include "compass/Angles.h"

#include <QSettings>

#include <cmath>

namespace nmea {

namespace {

const QString kUdpOn = QStringLiteral("HeadingShare/udp");
const QString kUdpHost = QStringLiteral("HeadingShare/udpHost");
const QString kUdpPort = QStringLiteral("HeadingShare/udpPort");
const QString kTcpOn = QStringLiteral("HeadingShare/tcp");
const QString kTcpAddress = QStringLiteral("HeadingShare/tcpAddress");
const QString kTcpPort = QStringLiteral("HeadingShare/tcpPort");
const QString kPtyOn = QStringLiteral("HeadingShare/pty");
const QString kTrueHeading = QStringLiteral("HeadingShare/trueHeading");
const QString kPlaceVariation = QStringLiteral("HeadingShare/placeVariation");
const QString kPlaceDeclination = QStringLiteral("HeadingShare/placeDeclination");

int PortOr(const QSettings &file, const QString &key, int fallback) {
    bool ok = false;
    const int port = file.value(key).toInt(&ok);
    return ok && port >= 1 && port <= 65535 ? port : fallback;
}

QString TextOr(const QSettings &file, const QString &key, const QString &fallback) {
    const QString text = file.value(key).toString().trimmed();
    return text.isEmpty() ? fallback : text;
}

} // namespace

std::vector<OutputTarget> ShareSettings::Targets() const {
    std::vector<OutputTarget> targets;
    if (udpOn)
        targets.push_back(
            {OutputKind::Udp, udpHost.toStdString(), static_cast<std::uint16_t>(udpPort)});
    if (tcpOn)
        targets.push_back(
            {OutputKind::Tcp, tcpAddress.toStdString(), static_cast<std::uint16_t>(tcpPort)});
    if (ptyOn)
        targets.push_back({OutputKind::Pty, {}, 0});
    return targets;
}

ShareSettings LoadShareSettings(const QSettings &file) {
    ShareSettings settings;
    settings.udpOn = file.value(kUdpOn, settings.udpOn).toBool();
    settings.udpHost = TextOr(file, kUdpHost, settings.udpHost);
    settings.udpPort = PortOr(file, kUdpPort, settings.udpPort);
    settings.tcpOn = file.value(kTcpOn, settings.tcpOn).toBool();
    settings.tcpAddress = TextOr(file, kTcpAddress, settings.tcpAddress);
    settings.tcpPort = PortOr(file, kTcpPort, settings.tcpPort);
    settings.ptyOn = file.value(kPtyOn, settings.ptyOn).toBool();
    settings.trueHeading = file.value(kTrueHeading, settings.trueHeading).toBool();
    return settings;
}

void SaveShareSettings(QSettings &file, const ShareSettings &settings) {
    file.setValue(kUdpOn, settings.udpOn);
    file.setValue(kUdpHost, settings.udpHost);
    file.setValue(kUdpPort, settings.udpPort);
    file.setValue(kTcpOn, settings.tcpOn);
    file.setValue(kTcpAddress, settings.tcpAddress);
    file.setValue(kTcpPort, settings.tcpPort);
    file.setValue(kPtyOn, settings.ptyOn);
    file.setValue(kTrueHeading, settings.trueHeading);
}

std::optional<PlaceVariation> LoadPlaceVariation(const QSettings &file) {
    bool variationOk = false;
    bool declinationOk = false;
    const double east = file.value(kPlaceVariation).toString().toDouble(&variationOk);
    const long long declination =
        file.value(kPlaceDeclination).toString().toLongLong(&declinationOk);
    if (!variationOk || !declinationOk || !std::isfinite(east) || std::fabs(east) > 180 ||
        declination < -180 || declination > 180)
        return std::nullopt;
    return PlaceVariation{static_cast<int>(compass::TenthsOf(east)), declination};
}

PlaceVariation SavePlaceVariation(QSettings &file, double eastDegrees, long long declination) {
    const PlaceVariation place{static_cast<int>(compass::TenthsOf(eastDegrees)), declination};
    file.setValue(kPlaceVariation,
                  QString::number(compass::DegreesOfTenths(place.eastTenths), 'f', 1));
    file.setValue(kPlaceDeclination, QString::number(declination));
    return place;
}

} // namespace nmea
