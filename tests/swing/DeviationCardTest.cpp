// The card's exports read back: the CSV by a parser of its own, the PDF by pdftotext, each
// row against the curve it was made from, and a refit of the CSV's rows giving the curve back.
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

// Curves whose card crosses north both ways, and a flat one.
const deviation::Coefficients kCurves[] = {
    {-3.0, 2.5, -1.25, 0.75, 0.5},
    {4.0, -6.5, 3.0, -1.0, 2.0},
    {0, 0, 0, 0, 0},
};

deviation::Fit FitOf(const deviation::Coefficients &k, double outlierAt) {
    std::vector<deviation::SwingPoint> points;
    for (double compass = 10; compass < 360; compass += 30) {
        double deviation = deviation::DeviationAt(k, compass);
        if (compass == outlierAt)
            deviation += 4;
        points.push_back({compass, deviation::Heading360(compass + deviation)});
    }
    const deviation::FitOutcome outcome = deviation::FitSwing(points);
    EXPECT_TRUE(outcome.fit) << outcome.refusal;
    return *outcome.fit;
}

// Each row: the compass heading every 15°, the deviation the curve gives there to the
// hundredth, and the magnetic heading that adds up to, in [0, 360).
void ExpectCardRows(const std::vector<std::array<double, 3>> &rows,
                    const deviation::Coefficients &k) {
    ASSERT_EQ(rows.size(), 24u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i][0], 15.0 * double(i));
        EXPECT_NEAR(rows[i][1], deviation::DeviationAt(k, rows[i][0]), 0.005 + 1e-9);
        EXPECT_GE(rows[i][2], 0);
        EXPECT_LT(rows[i][2], 360);
        EXPECT_NEAR(std::remainder(rows[i][2] - rows[i][0] - rows[i][1], 360.0), 0, 1e-9);
    }
}

TEST(DeviationCard, CsvReadBackGivesTheCurveAgain) {
    QTemporaryDir folder;
    for (const deviation::Coefficients &k : kCurves) {
        SCOPED_TRACE(CoefficientsLine(k).toStdString());
        const QString path = folder.filePath("card.csv");
        ASSERT_EQ(WriteCardCsv(path, k), QString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines.front(), "compass,deviation,magnetic");
        EXPECT_EQ(lines.back(), ""); // the last line ends
        std::vector<std::array<double, 3>> rows;
        std::vector<deviation::SwingPoint> points;
        for (qsizetype n = 1; n + 1 < lines.size(); ++n) {
            const QList<QByteArray> cells = lines[n].split(',');
            ASSERT_EQ(cells.size(), 3) << lines[n].constData();
            std::array<double, 3> row{};
            for (int c = 0; c < 3; ++c) {
                bool ok = false;
                row[std::size_t(c)] = cells[c].toDouble(&ok);
                ASSERT_TRUE(ok) << cells[c].constData();
            }
            rows.push_back(row);
            points.push_back({row[0], row[2]});
        }
        ExpectCardRows(rows, k);
        const deviation::FitOutcome again = deviation::FitSwing(points);
        ASSERT_TRUE(again.fit);
        EXPECT_NEAR(again.fit->coefficients.a, k.a, 0.01);
        EXPECT_NEAR(again.fit->coefficients.b, k.b, 0.01);
        EXPECT_NEAR(again.fit->coefficients.c, k.c, 0.01);
        EXPECT_NEAR(again.fit->coefficients.d, k.d, 0.01);
        EXPECT_NEAR(again.fit->coefficients.e, k.e, 0.01);
    }
    EXPECT_NE(WriteCardCsv(folder.filePath("missing/card.csv"), kCurves[0]), QString());
}

QString RunTool(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(DeviationCard, PdfIsOneA4PageWhoseTextReadsBack) {
    QTemporaryDir folder;
    for (const deviation::Coefficients &k : kCurves) {
        SCOPED_TRACE(CoefficientsLine(k).toStdString());
        const deviation::Fit fit = FitOf(k, 100);
        const QString path = folder.filePath("card.pdf");
        const CardHeading heading{QStringLiteral("1er mai 2026"),
                                  QStringLiteral("Port-Tudy, Île de Groix")};
        ASSERT_EQ(WriteCardPdf(path, fit, heading), QString());

        const QString info = RunTool(QStringLiteral("pdfinfo"), {path});
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
            << info.toStdString();
        EXPECT_TRUE(info.contains(QRegularExpression(
            QStringLiteral("Page size:\\s+59[56](\\.\\d*)? x 84[12](\\.\\d*)? pts \\(A4\\)"))))
            << info.toStdString();

        const QString text = RunTool(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-layout"), path, QStringLiteral("-")});
        EXPECT_TRUE(text.contains(QStringLiteral("Carte de déviation du compas")));
        EXPECT_TRUE(text.contains(heading.date));
        EXPECT_TRUE(text.contains(heading.place));

        // The coefficients as printed, each to the hundredth of the fit's.
        const QRegularExpression coefficients(
            QStringLiteral("A=([+-]\\d+\\.\\d\\d) B=([+-]\\d+\\.\\d\\d) C=([+-]\\d+\\.\\d\\d) "
                           "D=([+-]\\d+\\.\\d\\d) E=([+-]\\d+\\.\\d\\d)"));
        const QRegularExpressionMatch found = coefficients.match(text);
        ASSERT_TRUE(found.hasMatch()) << text.toStdString();
        const double fitted[] = {fit.coefficients.a, fit.coefficients.b, fit.coefficients.c,
                                 fit.coefficients.d, fit.coefficients.e};
        for (int i = 0; i < 5; ++i)
            EXPECT_NEAR(found.captured(i + 1).toDouble(), fitted[i], 0.005 + 1e-9) << i;
        const QRegularExpressionMatch rms =
            QRegularExpression(QStringLiteral("RMS=(\\d+\\.\\d\\d)")).match(text);
        ASSERT_TRUE(rms.hasMatch());
        EXPECT_NEAR(rms.captured(1).toDouble(), fit.rms, 0.005 + 1e-9);

        // The table's rows, in the page's two halves side by side: 0° to 165°, then 180° on.
        std::vector<std::array<double, 3>> left, right;
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
}

} // namespace
} // namespace swing
