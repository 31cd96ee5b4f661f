#include "swing/DeviationCard.h"

#include "base/AtomicFile.h"
#include "compass/Angles.h"
#include "deviation/Curve.h"
#include "deviation/Text.h"

#include <QBuffer>
#include <QChart>
#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QGraphicsScene>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QScatterSeries>
#include <QValueAxis>

#include <cmath>
#include <cstring>

namespace swing {

namespace {

constexpr int kCurveStep = 2; // degrees between two points of the drawn curve
// The markers of the printed chart, enlarged by what looks right on paper: they are drawn
// neither at the chart's scale nor at the page's.
constexpr double kPrintedMarkerScale = 1.4;
constexpr double kChartWidth = 760; // the printed chart's layout width, in screen pixels
constexpr double kMargin = 15;      // millimetres round the printed card
constexpr double kPrintableWidth = 210 - 2 * kMargin;

QString Tr(const char *text) { return QCoreApplication::translate("DeviationCard", text); }

QString FileProblem(const QString &path, int error) {
    return QCoreApplication::translate("DeviationCard", "impossible d'écrire %1 : %2")
        .arg(path, QString::fromLocal8Bit(std::strerror(error)));
}

QString WriteWhole(const QString &path, const QByteArray &bytes) {
    const int error =
        platform::ReplaceFileContents(QFile::encodeName(path).toStdString(), bytes.toStdString());
    return error == 0 ? QString() : FileProblem(path, error);
}

// The axis range that holds every value, in whole degrees, at least ±2°.
std::pair<double, double> DeviationRange(const deviation::Fit &fit) {
    double low = -2, high = 2;
    for (int compass = 0; compass <= 360; compass += kCurveStep) {
        const double value = deviation::DeviationAt(fit.coefficients, compass);
        low = std::min(low, value);
        high = std::max(high, value);
    }
    for (const deviation::FittedPoint &point : fit.points) {
        low = std::min(low, point.deviation);
        high = std::max(high, point.deviation);
    }
    return {std::floor(low - 0.5), std::ceil(high + 0.5)};
}

} // namespace

QString Fixed(double value, bool sign) {
    return QString::fromStdString(deviation::Hundredths(value, sign));
}

QString CoefficientsLine(const deviation::Coefficients &k) {
    return QString::fromStdString(deviation::CoefficientsText(k));
}

std::vector<ShownRow> ShownCard(const deviation::Coefficients &k) {
    std::vector<ShownRow> rows;
    for (const deviation::CardRow &row : deviation::Card(k)) {
        const double shown = std::round(row.deviation * 100) / 100;
        rows.push_back({int(row.compass), Fixed(shown, true),
                        Fixed(compass::Reduce360Real(row.compass + shown), false)});
    }
    return rows;
}

QByteArray CardCsv(const deviation::Coefficients &k) {
    QByteArray text = "compass,deviation,magnetic\n";
    for (const ShownRow &row : ShownCard(k))
        text += QStringLiteral("%1,%2,%3\n")
                    .arg(row.compass)
                    .arg(row.deviation.startsWith(QLatin1Char('+')) ? row.deviation.mid(1)
                                                                    : row.deviation,
                         row.magnetic)
                    .toLatin1();
    return text;
}

QChart *MakeCardChart(const deviation::Fit &fit, double markerScale) {
    auto *chart = new QChart;
    chart->setBackgroundRoundness(0);
    auto *x = new QValueAxis;
    x->setRange(0, 360);
    x->setTickCount(9);
    x->setLabelFormat(QStringLiteral("%d"));
    x->setTitleText(Tr(QT_TRANSLATE_NOOP("DeviationCard", "Cap compas (°)")));
    auto *y = new QValueAxis;
    const auto [low, high] = DeviationRange(fit);
    y->setRange(low, high);
    // Ticks on whole degrees from 0: every 1°, 2° or 5°, about eight of them.
    const double span = high - low;
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(0);
    y->setTickInterval(span <= 8 ? 1 : span <= 16 ? 2 : 5);
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->setTitleText(Tr(QT_TRANSLATE_NOOP("DeviationCard", "Déviation (°, est positive)")));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    const auto attach = [&](QAbstractSeries *series) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    };

    auto *curve = new QLineSeries;
    curve->setName(Tr(QT_TRANSLATE_NOOP("DeviationCard", "Courbe")));
    for (int compass = 0; compass <= 360; compass += kCurveStep)
        curve->append(compass, deviation::DeviationAt(fit.coefficients, compass));
    curve->setPen(QPen(QColor(0, 0, 160), 2));
    attach(curve);

