// The card's exports read back, the CSV by a parser of its own and the PDF (one A4 page) by
// poppler's tools: each row against the curve it was made from, and the coefficients.
#include "swing/DeviationCard.h"
#include "deviation/Curve.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

namespace swing {
namespace {

using Rows = std::vector<std::array<double, 3>>;

// Each row: the compass heading every 15°, the curve's deviation there to the hundredth, and
// the magnetic heading that adds up to, in [0, 360).
void ExpectCardRows(const Rows &rows, const deviation::Coefficients &k) {
    ASSERT_EQ(rows.size(), 24u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto [compass, deviation, magnetic] = rows[i];
        EXPECT_EQ(compass, 15.0 * double(i));
        EXPECT_NEAR(deviation, deviation::DeviationAt(k, compass), 0.005 + 1e-9) << compass;
        EXPECT_TRUE(magnetic >= 0 && magnetic < 360) << compass;
        EXPECT_NEAR(std::remainder(magnetic - compass - deviation, 360.0), 0, 1e-9) << compass;
    }
}

QString RunTool(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(DeviationCard, CsvAndPdfReadBack) {
    QTemporaryDir folder;
    const QString csv = folder.filePath("card.csv"), pdf = folder.filePath("card.pdf");
    // Curves whose card crosses north both ways, and a flat one; each fit has an outlier.
    for (const deviation::Coefficients &k :
         {deviation::Coefficients{-3.0, 2.5, -1.25, 0.75, 0.5},
          deviation::Coefficients{4.0, -6.5, 3.0, -1.0, 2.0}, deviation::Coefficients{}}) {
        SCOPED_TRACE(CoefficientsLine(k).toStdString());
        std::vector<deviation::SwingPoint> points;
        for (double compass = 10; compass < 360; compass += 30)
            points.push_back(
                {compass, compass + deviation::DeviationAt(k, compass) + (compass == 100 ? 4 : 0)});
        const deviation::Fit fit = *deviation::FitSwing(points).fit;

        ASSERT_EQ(WriteCardCsv(csv, fit.coefficients), QString());
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = file.readAll().split('\n');
        EXPECT_EQ(lines.takeFirst(), "compass,deviation,magnetic");
        EXPECT_EQ(lines.takeLast(), ""); // the last line ends
        Rows rows;
        for (const QByteArray &line : lines) {
            const QList<QByteArray> cells = line.split(',');
            ASSERT_EQ(cells.size(), 3) << line.constData();
            bool ok[3] = {};
            rows.push_back(
                {cells[0].toDouble(&ok[0]), cells[1].toDouble(&ok[1]), cells[2].toDouble(&ok[2])});
            ASSERT_TRUE(ok[0] && ok[1] && ok[2]) << line.constData();
        }
        ExpectCardRows(rows, fit.coefficients);

        const CardHeading heading{QStringLiteral("1er mai 2026"),
                                  QStringLiteral("Port-Tudy, Île de Groix")};
        ASSERT_EQ(WriteCardPdf(pdf, fit, heading), QString());
        const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
        EXPECT_TRUE(info.contains(QRegularExpression(
            QStringLiteral("Page size:\\s+59[56](\\.\\d*)? x 84[12](\\.\\d*)? pts \\(A4\\)"))))
            << info.toStdString();
        const QString text = RunTool(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
        for (const QString &expected :
             {QStringLiteral("Carte de déviation du compas"), heading.date, heading.place})
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
        // The coefficients and the RMS as printed, each to the hundredth of the fit's.
        const QRegularExpressionMatch printed =
            QRegularExpression(QStringLiteral("A=(\\S+) B=(\\S+) C=(\\S+) D=(\\S+) E=(\\S+)\\s+"
                                              "RMS=(\\d+\\.\\d\\d)"))
                .match(text);
        ASSERT_TRUE(printed.hasMatch()) << text.toStdString();
        const double fitted[] = {fit.coefficients.a, fit.coefficients.b, fit.coefficients.c,
                                 fit.coefficients.d, fit.coefficients.e, fit.rms};
        for (int i = 0; i < 6; ++i)
            EXPECT_NEAR(printed.captured(i + 1).toDouble(), fitted[i], 0.005 + 1e-9) << i;
        // The table's rows, in two halves side by side: 0° to 165°, then 180° on.
        Rows left, right;
        const QRegularExpression row(
            QStringLiteral("(?<![\\d.])(\\d{3})\\s+([+-]\\d+\\.\\d\\d)\\s+(\\d+\\.\\d\\d)"));
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            auto matches = row.globalMatch(line);
            for (int n = 0; matches.hasNext(); ++n) {
                const QRegularExpressionMatch cell = matches.next();
                (n == 0 ? left : right)
                    .push_back({cell.captured(1).toDouble(), cell.captured(2).toDouble(),
                                cell.captured(3).toDouble()});
            }
        }
        left.insert(left.end(), right.begin(), right.end());
        ExpectCardRows(left, fit.coefficients);
    }
    EXPECT_NE(WriteCardCsv(folder.filePath("missing/card.csv"), {}), QString());
}

} // namespace
} // namespace swing
