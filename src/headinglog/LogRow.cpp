#include "headinglog/LogRow.h"

namespace headinglog {

QByteArray LogHeader(LogLayout layout) {
    QByteArray header =
        QByteArrayLiteral("heure_utc,brut,LastRawAngle,cap,aiguille,centrage,declinaison");
    if (layout == LogLayout::WithDeviation)
        header += QByteArrayLiteral(",deviation");
    return header;
}

QByteArray FormatLogRow(const LogRow &row, LogLayout layout) {
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
    if (layout == LogLayout::WithDeviation) {
        line += ',';
        if (row.deviationTenths)
            line += QByteArray::number(*row.deviationTenths);
    }
    line += '\n';
    return line;
}

} // namespace headinglog
