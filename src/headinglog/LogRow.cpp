#include "headinglog/LogRow.h"

namespace headinglog {

QByteArray LogHeader() {
    return QByteArrayLiteral("heure_utc,brut,LastRawAngle,cap,aiguille,centrage,declinaison");
}

QByteArray FormatLogRow(const LogRow &row) {
    // Qt's own formatting, not the locale's: the time reads the same everywhere and the
    // numbers carry no grouping.
    QByteArray line = row.time.toUTC().toString(Qt::ISODateWithMs).toLatin1();
    for (long long value :
         {static_cast<long long>(row.raw), static_cast<long long>(row.lastRawAngle),
          static_cast<long long>(row.heading), static_cast<long long>(row.needleAngle),
          row.centring, row.declination}) {
        line += ',';
        line += QByteArray::number(value);
    }
    line += '\n';
    return line;
}

} // namespace headinglog
