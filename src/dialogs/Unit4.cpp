#include "dialogs/Unit4.h"

#include <QCoreApplication>

namespace app {

TForm4::TForm4(MainWindowAccess &mainWindow)
    : TOptionPairForm(
          mainWindow,
          {
              .caption = QCoreApplication::translate("TForm4", "Types de menus déroulant"),
              .client = QSize(248, 128),
              .groupTitle =
                  QCoreApplication::translate("TForm4", " Quels types de menus souhaitez-vous ? "),
              .group = QRect(8, 4, 232, 81),
              .text1 = QCoreApplication::translate("TForm4", "Menus de type Microsoft Office XP"),
              .text2 = QCoreApplication::translate("TForm4", "Menus de type conventionnel"),
              .option1 = QPoint(16, 24),
              .option2 = QPoint(16, 52),
              .helpButton = QRect(8, 93, 89, 27),
              .okButton = QRect(151, 93, 89, 27),
              .binding = BindOptionPair(
                  &settings::SettingsView::MenuStyle, &settings::SettingsView::SetMenuStyle,
                  settings::TMenuStyle::Flat, settings::TMenuStyle::Conventional),
              .helpTopic = QStringLiteral("rub5"),
          }) {}

} // namespace app
