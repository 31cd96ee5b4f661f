// Help topics: the help file `aide` (HTML, one anchor per topic) shown in a help window.
#pragma once

#include <QPointer>
#include <QString>
#include <QTextBrowser>
#include <QWidget>

namespace platform {

// What the windows ask of the help engine; tests put a recording one in its place.
class IHelpViewer {
public:
    virtual ~IHelpViewer() = default;
    // Shows the topic of the help file and returns at once. Never fails its caller: whatever
    // the file holds (or if it is missing), the viewer shows what it can.
    virtual void ShowHelpTopic(const QString &helpFile, const QString &topic) = 0;
};

class HelpViewer : public IHelpViewer {
public:
    HelpViewer();
    ~HelpViewer() override;
    HelpViewer(const HelpViewer &) = delete;
    HelpViewer &operator=(const HelpViewer &) = delete;

    void ShowHelpTopic(const QString &helpFile, const QString &topic) override;

    // The help window, made at the first request (null before).
    QWidget *Window() const { return window_; }
    QTextBrowser *Browser() const { return browser_; }
    // Whether the last request found its topic in the file.
    bool TopicFound() const { return topicFound_; }

private:
    void MakeWindow();
    void Load(const QString &helpFile);

    QPointer<QWidget> window_;
    QPointer<QTextBrowser> browser_;
    QString loadedFile_;
    bool topicFound_ = false;
};

} // namespace platform
