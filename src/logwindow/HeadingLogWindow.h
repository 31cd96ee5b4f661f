// "Journal du cap": the heading over the last 1, 10 or 60 minutes as a strip chart, its
// circular mean, circular standard deviation and number of readings, the recording of the
// readings to a CSV file and the export of the chart as a picture. The window takes the
// readings only while it shows: closed, it costs the link nothing.
#pragma once

#include "headinglog/HeadingHistory.h"
#include "link/ReadingFeed.h"
#include "logwindow/HeadingRecorder.h"

#include <QWidget>

#include <cstdint>
#include <functional>

class QComboBox;
class QImage;
class QLabel;
class QPushButton;
class QTimer;

namespace app {

class HeadingChart;

class HeadingLogWindow : public QWidget {
    Q_OBJECT

public:
    HeadingLogWindow(ReadingFeed &feed, HeadingRecorder &recorder, QWidget *parent = nullptr);
    ~HeadingLogWindow() override;

    // Asks for the name of a file to write: (caption, proposed path, filter) -> the chosen
    // path, empty when the user gave up. A save dialog unless replaced (tests).
    std::function<QString(const QString &, const QString &, const QString &)> chooseFile;

    // The spans offered, in minutes, and the one shown.
    static constexpr int kSpans[] = {1, 10, 60};
    void SetSpanMinutes(int minutes);
    int SpanMinutes() const;

    // Brings chart and statistics up to the time of the feed's clock (the refresh timer
    // does this while the window shows).
    void Refresh();

    const headinglog::HeadingHistory &History() const { return history_; }
    bool Listening() const { return key_ >= 0; }

    // The window's parts, for the tests and the screenshots.
    QComboBox *SpanBox = nullptr;
    HeadingChart *Chart = nullptr;
    QLabel *MeanLabel = nullptr, *DeviationLabel = nullptr, *CountLabel = nullptr,
           *RecordingLabel = nullptr;
    QPushButton *RecordButton = nullptr, *StopButton = nullptr, *ExportButton = nullptr,
                *HelpButton = nullptr, *CloseButton = nullptr;

    // The exported picture: the chart under the lines of PictureCaption.
    QImage Picture() const;
    // What the picture says of the chart: the span with its dates, the statistics.
    QStringList PictureCaption() const;

    // The buttons' actions.
    void RecordClick();
    void StopClick();
    void ExportClick();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Take(const compass::Reading &reading);
    void ShowStatistics();
    void ShowRecording();
    std::int64_t Now() const;
    QString ChooseTarget(const QString &caption, const QString &folderKey, const QString &extension,
                         const QString &filter);

    ReadingFeed &feed_;
    HeadingRecorder &recorder_;
    headinglog::HeadingHistory history_;
    int key_ = -1;
    QTimer *refreshTimer_ = nullptr;
    double centre_ = 180;
    std::int64_t lastChart_ = INT64_MIN; // when the chart was last drawn
};

// Text of the statistics in the program's language's own locale ("123,4°" in French,
// "123.4°" in English); "—" when there is no value.
QString DegreesText(const std::optional<double> &degrees);

} // namespace app
