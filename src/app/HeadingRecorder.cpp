#include "app/HeadingRecorder.h"

#include "platform/MessageBoxes.h"

#include <QTimer>

#include <cstdio>

namespace app {

headinglog::LogRow LogRowOf(const ReadingRecord &reading) {
    return {.time = reading.time,
            .raw = reading.raw,
            .lastRawAngle = reading.lastRawAngle,
            .heading = reading.capAngle,
            .needleAngle = reading.needleAngle,
            .centring = reading.centring,
            .declination = reading.declination};
}

HeadingRecorder::HeadingRecorder(ReadingFeed &feed)
    // On the standard error too: an unattended recording (--log) may have no one to see it.
    : report([](const QString &message) {
          std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
          platform::MessageBoxes::Warning(message);
      }),
      feed_(feed) {}

HeadingRecorder::~HeadingRecorder() {
    if (key_ >= 0)
        feed_.Unsubscribe(key_);
}

QString HeadingRecorder::FailureMessage(const QString &path, const QString &reason, bool started) {
    if (!started)
        return QStringLiteral("Impossible de créer le journal du cap %1 :\n%2").arg(path, reason);
    return QStringLiteral("Impossible d'écrire dans le journal du cap %1 :\n%2\n"
                          "L'enregistrement est arrêté ; la communication avec la boussole "
                          "continue.")
        .arg(path, reason);
}

bool HeadingRecorder::Start(const QString &path) {
    Stop();
    if (!writer_.Open(path)) {
        emit StateChanged();
        return false;
    }
    key_ = feed_.Subscribe([this](const ReadingRecord &reading) { Take(reading); });
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

void HeadingRecorder::Take(const ReadingRecord &reading) {
    if (writer_.Append(LogRowOf(reading)))
        return;
    // The writer closed the file; this listener goes, and the box waits until the port's
    // event that brought the reading is over.
    feed_.Unsubscribe(key_);
    key_ = -1;
    emit StateChanged();
    QTimer::singleShot(0, this, [this, message = FailureMessage(Path(), Error(), true)] {
        if (report)
            report(message);
    });
}

} // namespace app
