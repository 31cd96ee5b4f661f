// The heading log in the whole program: recording, replay, a file that fails, the window.
#include "logwindow/HeadingLog.h"
#include "AppTestSupport.h"
#include "headinglog/LogReader.h"
#include "logwindow/HeadingChart.h"
#include "logwindow/HeadingLogWindow.h"
#include "logwindow/LogOptions.h"
#include "mainwindow/Heading.h"
#include "serial/trace/TracedDevice.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

namespace apptest {
namespace {

using namespace std::chrono_literals;

std::vector<int> Raws(const std::vector<headinglog::LogRow> &rows) {
    std::vector<int> raws;
    for (const auto &row : rows)
        raws.push_back(row.raw);
    return raws;
}

std::vector<headinglog::LogRow> Rows(const QString &path) {
    const headinglog::LogReadResult read = headinglog::ReadLogFile(path);
    EXPECT_FALSE(read.error) << (read.error ? read.error->reason.toStdString() : "");
    return read.rows;
}

// The program with the readings stamped on the stepped clock.
class HeadingLogProgram : public ProgramFixture {
protected:
    void StartStepped() {
        Start();
        Main().Readings().SetClock([this] { return base.addMSecs(time.Now().count()); });
    }
    app::HeadingLog &Log() { return *forms->Log(); }
    // Moves the clock by `by` one action of the module at a time: each reading reaches the
    // main window before the module sends the next, so none run together on the line.
    void Run(std::chrono::milliseconds by) {
        const auto end = time.Clock()->Now() + by;
        while (Module().NextDeadline() <= end) {
            const int sent = Module().ReadingsSent();
            const int delivered = time.RxDeliveries();
            time.Advance(std::chrono::duration_cast<std::chrono::milliseconds>(
                Module().NextDeadline() - time.Clock()->Now()));
            if (Module().ReadingsSent() != sent) {
                ASSERT_TRUE(PumpUntil([&] { return time.RxDeliveries() > delivered; }));
            }
        }
        time.Advance(
            std::chrono::duration_cast<std::chrono::milliseconds>(end - time.Clock()->Now()));
    }
    // Ends the program as it ends at a quit: windows gone, then the port's opener.
    void EndProgram() {
        forms.reset();
        application.reset();
        serial::SetDeviceOpener({});
        link.reset();
    }

