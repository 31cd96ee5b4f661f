#include "logwindow/HeadingLogWindow.h"

#include "platform/app/Translations.h"

#include "dialogs/HelpTopics.h"
#include "headinglog/StripTrace.h"
#include "logwindow/HeadingChart.h"
#include "platform/app/InstallDir.h"
#include "platform/app/MessageBoxes.h"
#include "settings/OwnSettings.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

namespace {
// Slots of the chart's width: about two pixels each.
constexpr int kChartSlots = 300;
constexpr int kRefreshMsecs = 250;
const QString kSpanKey = QStringLiteral("JournalDuCap/DureeMinutes");
const QString kLogFolderKey = QStringLiteral("JournalDuCap/DossierJournal");
const QString kImageFolderKey = QStringLiteral("JournalDuCap/DossierImage");

QString SaveDialog(const QString &caption, const QString &path, const QString &filter) {
    return QFileDialog::getSaveFileName(nullptr, caption, path, filter);
}
} // namespace

QString DegreesText(const std::optional<double> &degrees) {
    if (!degrees)
        return QStringLiteral("—");
    return platform::LanguageLocale(platform::SelectedLanguage()).toString(*degrees, 'f', 1) +
           QStringLiteral("°");
}

HeadingLogWindow::HeadingLogWindow(ReadingFeed &feed, HeadingRecorder &recorder, QWidget *parent)
    : QWidget(parent, Qt::Window), chooseFile(SaveDialog), feed_(feed), recorder_(recorder) {
    setWindowTitle(QCoreApplication::translate("HeadingLogWindow", "Journal du cap"));

    SpanBox = new QComboBox(this);
    for (int minutes : kSpans)
        SpanBox->addItem(
            minutes == 1
                ? QCoreApplication::translate("HeadingLogWindow", "1 minute")
                : QCoreApplication::translate("HeadingLogWindow", "%1 minutes").arg(minutes),
            minutes);
    Chart = new HeadingChart(this);
    MeanLabel = new QLabel(this);
    DeviationLabel = new QLabel(this);
    CountLabel = new QLabel(this);
    RecordingLabel = new QLabel(this);
    RecordingLabel->setWordWrap(true);
    RecordButton =
        new QPushButton(QCoreApplication::translate("HeadingLogWindow", "Enregistrer"), this);
    StopButton = new QPushButton(QCoreApplication::translate("HeadingLogWindow", "Arrêter"), this);
    ExportButton = new QPushButton(
        QCoreApplication::translate("HeadingLogWindow", "Exporter l'image..."), this);
    HelpButton = new QPushButton(QCoreApplication::translate("HeadingLogWindow", "&Aide"), this);
    CloseButton = new QPushButton(QCoreApplication::translate("HeadingLogWindow", "&Fermer"), this);

    auto *top = new QHBoxLayout;
    top->addWidget(
        new QLabel(QCoreApplication::translate("HeadingLogWindow", "Durée affichée :"), this));
    top->addWidget(SpanBox);
    top->addStretch();

    auto *figures = new QGridLayout;
    const std::pair<QString, QLabel *> rows[] = {
        {QCoreApplication::translate("HeadingLogWindow", "Cap moyen :"), MeanLabel},
        {QCoreApplication::translate("HeadingLogWindow", "Écart type :"), DeviationLabel},
        {QCoreApplication::translate("HeadingLogWindow", "Mesures :"), CountLabel}};
    int row = 0;
    for (const auto &[caption, label] : rows) {
        figures->addWidget(new QLabel(caption, this), row, 0);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumWidth(70);
        figures->addWidget(label, row++, 1);
    }
    figures->setRowStretch(row, 1);

    auto *middle = new QHBoxLayout;
    middle->addWidget(Chart, 1);
    middle->addLayout(figures);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {RecordButton, StopButton, ExportButton})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(HelpButton);
    buttons->addWidget(CloseButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addWidget(RecordingLabel);
    layout->addLayout(buttons);
    resize(760, 440);

    refreshTimer_ = new QTimer(this);
    refreshTimer_->setInterval(kRefreshMsecs);
    connect(refreshTimer_, &QTimer::timeout, this, &HeadingLogWindow::Refresh);
    connect(RecordButton, &QPushButton::clicked, this, &HeadingLogWindow::RecordClick);
    connect(StopButton, &QPushButton::clicked, this, &HeadingLogWindow::StopClick);
    connect(ExportButton, &QPushButton::clicked, this, &HeadingLogWindow::ExportClick);
    connect(HelpButton, &QPushButton::clicked, this,
            [] { ShowHelpTopic(QStringLiteral("journal")); });
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
    connect(&recorder_, &HeadingRecorder::StateChanged, this, &HeadingLogWindow::ShowRecording);

    const int remembered = settings::OpenOwnSettings()->value(kSpanKey, 1).toInt();
    SetSpanMinutes(std::count(std::begin(kSpans), std::end(kSpans), remembered) ? remembered : 1);
    connect(SpanBox, &QComboBox::currentIndexChanged, this, [this] {
        const int minutes = SpanMinutes();
        history_.SetSpan(minutes * 60 * 1000LL, Now());
        settings::OpenOwnSettings()->setValue(kSpanKey, minutes);
        lastChart_ = INT64_MIN;
        Refresh();
    });
    ShowStatistics();
    ShowRecording();
}

