// Help topics of the help file, shown by the help engine without waiting for it.
#pragma once

#include <QString>

namespace platform {
class IHelpViewer;
}

namespace app {

// The help file of the installation folder in the program's language: `aide` followed by
// the language's help file suffix (`aide` for French, `aide.en` for English); `aide` when
// the folder lacks the language's own (one installed before that language's help).
QString HelpFilePath();

// Opens the help file of the installation folder at the topic ("som", "rub2" ... "rub10")
// and returns at once. Never fails its caller: whatever the file holds, or whatever goes
// wrong in the help engine, the window that asked carries on.
void ShowHelpTopic(const QString &topic);

// The help engine the windows use: the one installed, else a help window made at the first
// request.
platform::IHelpViewer &HelpService();
// Installs a help engine process-wide (not owned) and returns the previous one; nullptr
// restores the default.
platform::IHelpViewer *InstallHelpService(platform::IHelpViewer *service);

// Installs a help engine for the lifetime of the object (tests).
class ScopedHelpService {
public:
    explicit ScopedHelpService(platform::IHelpViewer &service)
        : previous_(InstallHelpService(&service)) {}
    ~ScopedHelpService() { InstallHelpService(previous_); }
    ScopedHelpService(const ScopedHelpService &) = delete;
    ScopedHelpService &operator=(const ScopedHelpService &) = delete;

private:
    platform::IHelpViewer *previous_;
};

} // namespace app
