#include "program/CardWiring.h"

#include "logwindow/HeadingLog.h"
#include "mainwindow/Unit1.h"
#include "nmea/HeadingShare.h"
#include "program/Forms.h"
#include "swing/SwingRecord.h"

#include <QCoreApplication>
#include <QStringList>

#include <optional>

namespace app {

namespace {

// The card where it is chosen, nothing elsewhere.
std::optional<deviation::Coefficients> Where(bool chosen, const swing::CardSettings &card) {
    return chosen ? card.Card() : std::nullopt;
}

} // namespace

CardStatus CardStatusOf(const swing::CardSettings &card) {
    QStringList places, full;
    if (card.ToHeadingOutput()) {
        places << QCoreApplication::translate("CardWiring", "sortie");
        full << QCoreApplication::translate("CardWiring", "la sortie du cap (NMEA)");
    }
    if (card.ToHeadingLog()) {
        places << QCoreApplication::translate("CardWiring", "journal");
        full << QCoreApplication::translate("CardWiring", "le journal du cap");
    }
    if (card.ToDisplay()) {
        places << QCoreApplication::translate("CardWiring", "affichage");
        full << QCoreApplication::translate("CardWiring", "le cap affiché");
    }
    if (places.isEmpty())
        return {};
    return {QCoreApplication::translate("CardWiring", "Dév. : %1")
                .arg(places.join(QStringLiteral(", "))),
            QCoreApplication::translate("CardWiring", "La carte de déviation est appliquée à : %1")
                .arg(full.join(QStringLiteral(", ")))};
}

void ApplyCard(Forms &forms, const swing::CardSettings &card) {
    forms.Share()->SetCard(Where(card.ToHeadingOutput(), card));
    // A recording under way keeps its columns; the rows it takes from now on carry the
    // deviation (or leave it empty) as the choice says.
    forms.Log()->Recorder().SetCard(Where(card.ToHeadingLog(), card));
    forms.Form1()->SetDisplayCard(Where(card.ToDisplay(), card));
    const CardStatus status = CardStatusOf(card);
    forms.Form1()->ShowCardStatus(status.text, status.toolTip);
}

} // namespace app