HeadingLogWindow::~HeadingLogWindow() {
    if (key_ >= 0)
        feed_.Unsubscribe(key_);
}

void HeadingLogWindow::SetSpanMinutes(int minutes) {
    const int index = SpanBox->findData(minutes);
    if (index >= 0)
        SpanBox->setCurrentIndex(index);
    history_.SetSpan(SpanMinutes() * 60 * 1000LL, Now());
}

int HeadingLogWindow::SpanMinutes() const { return SpanBox->currentData().toInt(); }

std::int64_t HeadingLogWindow::Now() const { return feed_.Now().toMSecsSinceEpoch(); }

void HeadingLogWindow::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (key_ < 0)
        key_ = feed_.Subscribe([this](const compass::Reading &reading) { Take(reading); });
    lastChart_ = INT64_MIN;
    Refresh();
    refreshTimer_->start();
}

void HeadingLogWindow::hideEvent(QHideEvent *event) {
    QWidget::hideEvent(event);
    if (key_ >= 0)
        feed_.Unsubscribe(key_);
    key_ = -1;
    refreshTimer_->stop();
}

// On the reading's path: a few additions, nothing drawn.
void HeadingLogWindow::Take(const compass::Reading &reading) {
    history_.Add(reading.MillisecondsSinceEpoch(), reading.capAngle);
}

void HeadingLogWindow::Refresh() {
    const std::int64_t now = Now();
    history_.Expire(now);
    ShowStatistics();
    ShowRecording();
    // The chart moves by about a slot at a time: each quarter second over a minute, less
    // often over longer spans.
    const std::int64_t every = std::max<std::int64_t>(kRefreshMsecs, history_.Span() / 600);
    if (lastChart_ != INT64_MIN && now - lastChart_ < every && now >= lastChart_)
        return;
    lastChart_ = now;
    centre_ = headinglog::ChooseCentre(centre_, history_.Stats());
    Chart->Show(headinglog::BuildStripTrace(history_, now, centre_, kChartSlots), now,
                history_.Span(), centre_);
}

void HeadingLogWindow::ShowStatistics() {
    const headinglog::CircularStats stats = history_.Stats();
    MeanLabel->setText(DegreesText(stats.mean));
    DeviationLabel->setText(DegreesText(stats.deviation));
    CountLabel->setText(QString::number(stats.count));
}

void HeadingLogWindow::ShowRecording() {
    RecordButton->setEnabled(!recorder_.Recording());
    StopButton->setEnabled(recorder_.Recording());
    QString text;
    if (recorder_.Recording())
        text = QCoreApplication::translate("HeadingLogWindow",
                                           "Enregistrement dans %1 : %2 mesure(s).")
                   .arg(QDir::toNativeSeparators(recorder_.Path()))
                   .arg(recorder_.Rows());
    else if (!recorder_.Error().isEmpty())
        text = QCoreApplication::translate("HeadingLogWindow", "Enregistrement arrêté : %1")
                   .arg(recorder_.Error());
    else
        text = QCoreApplication::translate("HeadingLogWindow", "Aucun enregistrement en cours.");
    if (recorder_.Lost() > 0)
        text += QLatin1Char(' ') +
                QCoreApplication::translate("HeadingLogWindow", "%1 mesure(s) perdue(s).")
                    .arg(recorder_.Lost());
    RecordingLabel->setText(text);
}