    auto *kept = new QScatterSeries;
    kept->setName(Tr(QT_TRANSLATE_NOOP("DeviationCard", "Points")));
    kept->setMarkerSize(8 * markerScale);
    kept->setColor(QColor(0, 128, 0));
    auto *outliers = new QScatterSeries;
    outliers->setName(Tr(QT_TRANSLATE_NOOP("DeviationCard", "Points aberrants")));
    outliers->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    outliers->setMarkerSize(10 * markerScale);
    outliers->setColor(QColor(200, 0, 0));
    bool anyOutlier = false;
    for (const deviation::FittedPoint &point : fit.points) {
        const double compass = compass::Reduce360Real(point.point.compass);
        // The residual: from the curve to the point.
        auto *residual = new QLineSeries;
        residual->append(compass, point.deviation - point.residual);
        residual->append(compass, point.deviation);
        residual->setPen(QPen(point.outlier ? QColor(200, 0, 0) : QColor(0, 128, 0), 1));
        attach(residual);
        chart->legend()->markers(residual).front()->setVisible(false);
        (point.outlier ? outliers : kept)->append(compass, point.deviation);
        anyOutlier = anyOutlier || point.outlier;
    }
    attach(kept);
    attach(outliers);
    if (!anyOutlier)
        chart->legend()->markers(outliers).front()->setVisible(false);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

void PaintCard(QPainter &painter, const QRectF &page, const deviation::Fit &fit,
               const CardHeading &heading) {
    painter.save();
    // One millimetre: the printable width of an A4 page within its margins is 180 mm.
    const double unit = page.width() / kPrintableWidth;
    const auto font = [&](double points, bool bold) {
        QFont chosen(QStringLiteral("DejaVu Sans"));
        chosen.setPixelSize(int(points * 0.3528 * unit)); // a point is 0.3528 mm
        chosen.setBold(bold);
        painter.setFont(chosen);
    };
    double top = page.top();
    const double left = page.left();
    const auto line = [&](const QString &text, double points, bool bold, double after) {
        font(points, bold);
        const double height = painter.fontMetrics().height();
        painter.drawText(QRectF(left, top, page.width(), height), Qt::AlignLeft, text);
        top += height + after * unit;
    };
    line(Tr(QT_TRANSLATE_NOOP("DeviationCard", "Carte de déviation du compas")), 18, true, 4);
    line(Tr(QT_TRANSLATE_NOOP("DeviationCard", "Date : %1")).arg(heading.date), 11, false, 1);
    line(Tr(QT_TRANSLATE_NOOP("DeviationCard", "Lieu : %1")).arg(heading.place), 11, false, 3);
    line(CoefficientsLine(fit.coefficients), 11, false, 1);
    line(QStringLiteral("RMS=%1").arg(Fixed(fit.rms, false)), 11, false, 2);
    line(Tr(QT_TRANSLATE_NOOP(
             "DeviationCard",
             "Déviation en degrés, est positive : cap magnétique = cap compas + déviation")),
         9, false, 4);

    // The table in two halves side by side: 0° to 165°, then 180° to 345°.
    const std::vector<ShownRow> rows = ShownCard(fit.coefficients);
    const std::size_t half = rows.size() / 2;
    font(10, false);
    const double rowHeight = painter.fontMetrics().height() * 1.25;
    const double columns[3] = {26 * unit, 24 * unit, 36 * unit}; // right edges 26, 50, 86
    const double block = page.width() / 2;
    const auto cell = [&](int side, int c, double y) {
        const double x = left + side * block +
                         (c == 0   ? 0
                          : c == 1 ? columns[0]
                                   : columns[0] + columns[1]);
        return QRectF(x, y, columns[c], rowHeight);
    };
    const QString titles[3] = {Tr(QT_TRANSLATE_NOOP("DeviationCard", "Cap compas")),
                               Tr(QT_TRANSLATE_NOOP("DeviationCard", "Déviation")),
                               Tr(QT_TRANSLATE_NOOP("DeviationCard", "Cap magnétique"))};
    for (int side = 0; side < 2; ++side) {
        double y = top;
        font(10, true);
        for (int c = 0; c < 3; ++c)
            painter.drawText(cell(side, c, y), Qt::AlignRight | Qt::AlignVCenter, titles[c]);
        y += rowHeight;
        font(10, false);
        for (std::size_t r = side * half; r < (side + 1) * half; ++r) {
            const QString cells[3] = {
                QStringLiteral("%1").arg(rows[r].compass, 3, 10, QLatin1Char('0')),
                rows[r].deviation, rows[r].magnetic};
            for (int c = 0; c < 3; ++c)
                painter.drawText(cell(side, c, y), Qt::AlignRight | Qt::AlignVCenter, cells[c]);
            y += rowHeight;
        }
    }
    top += rowHeight * double(half + 1) + 6 * unit;

    // The curve: the chart drawn into the rest of the page.
    const QRectF area(left, top, page.width(), page.bottom() - top);
    QGraphicsScene scene;
    // Laid out at screen size, then scaled onto the page, so that its texts keep their
    // proportions.
    const QSizeF screen(kChartWidth, kChartWidth * area.height() / area.width());
    QChart *chart = MakeCardChart(fit, kPrintedMarkerScale);
    scene.addItem(chart); // the scene owns it
    chart->setGeometry(QRectF(QPointF(0, 0), screen));
    scene.setSceneRect(QRectF(QPointF(0, 0), screen));
    scene.render(&painter, area, scene.sceneRect());
    painter.restore();
}

QString WriteCardCsv(const QString &path, const deviation::Coefficients &k) {
    return WriteWhole(path, CardCsv(k));
}

QString WriteCardPdf(const QString &path, const deviation::Fit &fit, const CardHeading &heading) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        writer.setPageMargins(QMarginsF(kMargin, kMargin, kMargin, kMargin),
                              QPageLayout::Millimeter);
        writer.setTitle(Tr(QT_TRANSLATE_NOOP("DeviationCard", "Carte de déviation du compas")));
        writer.setCreator(QStringLiteral("Ventrose"));
        QPainter painter(&writer);
        const QRect printable = writer.pageLayout().paintRectPixels(writer.resolution());
        PaintCard(painter, QRectF(0, 0, printable.width(), printable.height()), fit, heading);
        painter.end();
    }
    return WriteWhole(path, bytes);
}

} // namespace swing
