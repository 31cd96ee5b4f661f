#include "platform/desktop/HelpViewer.h"

#include <QCoreApplication>
#include <QFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QWidget>

namespace platform {
namespace {

bool HasAnchor(const QTextDocument &document, const QString &name) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(name))
                return true;
    return false;
}

QString MissingFilePage(const QString &helpFile) {
    return QCoreApplication::translate(
               "HelpViewer", "<h2>Aide indisponible</h2><p>Le fichier d'aide <b>%1</b> est "
                             "introuvable ou illisible.</p>")
        .arg(helpFile.toHtmlEscaped());
}

} // namespace

HelpViewer::HelpViewer() = default;

HelpViewer::~HelpViewer() { delete window_; }

void HelpViewer::MakeWindow() {
    window_ = new QWidget(nullptr, Qt::Window);
    window_->setWindowTitle(QCoreApplication::translate("HelpViewer", "Aide de Ventrose"));
    window_->resize(560, 480);
    browser_ = new QTextBrowser(window_);
    browser_->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(window_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
}

void HelpViewer::Load(const QString &helpFile) {
    QFile file(helpFile);
    if (!file.open(QIODevice::ReadOnly)) {
        browser_->setHtml(MissingFilePage(helpFile));
        loadedFile_.clear(); // try again next time: the file may have come back
        return;
    }
    // Links between topics ("#rub2") stay inside the document; relative pictures resolve from
    // the help file's folder.
    browser_->document()->setBaseUrl(QUrl::fromLocalFile(helpFile));
    browser_->setHtml(QString::fromUtf8(file.readAll()));
    loadedFile_ = helpFile;
}

void HelpViewer::ShowHelpTopic(const QString &helpFile, const QString &topic) {
    if (!window_)
        MakeWindow();
    if (helpFile != loadedFile_)
        Load(helpFile);
    topicFound_ = !loadedFile_.isEmpty() && HasAnchor(*browser_->document(), topic);
    window_->show();
    window_->raise();
    window_->activateWindow();
    // An unknown topic shows the file from its beginning.
    if (topicFound_)
        browser_->scrollToAnchor(topic);
    else
        browser_->verticalScrollBar()->setValue(0);
}

} // namespace platform
