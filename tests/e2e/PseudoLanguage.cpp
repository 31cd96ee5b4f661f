// What the tests' program "ventrose_pseudo" adds to the shipped program: the pseudo-language
// "xx" (its row, and its catalogue and help file built by tests/e2e/pseudo-language from the
// English ones), and, when VENTROSE_SHOWN_TEXTS names a file, a record of the texts of each
// window as it shows: one JSON object a line, {"window", "kind", "text"}, which
// e2e.PseudoLanguage reads to find a text that went round the translation.
#include "base/Language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTabBar>
#include <QTextBrowser>
#include <QTimer>

namespace {

// The row as a new language's would be written in the table; the tests' program adds it at
// its start, before the language is chosen.
[[maybe_unused]] const platform::Language pseudoLanguage =
    platform::AddLanguage({.code = "xx",
                           .localePrefixes = {"xx"},
                           .catalogue = "ventrose_xx",
                           .helpSuffix = ".xx",
                           .locale = "en_US"});

class ShownTexts : public QObject {
public:
    explicit ShownTexts(const QString &path) : file_(path) {
        file_.open(QIODevice::WriteOnly | QIODevice::Append);
    }

    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show && widget != nullptr && widget->isWindow()) {
            // Once the window's own handlers have filled it in.
            QPointer<QWidget> shown(widget);
            QTimer::singleShot(0, this, [this, shown] {
                if (shown && shown->isVisible())
                    Record(*shown);
            });
        }
        return false;
    }

private:
    void Write(const QWidget &window, const char *kind, const QString &text) {
        if (text.trimmed().isEmpty())
            return;
        const QJsonObject line{
            {"window", window.windowTitle()}, {"kind", QString::fromLatin1(kind)}, {"text", text}};
        file_.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
    }

    void WriteActions(const QWidget &window, const QList<QAction *> &actions) {
        for (const QAction *action : actions) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            Write(window, "action", action->text());
            if (action->menu() != nullptr)
                WriteActions(window, action->menu()->actions());
        }
    }

    void Record(const QWidget &window) {
        Write(window, "title", window.windowTitle());
        if (const auto *menu = qobject_cast<const QMenu *>(&window))
            WriteActions(window, menu->actions());
        for (const QWidget *child : window.findChildren<QWidget *>()) {
            if (!child->isVisibleTo(&window))
                continue;
            if (const auto *label = qobject_cast<const QLabel *>(child))
                Write(window, "label", label->text());
            else if (const auto *button = qobject_cast<const QAbstractButton *>(child))
                Write(window, "button", button->text());
            else if (const auto *group = qobject_cast<const QGroupBox *>(child))
                Write(window, "group", group->title());
            else if (const auto *bar = qobject_cast<const QMenuBar *>(child))
                WriteActions(window, bar->actions());
            else if (const auto *tabs = qobject_cast<const QTabBar *>(child))
                for (int i = 0; i < tabs->count(); ++i)
                    Write(window, "tab", tabs->tabText(i));
            else if (const auto *browser = qobject_cast<const QTextBrowser *>(child))
                Write(window, "page", browser->toPlainText());
        }
        file_.flush();
    }

    QFile file_;
};

void WatchShownTexts() {
    const QString path = qEnvironmentVariable("VENTROSE_SHOWN_TEXTS");
    if (!path.isEmpty())
        qApp->installEventFilter(new ShownTexts(path));
}
Q_COREAPP_STARTUP_FUNCTION(WatchShownTexts)

} // namespace
