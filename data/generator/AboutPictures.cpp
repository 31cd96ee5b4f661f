// The about box's banner and its scrolling picture.
#include "AboutPictures.h"

#include "Painting.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace datagen {
namespace {

const QColor kNavy(16, 42, 110);
const QColor kMaroon(128, 0, 0);
const QColor kInk(34, 34, 34);

constexpr int kMargin = 18;
constexpr int kTextWidth = kAboutScrollWidth - 2 * kMargin;

// Writes a paragraph in the text column from `top`, justified; returns the y under it.
int paragraph(QPainter &p, int top, const QString &text) {
    const QRect box(kMargin, top, kTextWidth, 1000);
    const int flags = Qt::TextWordWrap | Qt::AlignJustify | Qt::AlignTop;
    const QRect used = p.boundingRect(box, flags, text);
    p.drawText(box, flags, text);
    return top + used.height();
}

// A heading between two thin rules; returns the y under it.
int heading(QPainter &p, int top, const QString &text) {
    p.setFont(sansFont(15, true));
    const int height = p.fontMetrics().height();
    const int textWidth = p.fontMetrics().horizontalAdvance(text);
    const int middle = top + height / 2;
    p.setPen(QPen(QColor(190, 160, 160), 1));
    p.drawLine(kMargin, middle, (kAboutScrollWidth - textWidth) / 2 - 8, middle);
    p.drawLine((kAboutScrollWidth + textWidth) / 2 + 8, middle, kAboutScrollWidth - kMargin,
               middle);
    p.setPen(kMaroon);
    p.drawText(QRect(0, top, kAboutScrollWidth, height), Qt::AlignHCenter, text);
    return top + height + 6;
}

int title(QPainter &p, int top) {
    p.setPen(kNavy);
    p.setFont(serifFont(28, true, true));
    p.drawText(QRect(0, top, kAboutScrollWidth, 34), Qt::AlignCenter,
               QStringLiteral("Ventrose 1.0"));
    p.setPen(QColor(90, 90, 90));
    p.setFont(sansFont(13));
    p.drawText(QRect(0, top + 36, kAboutScrollWidth, 18), Qt::AlignCenter,
               QStringLiteral("Le compagnon de votre boussole électronique RS-232"));
    return top + 66;
}

// The module seen from the front: its case, the LCD showing a heading, two push buttons and
// the serial cable leaving from below.
void drawModuleFront(QPainter &p, QPointF centre) {
    p.save();
    p.translate(centre);
    // Cable and its 9-pin plug.
    p.setPen(QPen(QColor(40, 40, 46), 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath cable(QPointF(0, 74));
    cable.cubicTo(QPointF(0, 100), QPointF(-90, 84), QPointF(-112, 108));
    p.drawPath(cable);
    p.setPen(QPen(QColor(30, 30, 34), 1));
    p.setBrush(QColor(150, 154, 162));
    p.drawRoundedRect(QRectF(-140, 100, 36, 20), 4, 4);
    p.setBrush(QColor(60, 62, 70));
    p.drawRect(QRectF(-104, 104, 8, 12));
    // Shadow and case.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawRoundedRect(QRectF(-86, -66, 178, 146), 14, 14);
    QLinearGradient body(0, -72, 0, 76);
    body.setColorAt(0, QColor(96, 104, 118));
    body.setColorAt(1, QColor(44, 48, 58));
    p.setPen(QPen(QColor(22, 24, 30), 1.5));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(-90, -72, 180, 146), 14, 14);
    p.setPen(QColor(220, 224, 232));
    p.setFont(sansFont(11, true));
    p.drawText(QRectF(-90, -66, 180, 16), Qt::AlignCenter, QStringLiteral("VENTROSE"));
    // The LCD: a bezel, the greenish glass and the reading.
    p.setPen(QPen(QColor(16, 18, 22), 1));
    p.setBrush(QColor(28, 30, 36));
    p.drawRoundedRect(QRectF(-72, -46, 144, 74), 6, 6);
    QLinearGradient glass(0, -40, 0, 22);
    glass.setColorAt(0, QColor(186, 206, 160));
    glass.setColorAt(1, QColor(150, 176, 128));
    p.setBrush(glass);
    p.drawRoundedRect(QRectF(-64, -38, 128, 58), 3, 3);
    p.setPen(QColor(32, 48, 30));
    p.setFont(sansFont(10, true));
    p.drawText(QRectF(-58, -36, 60, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("CAP"));
    p.drawText(QRectF(-2, -36, 60, 14), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("SE"));
    p.setFont(sansFont(30, true));
    p.drawText(QRectF(-64, -22, 128, 40), Qt::AlignCenter, QStringLiteral("127°"));
    // Two push buttons under the display.
    for (const double x : {-34.0, 34.0}) {
        p.setPen(QPen(QColor(18, 20, 24), 1));
        p.setBrush(QColor(170, 30, 30));
        p.drawEllipse(QPointF(x, 50), 9, 9);
        p.setBrush(QColor(220, 80, 70, 160));
        p.drawEllipse(QPointF(x - 2, 48), 4, 4);
    }
    p.restore();
}

} // namespace

std::vector<AboutTermsSection> aboutTerms() {
    return {
        {QStringLiteral("CONDITIONS D'UTILISATION"),
         {QStringLiteral("Ventrose accompagne le module boussole électronique. Vous pouvez "
                         "l'installer sur autant d'ordinateurs que vous le souhaitez pour "
                         "piloter votre propre module."),
          QStringLiteral("Vous pouvez le copier et le transmettre librement, à condition de le "
                         "distribuer complet et sans modification, avec ses fichiers de "
                         "données et son aide, et sans rien demander en échange."),
          QStringLiteral("Il est interdit de le vendre, de le louer, de le modifier ou de "
                         "l'intégrer à un autre produit sans l'accord écrit de l'auteur.")}},
        {QStringLiteral("AVERTISSEMENT"),
         {QStringLiteral("Ventrose et le module sont fournis « tels quels », sans garantie "
                         "d'aucune sorte. Le cap affiché dépend de l'étalonnage, de la "
                         "déclinaison saisie et de l'environnement magnétique : il ne "
                         "remplace pas un compas de navigation homologué. L'auteur ne pourra "
                         "être tenu responsable d'aucun dommage, direct ou indirect, lié à "
                         "leur utilisation.")}},
    };
}

QImage makeAboutBanner() {
    QImage image = newPicture(kBannerWidth, kBannerHeight, kNavy);
    QPainter p(&image);
    prepareSmooth(p);
    QLinearGradient sky(0, 0, kBannerWidth, 0);
    sky.setColorAt(0, QColor(10, 30, 96));
    sky.setColorAt(1, QColor(40, 96, 196));
    p.fillRect(image.rect(), sky);

    RoseStyle style;
    style.cardinal = {QColor(236, 242, 255), QColor(150, 178, 232)};
    style.intercardinal = {QColor(200, 216, 248), QColor(120, 150, 214)};
    style.minor = {QColor(170, 192, 238), QColor(100, 130, 200)};
    style.outline = QColor(12, 32, 90);
    style.north = QColor(255, 120, 110);
    drawWindRose(p, QPointF(44, 40.5), 32, style);

    p.setPen(Qt::white);
    p.setFont(serifFont(44, true, true));
    p.drawText(QPointF(92, 52), QStringLiteral("Ventrose"));
    const int nameEnd = 92 + p.fontMetrics().horizontalAdvance(QStringLiteral("Ventrose"));
    p.setFont(serifFont(26, false, true));
    p.drawText(QPointF(nameEnd + 12, 52), QStringLiteral("1.0"));
    p.setFont(serifFont(14, false, true));
    p.drawText(QPointF(96, 72), QStringLiteral("Boussole électronique RS-232"));
    return image;
}

QImage makeAboutScroll() {
    QImage image = newPicture(kAboutScrollWidth, kAboutScrollHeight, kAboutScrollBackground);
    QPainter p(&image);
    prepareSmooth(p);

    int y = title(p, 12);
    bool firstSection = true;
    for (const AboutTermsSection &section : aboutTerms()) {
        if (!firstSection)
            y += 12;
        firstSection = false;
        y = heading(p, y, section.heading);
        p.setPen(kInk);
        p.setFont(serifFont(14));
        bool firstParagraph = true;
        for (const QString &text : section.paragraphs) {
            if (!firstParagraph)
                y += 6;
            firstParagraph = false;
            y = paragraph(p, y, text);
        }
    }

    // The module fills the rest, its caption at the bottom.
    const int captionTop = kAboutScrollHeight - 30;
    drawModuleFront(p, QPointF(kAboutScrollWidth / 2.0 + 16, (y + captionTop) / 2.0 - 20));
    p.setPen(QColor(90, 90, 90));
    p.setFont(serifFont(13, false, true));
    p.drawText(QRect(0, captionTop, kAboutScrollWidth, 20), Qt::AlignCenter,
               QStringLiteral("Le module boussole et son afficheur LCD"));
    return image;
}

} // namespace datagen
