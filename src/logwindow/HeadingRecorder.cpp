#include "logwindow/HeadingRecorder.h"

#include "base/StandardDescriptors.h"
#include "platform/app/MessageBoxes.h"

#include <QCoreApplication>
#include <QFile>

#include <sys/stat.h>

namespace app {

namespace {
std::optional<std::pair<unsigned long long, unsigned long long>> Identity(const QString &path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return std::pair<unsigned long long, unsigned long long>(status.st_dev, status.st_ino);
}
} // namespace

headinglog::LogRow LogRowOf(const compass::Reading &reading,
                            const std::optional<deviation::Coefficients> &card) {
    return {.time = DateTimeOf(reading.time),
            .raw = reading.raw,
            .lastRawAngle = reading.lastRawAngle,
            .heading = reading.capAngle,
            .needleAngle = reading.needleAngle,
            .centring = reading.centring,
            .declination = reading.declination,
            .deviationTenths =
                card ? std::optional<int>(deviation::DeviationTenthsOfRaw(*card, reading.raw))
                     : std::nullopt};
}

headinglog::LogWriterOptions HeadingRecorder::WriterOptions() {
    // Told on the writer's thread or on the reading's path; handled later on the window's.
    headinglog::LogWriterOptions options;
    options.failed = [this] {
        QMetaObject::invokeMethod(
            this, [this] { Failed(); }, Qt::QueuedConnection);
    };
    options.losing = [this] {
        QMetaObject::invokeMethod(
            this, [this] { Losing(); }, Qt::QueuedConnection);
    };
    return options;
}

HeadingRecorder::HeadingRecorder(ReadingFeed &feed)
    // On the standard error too: an unattended recording (--log) may have no one to see it.
    : report([](const QString &message) {
          platform::NoteOnStandardError(message.toLocal8Bit().toStdString());
          platform::MessageBoxes::Warning(message);
      }),
      feed_(feed), writer_(WriterOptions()) {}

HeadingRecorder::~HeadingRecorder() {
    if (key_ >= 0)
        feed_.Unsubscribe(key_);
}

QString HeadingRecorder::FailureMessage(const QString &path, const QString &reason, bool started) {
    if (!started)
        return QCoreApplication::translate("HeadingRecorder",
                                           "Impossible de créer le journal du cap %1 :\n%2")
            .arg(path, reason);
    return QCoreApplication::translate(
               "HeadingRecorder", "Impossible d'écrire dans le journal du cap %1 :\n%2\n"
                                  "L'enregistrement est arrêté ; la communication avec la boussole "
                                  "continue.")
        .arg(path, reason);
}

QString HeadingRecorder::Error() const { return refusal_.isEmpty() ? writer_.Error() : refusal_; }

void HeadingRecorder::Protect(const QString &path) { protected_ = Identity(path); }

bool HeadingRecorder::Start(const QString &path, Existing existing) {
    Stop();
    refusal_.clear();
    if (protected_ && Identity(path) == protected_) {
        refusal_ = QCoreApplication::translate(
            "HeadingRecorder",
            "c'est le journal relu : il n'est pas remplacé pendant sa relecture");
        emit StateChanged();
        return false;
    }
    const auto layout = card_ ? headinglog::LogLayout::WithDeviation : headinglog::LogLayout::Plain;
    if (!writer_.Open(path, existing, layout)) {
        emit StateChanged();
        return false;
    }
    key_ = feed_.Subscribe([this](const compass::Reading &reading) { Take(reading); });
    emit StateChanged();
    return true;
}

void HeadingRecorder::Stop() {
    if (key_ < 0)
        return;
    feed_.Unsubscribe(key_);
    key_ = -1;
    writer_.Close();
    emit StateChanged();
}

// Queues the row: nothing on the reading's path waits for the file.
void HeadingRecorder::Take(const compass::Reading &reading) {
    writer_.Append(LogRowOf(reading, card_));
}

void HeadingRecorder::Failed() {
    if (key_ < 0)
        return;
    Stop();
    if (report)
        report(FailureMessage(Path(), Error(), true));
}

void HeadingRecorder::Losing() {
    if (key_ >= 0 && report)
        report(
            QCoreApplication::translate(
                "HeadingRecorder",
                "Le journal du cap %1 ne suit plus les mesures : celles qu'il ne peut prendre "
                "sont perdues (le disque ou le programme qui le lit ne suit pas). L'enregistrement "
                "continue.")
                .arg(Path()));
}

} // namespace app
