// What the user chose for the heading output, as Ventrose.conf keeps it: each output on or
// off with its address, and whether the true heading (HDT) goes too.
#pragma once

#include "nmea/HeadingSentences.h"
#include "nmea/OutputTarget.h"

#include <QString>

#include <optional>
#include <vector>

class QSettings;

namespace nmea {

struct ShareSettings {
    bool udpOn = false;
    QString udpHost = QStringLiteral("127.0.0.1");
    int udpPort = kDefaultPort;
    bool tcpOn = false;
    QString tcpAddress = QString::fromLatin1(kDefaultTcpAddress);
    int tcpPort = kDefaultPort;
    bool ptyOn = false;
    // The user vouches that the declination of the settings is the place's.
    bool trueHeading = false;

    bool operator==(const ShareSettings &) const = default;

    // The outputs switched on, in the order UDP, TCP, pty.
    std::vector<OutputTarget> Targets() const;
};

// Missing or unreadable keys keep their defaults; a port outside 1..65535 is the default.
ShareSettings LoadShareSettings(const QSettings &file);
void SaveShareSettings(QSettings &file, const ShareSettings &settings);

// The declination worked out for the place that the user applied last: nothing when none
// was, or when what the file holds is not a variation (a half turn at most) and the whole
// degrees of a declination.
std::optional<PlaceVariation> LoadPlaceVariation(const QSettings &file);
// Keeps the place's declination, east positive in degrees (to a tenth), with the whole-degree
// declination the settings were given for it (signed as the readings carry it); returns what
// the readings' sentences will use.
PlaceVariation SavePlaceVariation(QSettings &file, double eastDegrees, long long declination);

} // namespace nmea
