// The deviation card in force, applied where the user chose: the heading output (HDG carries
// the deviation, HDM and HDT are corrected), the heading log (its deviation column), the
// heading the main window shows; and the status bar says where. Called at start-up, before
// a recording the command line asks for begins (so that its log has the column), and again
// whenever the card or the choice changes.
#pragma once

#include <QString>

namespace swing {
class CardSettings;
}

namespace app {

class Forms;

// What the status bar's deviation panel shows: a short text and the full one as its tool
// tip; both empty when the card applies nowhere (or there is no card).
struct CardStatus {
    QString text;
    QString toolTip;

    friend bool operator==(const CardStatus &, const CardStatus &) = default;
};
CardStatus CardStatusOf(const swing::CardSettings &card);

void ApplyCard(Forms &forms, const swing::CardSettings &card);

} // namespace app
