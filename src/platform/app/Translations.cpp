#include "platform/app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace platform {

namespace {

struct Selection {
    Language language;
    std::unique_ptr<QTranslator> own; // none for the source language
    std::unique_ptr<QTranslator> qt;  // Qt's own texts; missing when Qt has no catalogue
};

// Never destroyed: the application may outlive main's objects, and the translators must
// outlive the application.
Selection &Current() {
    static auto *selection = new Selection;
    return *selection;
}

void Install(const Selection &selection) {
    for (QTranslator *translator : {selection.own.get(), selection.qt.get()})
        if (translator != nullptr)
            QCoreApplication::installTranslator(translator);
}

void InstallWhenTheApplicationStarts() { Install(Current()); }
Q_COREAPP_STARTUP_FUNCTION(InstallWhenTheApplicationStarts)

std::string TranslateForQtFree(const char *context, const char *text) {
    return Translate(context, text).toStdString();
}

std::unique_ptr<QTranslator> Loaded(const QString &file, const QString &folder = {}) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file, folder))
        return nullptr;
    return translator;
}

} // namespace

void SelectLanguage(Language language) {
    Selection &selection = Current();
    // Deleting an installed translator takes it off the application.
    selection.own.reset();
    selection.qt.reset();
    selection.language = language;
    if (const QString catalogue = CataloguePath(language); !catalogue.isEmpty()) {
        selection.own = Loaded(catalogue);
        if (!selection.own)
            std::fprintf(stderr,
                         "ventrose: the translation \"%s\" is missing from the program; its "
                         "texts stay French.\n",
                         LanguageCode(language));
    }
    selection.qt = Loaded(QStringLiteral("qtbase_") + QString::fromLatin1(LanguageCode(language)),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (QCoreApplication::instance() != nullptr)
        Install(selection);
    SetTextTranslator(&TranslateForQtFree);
}

Language SelectedLanguage() { return Current().language; }

QString CataloguePath(Language language) {
    const std::string &catalogue = language.Row().catalogue;
    if (catalogue.empty())
        return {};
    return QStringLiteral(":/i18n/") + QString::fromStdString(catalogue) + QStringLiteral(".qm");
}

QLocale LanguageLocale(Language language) {
    return QLocale(QString::fromStdString(language.Row().locale));
}

QString Translate(const char *context, const char *text) {
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::translate(context, text);
    if (const QTranslator *own = Current().own.get()) {
        QString translated = own->translate(context, text);
        if (!translated.isNull())
            return translated;
    }
    return QString::fromUtf8(text);
}

} // namespace platform
