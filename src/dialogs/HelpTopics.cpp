#include "dialogs/HelpTopics.h"

#include "platform/app/InstallDir.h"
#include "platform/app/Translations.h"
#include "platform/desktop/HelpViewer.h"

#include <QFileInfo>

namespace app {

namespace {

platform::IHelpViewer *installed = nullptr;

platform::IHelpViewer &DefaultHelpViewer() {
    // Made at the first request and kept for the whole run, like the help window it owns.
    static auto *viewer = new platform::HelpViewer;
    return *viewer;
}

} // namespace

QString HelpFilePath() {
    const QString french = platform::InstallDir::File(QStringLiteral("aide"));
    const std::string &suffix = platform::SelectedLanguage().Row().helpSuffix;
    if (suffix.empty())
        return french;
    const QString own = french + QString::fromStdString(suffix);
    return QFileInfo::exists(own) ? own : french;
}

platform::IHelpViewer &HelpService() {
    return installed != nullptr ? *installed : DefaultHelpViewer();
}

platform::IHelpViewer *InstallHelpService(platform::IHelpViewer *service) {
    platform::IHelpViewer *previous = installed;
    installed = service;
    return previous;
}

void ShowHelpTopic(const QString &topic) {
    try {
        HelpService().ShowHelpTopic(HelpFilePath(), topic);
    } catch (...) {
        // Help is a courtesy: a failing help engine must not end the command that asked.
    }
}

} // namespace app
