#include "dialogs/Unit2.h"

namespace app {

TForm2::TForm2(MainWindowAccess &mainWindow)
    : TOptionPairForm(mainWindow, {
                                      .caption = QStringLiteral("Port série RS232"),
                                      .client = QSize(193, 112),
                                      .groupTitle = QStringLiteral(" Sélection du port série : "),
                                      .group = QRect(8, 4, 177, 65),
                                      .text1 = QStringLiteral("COM 1"),
                                      .text2 = QStringLiteral("COM2"),
                                      .option1 = QPoint(24, 34),
                                      .option2 = QPoint(104, 34),
                                      .helpButton = QRect(8, 77, 81, 27),
                                      .okButton = QRect(104, 77, 81, 27),
                                      .binding = BindOptionPair(&settings::SettingsView::Port,
                                                                &settings::SettingsView::SetPort,
                                                                settings::TComPort::Com1,
                                                                settings::TComPort::Com2),
                                      .helpTopic = QStringLiteral("rub2"),
                                  }) {}

} // namespace app