// Asks for a file to write, proposing journal-<date>-<time>.<extension> in the folder used
// last for that kind of file (the installation folder at first), and remembers the folder
// of the answer. Empty when the user gave up.
QString HeadingLogWindow::ChooseTarget(const QString &caption, const QString &folderKey,
                                       const QString &extension, const QString &filter) {
    auto own = settings::OpenOwnSettings();
    QString folder = own->value(folderKey).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = platform::InstallDir::Path();
    const QString stamp = feed_.Now().toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString path = chooseFile(
        caption,
        QDir(folder).filePath(
            QCoreApplication::translate("HeadingLogWindow", "journal-%1.%2").arg(stamp, extension)),
        filter);
    if (!path.isEmpty())
        own->setValue(folderKey, QFileInfo(path).absolutePath());
    return path;
}

void HeadingLogWindow::RecordClick() {
    const QString path = ChooseTarget(
        QCoreApplication::translate("HeadingLogWindow", "Enregistrer le journal du cap"),
        kLogFolderKey, QStringLiteral("csv"),
        QCoreApplication::translate("HeadingLogWindow",
                                    "Journal CSV (*.csv);;Tous les fichiers (*)"));
    // The save dialog asked before naming a file that is there.
    if (!path.isEmpty() && !recorder_.Start(path, HeadingRecorder::Existing::Replace))
        platform::MessageBoxes::Warning(
            HeadingRecorder::FailureMessage(path, recorder_.Error(), false));
}

void HeadingLogWindow::StopClick() { recorder_.Stop(); }

void HeadingLogWindow::ExportClick() {
    const QString path = ChooseTarget(
        QCoreApplication::translate("HeadingLogWindow", "Exporter l'image du journal du cap"),
        kImageFolderKey, QStringLiteral("png"),
        QCoreApplication::translate("HeadingLogWindow", "Image PNG (*.png)"));
    if (!path.isEmpty() && !Picture().save(path, "PNG"))
        platform::MessageBoxes::Warning(
            QCoreApplication::translate("HeadingLogWindow", "Impossible d'enregistrer l'image %1.")
                .arg(path));
}

QStringList HeadingLogWindow::PictureCaption() const {
    const std::int64_t now = Now();
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    const headinglog::CircularStats stats = history_.Stats();
    return {
        QCoreApplication::translate("HeadingLogWindow", "Journal du cap, %1, du %2 au %3 (UTC)")
            .arg(SpanBox->currentText())
            .arg(QDateTime::fromMSecsSinceEpoch(now - history_.Span(), Qt::UTC).toString(format),
                 QDateTime::fromMSecsSinceEpoch(now, Qt::UTC).toString(format)),
        QCoreApplication::translate("HeadingLogWindow",
                                    "Cap moyen : %1   Écart type : %2   Mesures : %3")
            .arg(DegreesText(stats.mean), DegreesText(stats.deviation))
            .arg(stats.count)};
}

// The chart under a band that says what it shows: the span and its dates, the statistics.
QImage HeadingLogWindow::Picture() const {
    const QImage chart = Chart->grab().toImage();
    const QFontMetrics metrics(font());
    const QStringList caption = PictureCaption();
    const int margin = metrics.height() / 2;
    const int band = margin * 2 + metrics.lineSpacing() * static_cast<int>(caption.size());
    QImage picture(chart.width(), chart.height() + band, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setFont(font());
    painter.setPen(Qt::black);
    int y = margin + metrics.ascent();
    for (const QString &line : caption) {
        painter.drawText(margin, y, line);
        y += metrics.lineSpacing();
    }
    painter.drawImage(0, band, chart);
    return picture;
}

} // namespace app