    const QDateTime base =
        QDateTime::fromString(QStringLiteral("2026-03-14T09:00:00.000Z"), Qt::ISODateWithMs);
    QTemporaryDir folder;
};

TEST_F(HeadingLogProgram, EveryReadingOfTheTraceIsOneRowWithTheHeadingTheDialShowed) {
    std::mutex mutex;
    std::string traced;
    auto trace = std::make_shared<serial::LineTrace>([&](std::string_view lines) {
        std::lock_guard lock(mutex);
        traced += lines;
        return long(lines.size());
    });
    wrapOpener = [&](serial::DeviceOpener opener) {
        return serial::TracingOpener(std::move(opener), trace);
    };
    // Centring and declination that move the heading away from the raw angle.
    QList<QByteArray> lines = SettingsFile().split('\n').mid(0, 30);
    for (QByteArray &line : lines)
        line = line.trimmed();
    lines[7] = "-", lines[8] = "3", lines[9] = "+", lines[10] = "5";
    WriteSettings(lines);

    StartStepped();
    const QString path = folder.filePath(QStringLiteral("journal.csv"));
    ASSERT_TRUE(app::StartUnattendedLog(Log(), path)); // as --log does, before the link
    std::vector<int> shown;
    Main().Readings().Subscribe([&](const compass::Reading &) {
        const QRegularExpressionMatch number =
            QRegularExpression(QStringLiteral("(\\d+)°")).match(Main().Label10->text());
        shown.push_back(number.hasMatch() ? number.captured(1).toInt() : -1);
    });
    LinkUp();
    Run(6s);
    EndProgram();
    trace.reset(); // writes out all it holds

    std::vector<int> tracedReadings;
    const QRegularExpression read(QStringLiteral(R"re(<- "([^"]*)")re"));
    for (const QRegularExpressionMatch &m : read.globalMatch(QString::fromStdString(traced)))
        if (const auto reading = app::ParseReading(m.captured(1).toStdString()))
            tracedReadings.push_back(*reading);

    const std::vector<headinglog::LogRow> rows = Rows(path);
    ASSERT_GE(rows.size(), 25u); // six seconds at five readings a second
    EXPECT_EQ(Raws(rows), tracedReadings);
    std::vector<int> headings;
    for (const auto &row : rows) {
        headings.push_back(row.heading);
        EXPECT_EQ(row.centring, 5);
        EXPECT_EQ(row.declination, -3);
    }
    EXPECT_EQ(headings, shown);
    for (std::size_t i = 1; i < rows.size(); ++i)
        EXPECT_EQ(rows[i - 1].time.msecsTo(rows[i].time), 200) << i;
}

TEST_F(HeadingLogProgram, AReplayedLogRecordsTheSameReadingsAtTheSamePace) {
    const QString first = folder.filePath(QStringLiteral("first.csv"));
    const QString second = folder.filePath(QStringLiteral("second.csv"));
    StartStepped();
    ASSERT_TRUE(app::StartUnattendedLog(Log(), first));
    LinkUp();
    // An uneven pace, which the replay has to keep reading by reading.
    for (auto period : {200ms, 130ms, 370ms, 90ms, 250ms}) {
        Module().SetReadingPeriod(period);
        Run(1500ms);
    }
    EndProgram();
    const std::vector<headinglog::LogRow> recorded = Rows(first);
    ASSERT_GE(recorded.size(), 30u);

    app::ReplayLoad replay = app::LoadReplay(first);
    ASSERT_TRUE(replay.error.isEmpty()) << replay.error.toStdString();
    moduleOptions.replay = std::move(replay.readings);
    StartStepped();
    ASSERT_TRUE(app::StartUnattendedLog(Log(), second));
    LinkUp();
    Run(std::chrono::milliseconds(recorded.front().time.msecsTo(recorded.back().time)) + 2s);
    EndProgram();

    const std::vector<headinglog::LogRow> replayed = Rows(second);
    EXPECT_EQ(Raws(replayed), Raws(recorded));
    ASSERT_EQ(replayed.size(), recorded.size());
    for (std::size_t i = 1; i < recorded.size(); ++i) {
        const qint64 was = recorded[i - 1].time.msecsTo(recorded[i].time);
        const qint64 is = replayed[i - 1].time.msecsTo(replayed[i].time);
        EXPECT_LE(std::abs(is - was), 10) << "reading " << i;
    }
}

TEST_F(HeadingLogProgram, AFileThatCannotBeWrittenIsToldOnceAndTheLinkGoesOn) {
    std::signal(SIGPIPE, SIG_IGN);
    // A pipe whose reader leaves fails the next write, as a full disk does.
    const QByteArray fifo = folder.filePath(QStringLiteral("fifo")).toLocal8Bit();
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    const int reader = open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    StartStepped();
    ASSERT_TRUE(app::StartUnattendedLog(Log(), QString::fromLocal8Bit(fifo)));
    LinkUp();
    Run(1s);
    ASSERT_GT(Log().Recorder().Rows(), 0);
    close(reader);

    int readings = 0;
    Main().Readings().Subscribe([&](const compass::Reading &) { ++readings; });
    std::vector<QString> warnings;
    boxes.whileShown = [&] {
        if (boxes.boxes.back().kind == "Warning")
            warnings.push_back(boxes.boxes.back().text);
    };
    Run(3s);
    ASSERT_TRUE(PumpUntil([&] { return !warnings.empty(); }));
    Run(2s);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(
        warnings[0].startsWith(QStringLiteral("Impossible d'écrire dans le journal du cap")));
    EXPECT_FALSE(Log().Recorder().Recording());
    EXPECT_TRUE(Main().LinkUp());
    EXPECT_GE(readings, 20); // five seconds of readings after the failure
}

TEST_F(HeadingLogProgram, TheWindowFollowsTheReadingsOnlyWhileItShows) {
    StartStepped();
    LinkUp();
    // Nothing is paid while it is closed: the heading output listens on its own.
    const std::size_t listenersClosed = Main().Readings().ListenerCount();
    Main().Journalducap1->Click();
    app::HeadingLogWindow &window = Log().Window();
    ASSERT_TRUE(window.isVisible());
    window.SpanBox->setCurrentIndex(window.SpanBox->findData(10));

    std::vector<double> headings;
    const int key = Main().Readings().Subscribe(
        [&](const compass::Reading &reading) { headings.push_back(reading.capAngle); });
    // A module that turns a full circle in about four seconds.
    Module().SetCourse([](std::chrono::milliseconds t) { return int(t.count() / 200 * 13 % 255); });
    Run(6s);
    Main().Readings().Unsubscribe(key);
    window.Refresh();
    const headinglog::CircularStats expected = headinglog::CircularStatistics(headings);
    EXPECT_EQ(window.CountLabel->text(), QString::number(headings.size()));
    EXPECT_EQ(window.MeanLabel->text(), app::DegreesText(expected.mean));
    EXPECT_EQ(window.DeviationLabel->text(), app::DegreesText(expected.deviation));
    // A full turn goes round the axis's ends, and no line crosses the chart.
    const auto pieces = window.Chart->Pieces();
    EXPECT_GE(pieces.size(), 2u);
    for (const auto &piece : pieces)
        for (qsizetype i = 1; i < piece.size(); ++i)
            EXPECT_LE(std::abs(piece[i].y() - piece[i - 1].y()), 180.0);

    window.close();
    EXPECT_EQ(Main().Readings().ListenerCount(), listenersClosed);

    // Recording from the window: the proposed file is in the installation folder.
    QString proposed;
    window.chooseFile = [&](const QString &, const QString &path, const QString &) {
        proposed = path;
        return path.endsWith(QStringLiteral(".png")) ? folder.filePath(QStringLiteral("chart.png"))
                                                     : folder.filePath(QStringLiteral("log.csv"));
    };
    Main().Journalducap1->Click();
    window.RecordButton->click();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^journal-\\d{8}-\\d{6}\\.csv$"))
                    .match(QFileInfo(proposed).fileName())
                    .hasMatch())
        << proposed.toStdString();
    EXPECT_EQ(QFileInfo(proposed).absolutePath(), QFileInfo(installDir.path()).absoluteFilePath());
    EXPECT_TRUE(Log().Recorder().Recording());
    window.StopButton->click();
    EXPECT_FALSE(Log().Recorder().Recording());

    window.HelpButton->click();
    EXPECT_EQ(help.topics, QStringList{QStringLiteral("journal")});

    window.ExportButton->click();
    const QImage picture(folder.filePath(QStringLiteral("chart.png")));
    // The chart under a band that says what it shows.
    EXPECT_EQ(picture.width(), window.Chart->width());
    EXPECT_GT(picture.height(), window.Chart->height());
    const QString caption = window.PictureCaption().join(QLatin1Char('\n'));
    const QString day = Main().Readings().Now().toString(QStringLiteral("yyyy-MM-dd"));
    for (const QString &part : {QStringLiteral("10 minute"), day, window.MeanLabel->text(),
                                window.DeviationLabel->text(), window.CountLabel->text()})
        EXPECT_TRUE(caption.contains(part))
            << part.toStdString() << " in " << caption.toStdString();
}

// Every span the window offers draws a steady heading as one line, and a lone reading as a
// point that shows.
TEST_F(HeadingLogProgram, EachSpanDrawsASteadyHeadingAsALine) {
    std::int64_t now = 0;
    StartStepped();
    Main().Readings().SetClock([&] { return base.addMSecs(now); });
    Main().Journalducap1->Click();
    app::HeadingLogWindow &window = Log().Window();
    auto publish = [&](int heading) {
        compass::Reading reading;
        reading.time = app::ReadingTimeOf(Main().Readings().Now());
        reading.capAngle = heading;
        Main().Readings().Publish(reading);
    };
    for (int minutes : app::HeadingLogWindow::kSpans) {
        SCOPED_TRACE(minutes);
        window.SetSpanMinutes(minutes);
        // Five readings a second over the whole span.
        for (std::int64_t end = now + minutes * 60 * 1000; now < end; now += 200)
            publish(123);
        window.Refresh();
        const auto pieces = window.Chart->Pieces();
        ASSERT_EQ(pieces.size(), 1u);
        EXPECT_GE(pieces[0].size(), 2);
        EXPECT_GE(pieces[0].back().x() - pieces[0].front().x(), minutes * 60 * 1000 * 0.9);
        for (const QPointF &point : pieces[0])
            EXPECT_EQ(point.y(), 123);
    }
    // A pause longer than the span, then one reading.
    now += 2 * 60 * 60 * 1000;
    publish(200);
    window.Refresh();
    const auto pieces = window.Chart->Pieces();
    ASSERT_EQ(pieces.size(), 1u);
    ASSERT_EQ(pieces[0].size(), 1);
    EXPECT_EQ(window.Chart->Dots(), pieces[0]);
}

// No recording empties the log being replayed (one already there is the writer's test).
TEST_F(HeadingLogProgram, NoRecordingReplacesTheReplayedLog) {
    StartStepped();
    std::vector<QString> reports;
    Log().Recorder().report = [&](const QString &message) { reports.push_back(message); };
    const QString replayed = folder.filePath(QStringLiteral("same.csv"));
    const QByteArray text =
        headinglog::LogHeader() + "\n2026-03-14T09:26:53.589Z,0,360,180,180,0,0\n";
    QFile file(replayed);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    Log().Recorder().Protect(replayed);
    EXPECT_FALSE(app::StartUnattendedLog(Log(), replayed));
    EXPECT_FALSE(Log().Recorder().Recording());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("journal relu"))) << reports[0].toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), text);
    // The window's recording, once the user agreed to replace, still spares the replayed one.
    Log().Window().chooseFile = [&](const QString &, const QString &, const QString &) {
        return replayed;
    };
    Log().Window().RecordClick();
    EXPECT_FALSE(Log().Recorder().Recording());
}

