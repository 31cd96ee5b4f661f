// The strip chart of the heading ("CAP"): time along, heading up, drawn with Qt Charts from
// a worked-out trace whose pieces each become one line series, so that a wrap round the
// axis's ends or a pause in the readings never draws a line across the chart.
#pragma once

#include "headinglog/StripTrace.h"

#include <QChartView>

#include <cstdint>
#include <vector>

class QCategoryAxis;
class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;

namespace app {

class HeadingChart : public QChartView {
    Q_OBJECT

public:
    explicit HeadingChart(QWidget *parent = nullptr);

    // Shows the trace over the span that ends at `now` (UTC milliseconds), the vertical
    // axis centred on `centre` (a multiple of 90) and labelled in headings 0..359.
    void Show(const headinglog::StripTrace &trace, std::int64_t now, std::int64_t span,
              double centre);

    // The pieces drawn, in order, as their points.
    std::vector<QList<QPointF>> Pieces() const;
    // The pieces of one point, drawn as dots.
    QList<QPointF> Dots() const;
    // The labels of the vertical axis, bottom to top.
    QStringList HeadingLabels() const;
    double AxisLow() const;
    double AxisHigh() const;

private:
    QLineSeries *SeriesFor(std::size_t piece);
    void PlaceHeadingAxis(double centre);

    QChart *chart_;
    QDateTimeAxis *timeAxis_;
    QCategoryAxis *headingAxis_;
    QScatterSeries *dots_;
    std::vector<QLineSeries *> series_; // grows to the most lines ever shown, reused
    std::vector<QList<QPointF>> pieces_;
    std::size_t inUse_ = 0;
    double centre_ = -1;
};

} // namespace app
