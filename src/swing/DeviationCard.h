// The deviation card of a fitted swing: its texts, its chart (Qt Charts: the curve against the
// compass heading, the points with their residuals, the outliers marked), and its exports to
// CSV and to a one-page PDF.
#pragma once

#include "deviation/Fit.h"

#include <QString>

class QChart;
class QPainter;
class QRectF;

namespace swing {

// Two decimals with a full stop whatever the locale, rounded to the hundredth, no minus zero;
// with `sign`, a plus sign before a positive value.
QString Fixed(double value, bool sign);
// "A=+1.00 B=-2.25 C=+0.00 D=+0.50 E=-0.75".
QString CoefficientsLine(const deviation::Coefficients &k);

// One line of the card as shown: the deviation rounded to the hundredth and the magnetic
// heading from that rounded deviation, so that each line adds up.
struct ShownRow {
    int compass;
    QString deviation; // signed, two decimals
    QString magnetic;  // two decimals, [0, 360)
};
std::vector<ShownRow> ShownCard(const deviation::Coefficients &k);

// The card as CSV: a header line "compass,deviation,magnetic", then one line every 15° of
// compass heading, degrees with a full stop before the decimals.
QByteArray CardCsv(const deviation::Coefficients &k);

// The chart of the fit (owned by the caller, or by the view it is given to); `markerScale`
// enlarges the points' markers, for a chart drawn scaled onto a page.
QChart *MakeCardChart(const deviation::Fit &fit, double markerScale = 1);

// What a printed card names besides its fit.
struct CardHeading {
    QString date;
    QString place;
};

// Draws the card on one page of the painter's device, inside `page`: title, date, place,
// coefficients and RMS, the table and the curve.
void PaintCard(QPainter &painter, const QRectF &page, const deviation::Fit &fit,
               const CardHeading &heading);

// Writes the CSV or the one-page A4 PDF; an empty text when the file holds it, else why not.
QString WriteCardCsv(const QString &path, const deviation::Coefficients &k);
QString WriteCardPdf(const QString &path, const deviation::Fit &fit, const CardHeading &heading);

} // namespace swing