// What --replay makes of files that are no log, or logs that are damaged: refused at once,
// never waited on, read in bounded memory; a log that breaks off is replayed up to the break,
// which is told; close or equal times and far dates never run readings together.
TEST(ReplayLoad, HostileInputsAreRefusedOrReplayedUpToWhereTheyBreak) {
    const QByteArray header = headinglog::LogHeader() + '\n';
    auto row = [](const char *time, int raw) {
        return QByteArray(time) + ',' + QByteArray::number(raw) + ",360,180,180,0,0\n";
    };
    const QByteArray a = row("2026-12-08T01:18:45.800Z", 7), b = row("2026-12-08T01:18:46.000Z", 8);
    QTemporaryDir dir;
    auto file = [&](const char *name, const QByteArray &text) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return f.fileName();
    };
    int pipeEnds[2] = {-1, -1}; // a pipe with a writer that has written
    ASSERT_EQ(::pipe(pipeEnds), 0);
    ASSERT_EQ(::write(pipeEnds[1], header.constData(), static_cast<std::size_t>(header.size())),
              header.size());
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString endless = file("endless.csv", {});
    ASSERT_EQ(::truncate(QFile::encodeName(endless).constData(), 1LL << 32), 0); // 4 GiB of NULs
    QByteArray burst = header;
    std::vector<int> burstRaws(25);
    std::iota(burstRaws.begin(), burstRaws.end(), 0);
    for (int raw : burstRaws) // five on one time, then twenty on another
        burst += row(raw < 5 ? "2026-12-08T01:18:46.000Z" : "2026-12-08T01:18:46.200Z", raw);

    struct Case {
        const char *name;
        QString path;
        const char *says;      // a part of the refusal, or of the message of a replay that
                               // stops before the end
        std::vector<int> raws; // the readings replayed; none: refused at once
    };
    const char *notAFile = "n'est pas un fichier ordinaire";
    const Case cases[] = {
        {"a device that never ends", QStringLiteral("/dev/zero"), notAFile, {}},
        {"a pipe", QStringLiteral("/proc/self/fd/%1").arg(pipeEnds[0]), notAFile, {}},
        {"a named pipe without a writer", fifo, notAFile, {}},
        {"a folder", dir.path(), notAFile, {}},
        {"a file of one endless line", endless, "ligne 1", {}},
        {"a header alone", file("h.csv", header), "ligne 2", {}},
        {"a last line cut by a full disk",
         file("cut.csv", header + a + b + "2026-12-08T01:18:46."),
         "coupée",
         {7, 8}},
        {"a damaged line in the middle", file("mid.csv", header + a + "x,y\n" + b), "ligne 3", {7}},
        {"a burst of readings on one time", file("burst.csv", burst), "", burstRaws},
        {"a far date",
         file("far.csv", header + a + row("9999-12-31T23:59:59.999Z", 8)),
         "24 heures",
         {7}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString says = QString::fromUtf8(c.says);
        std::vector<QString> stops;
        app::ReplayLoad load =
            app::LoadReplay(c.path, [&](const QString &why) { stops.push_back(why); });
        if (c.raws.empty()) {
            EXPECT_TRUE(load.error.contains(says)) << load.error.toStdString();
            EXPECT_FALSE(load.readings);
            continue;
        }
        ASSERT_TRUE(load.error.isEmpty()) << load.error.toStdString();
        std::vector<int> raws;
        while (const auto reading = load.readings())
            raws.push_back(reading->raw);
        EXPECT_FALSE(load.readings()) << "and no more after the end";
        EXPECT_EQ(raws, c.raws);
        EXPECT_EQ(stops.size(), says.isEmpty() ? 0u : 1u);
        for (const QString &stop : stops)
            EXPECT_TRUE(stop.contains(says)) << stop.toStdString();
    }
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
}

} // namespace
} // namespace apptest
