#include "dialogs/HelpTopics.h"

#include "platform/HelpViewer.h"
#include "platform/InstallDir.h"

namespace app {

namespace {

platform::IHelpViewer *installed = nullptr;

platform::IHelpViewer &DefaultHelpViewer() {
    // Made at the first request and kept for the whole run, like the help window it owns.
    static auto *viewer = new platform::HelpViewer;
    return *viewer;
}

} // namespace

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
        HelpService().ShowHelpTopic(platform::InstallDir::File(QStringLiteral("aide")), topic);
    } catch (...) {
        // Help is a courtesy: a failing help engine must not end the command that asked.
    }
}

} // namespace app
