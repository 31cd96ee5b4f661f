#include "swing/SwingRecord.h"

#include "compass/Angles.h"
#include "deviation/Curve.h"
#include "settings/OwnSettings.h"

#include <QCoreApplication>
#include <QSettings>

#include <cmath>

namespace swing {

namespace {

const QString kGroup = QStringLiteral("swing");

const char *KindKey(ReferenceKind kind) {
    switch (kind) {
    case ReferenceKind::TypedTrue:
        return "true";
    case ReferenceKind::Gnss:
        return "gnss";
    case ReferenceKind::TypedMagnetic:
        break;
    }
    return "magnetic";
}

std::optional<ReferenceKind> KindOfKey(const QString &key) {
    for (ReferenceKind kind :
         {ReferenceKind::TypedMagnetic, ReferenceKind::TypedTrue, ReferenceKind::Gnss})
        if (key == QLatin1String(KindKey(kind)))
            return kind;
    return std::nullopt;
}

// A heading read back: a number from 0 to 360 (360 read as 0).
std::optional<double> HeadingOf(const QVariant &value) {
    bool ok = false;
    const double degrees = value.toString().toDouble(&ok);
    if (!ok || !std::isfinite(degrees) || degrees < 0 || degrees > 360)
        return std::nullopt;
    return compass::Reduce360Real(degrees);
}

// A coefficient read back: any finite number.
std::optional<double> NumberOf(const QVariant &value) {
    bool ok = false;
    const double number = value.toString().toDouble(&ok);
    return ok && std::isfinite(number) ? std::optional<double>(number) : std::nullopt;
}

QString Written(double value) { return QString::number(value, 'g', 17); }

ApplyChoice LoadApply(const QSettings &file) {
    ApplyChoice apply;
    apply.headingOutput = file.value(kGroup + QStringLiteral("/applyToOutput"), false).toBool();
    apply.headingLog = file.value(kGroup + QStringLiteral("/applyToLog"), false).toBool();
    apply.display = file.value(kGroup + QStringLiteral("/applyToDisplay"), false).toBool();
    return apply;
}

} // namespace

QString KindName(ReferenceKind kind) {
    switch (kind) {
    case ReferenceKind::TypedTrue:
        return QCoreApplication::translate("Swing", "relèvement vrai");
    case ReferenceKind::Gnss:
        return QCoreApplication::translate("Swing", "GNSS");
    case ReferenceKind::TypedMagnetic:
        break;
    }
    return QCoreApplication::translate("Swing", "relèvement magnétique");
}

double MagneticFromTrue(double trueBearing, double eastDeclination) {
    return compass::Reduce360Real(trueBearing - eastDeclination);
}

std::vector<deviation::SwingPoint> SwingRecord::Points() const {
    std::vector<deviation::SwingPoint> points;
    for (const SwingEntry &entry : entries)
        points.push_back({entry.compass, entry.magnetic});
    return points;
}

SwingRecord LoadSwing(QSettings &file) {
    SwingRecord record;
    file.beginGroup(kGroup);
    record.date = file.value(QStringLiteral("date")).toString();
    record.place = file.value(QStringLiteral("place")).toString();
    const int size = file.beginReadArray(QStringLiteral("points"));
    for (int i = 0; i < size; ++i) {
        file.setArrayIndex(i);
        const auto compass = HeadingOf(file.value(QStringLiteral("compass")));
        const auto magnetic = HeadingOf(file.value(QStringLiteral("magnetic")));
        const auto kind = KindOfKey(file.value(QStringLiteral("source")).toString());
        if (!compass || !magnetic || !kind)
            continue;
        record.entries.push_back(
            {*compass, *magnetic, *kind,
             QDateTime::fromString(file.value(QStringLiteral("time")).toString(), Qt::ISODate)});
    }
    file.endArray();
    file.endGroup();
    record.apply = LoadApply(file);
    return record;
}

void SaveSwing(QSettings &file, const SwingRecord &record) {
    file.remove(kGroup);
    file.beginGroup(kGroup);
    file.setValue(QStringLiteral("date"), record.date);
    file.setValue(QStringLiteral("place"), record.place);
    file.beginWriteArray(QStringLiteral("points"), int(record.entries.size()));
    for (std::size_t i = 0; i < record.entries.size(); ++i) {
        const SwingEntry &entry = record.entries[i];
        file.setArrayIndex(int(i));
        file.setValue(QStringLiteral("compass"), Written(entry.compass));
        file.setValue(QStringLiteral("magnetic"), Written(entry.magnetic));
        file.setValue(QStringLiteral("source"), QLatin1String(KindKey(entry.kind)));
        file.setValue(QStringLiteral("time"), entry.taken.toString(Qt::ISODateWithMs));
    }
    file.endArray();
    if (const deviation::FitOutcome outcome = record.Fit(); outcome.fit) {
        const deviation::Coefficients &k = outcome.fit->coefficients;
        file.setValue(QStringLiteral("A"), Written(k.a));
        file.setValue(QStringLiteral("B"), Written(k.b));
        file.setValue(QStringLiteral("C"), Written(k.c));
        file.setValue(QStringLiteral("D"), Written(k.d));
        file.setValue(QStringLiteral("E"), Written(k.e));
        file.setValue(QStringLiteral("rms"), Written(outcome.fit->rms));
    }
    file.setValue(QStringLiteral("applyToOutput"), record.apply.headingOutput);
    file.setValue(QStringLiteral("applyToLog"), record.apply.headingLog);
    file.setValue(QStringLiteral("applyToDisplay"), record.apply.display);
    file.endGroup();
}

CardSettings CardSettings::Load(const QSettings &file) {
    CardSettings loaded;
    loaded.apply_ = LoadApply(file);
    double values[5];
    const char *keys[5] = {"A", "B", "C", "D", "E"};
    for (int i = 0; i < 5; ++i) {
        const auto value = NumberOf(file.value(kGroup + QLatin1Char('/') + QLatin1String(keys[i])));
        if (!value)
            return loaded;
        values[i] = *value;
    }
    const deviation::Coefficients card{values[0], values[1], values[2], values[3], values[4]};
    // A curve that would no longer turn with the craft is no card: the file was edited.
    if (deviation::TurnsWithTheCraft(card))
        loaded.card_ = card;
    return loaded;
}

CardSettings CardSettings::LoadOwn() {
    return Load(settings::OwnSettings(settings::OwnSettingsPath()));
}

double CardSettings::DeviationFor(bool chosen, double compassHeading) const {
    return chosen && card_ ? deviation::DeviationAt(*card_, compassHeading) : 0.0;
}

} // namespace swing
