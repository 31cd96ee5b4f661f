#include "logwindow/HeadingChart.h"

#include "compass/Angles.h"

#include <QCategoryAxis>
#include <QCoreApplication>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QScatterSeries>

namespace app {

namespace {
const QColor kCurve(200, 30, 30); // the needle's red
}

HeadingChart::HeadingChart(QWidget *parent)
    : QChartView(parent), chart_(new QChart), timeAxis_(new QDateTimeAxis),
      headingAxis_(new QCategoryAxis), dots_(new QScatterSeries) {
    chart_->legend()->hide();
    chart_->setMargins(QMargins(4, 4, 8, 4));
    timeAxis_->setTickCount(7);
    timeAxis_->setTitleText(QCoreApplication::translate("HeadingChart", "Heure"));
    headingAxis_->setTitleText(QCoreApplication::translate("HeadingChart", "CAP"));
    headingAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart_->addAxis(timeAxis_, Qt::AlignBottom);
    chart_->addAxis(headingAxis_, Qt::AlignLeft);
    setChart(chart_); // the view owns the chart from here
    setRenderHint(QPainter::Antialiasing);
    dots_->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    dots_->setMarkerSize(4);
    dots_->setColor(kCurve);
    dots_->setBorderColor(kCurve);
    chart_->addSeries(dots_);
    dots_->attachAxis(timeAxis_);
    dots_->attachAxis(headingAxis_);
    setMinimumSize(480, 300);
    PlaceHeadingAxis(180);
}

void HeadingChart::PlaceHeadingAxis(double centre) {
    if (centre == centre_)
        return;
    centre_ = centre;
    for (const QString &label : headingAxis_->categoriesLabels())
        headingAxis_->remove(label);
    headingAxis_->setStartValue(centre - 180);
    headingAxis_->setRange(centre - 180, centre + 180);
    // A category axis wants labels that differ: both ends show the same heading, so the top
    // one carries an invisible difference.
    for (int step = 0; step <= 4; ++step) {
        const double value = centre - 180 + 90 * step;
        const int heading = static_cast<int>(compass::Reduce360Real(value));
        QString label = QStringLiteral("%1°").arg(heading);
        if (step == 4)
            label += QChar(0x200B); // zero-width space
        headingAxis_->append(label, value);
    }
}

QLineSeries *HeadingChart::SeriesFor(std::size_t piece) {
    while (series_.size() <= piece) {
        auto *series = new QLineSeries;
        series->setName(QCoreApplication::translate("HeadingChart", "CAP"));
        QPen pen(kCurve);
        pen.setWidthF(1.5);
        series->setPen(pen);
        series->setMarkerSize(4);
        chart_->addSeries(series);
        series->attachAxis(timeAxis_);
        series->attachAxis(headingAxis_);
        series_.push_back(series);
    }
    return series_[piece];
}

void HeadingChart::Show(const headinglog::StripTrace &trace, std::int64_t now, std::int64_t span,
                        double centre) {
    PlaceHeadingAxis(centre);
    timeAxis_->setFormat(span <= 60 * 1000 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(now - span),
                        QDateTime::fromMSecsSinceEpoch(now));
    const std::size_t pieces = trace.starts.size();
    pieces_.clear();
    QList<QPointF> dots;
    std::size_t lines = 0;
    for (std::size_t piece = 0; piece < pieces; ++piece) {
        const std::size_t begin = trace.starts[piece];
        const std::size_t end = piece + 1 < pieces ? trace.starts[piece + 1] : trace.points.size();
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(end - begin));
        for (std::size_t i = begin; i < end; ++i)
            points.append(
                QPointF(static_cast<double>(trace.points[i].msecs), trace.points[i].value));
        // A piece of one point draws no line: its point shows as a dot.
        if (points.size() == 1)
            dots.append(points.front());
        else
            SeriesFor(lines++)->replace(points);
        pieces_.push_back(std::move(points));
    }
    for (std::size_t line = lines; line < inUse_; ++line)
        series_[line]->clear();
    inUse_ = lines;
    dots_->replace(dots);
}

std::vector<QList<QPointF>> HeadingChart::Pieces() const { return pieces_; }

QList<QPointF> HeadingChart::Dots() const { return dots_->points(); }

QStringList HeadingChart::HeadingLabels() const { return headingAxis_->categoriesLabels(); }
double HeadingChart::AxisLow() const { return headingAxis_->min(); }
double HeadingChart::AxisHigh() const { return headingAxis_->max(); }

} // namespace app
