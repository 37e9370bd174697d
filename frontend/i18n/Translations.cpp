#include "i18n/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace brisca {

namespace {

// The one translator installed at a time; the application outlives every use of it.
QTranslator& Translator()
{
    static QTranslator translator;
    return translator;
}

} // namespace

bool InstallTranslations(Language language)
{
    SetMessageLanguage(language);
    QTranslator& translator = Translator();
    QCoreApplication::removeTranslator(&translator);
    // The windows' sources are written in Japanese, so Japanese needs only Qt's own texts
    // (file dialogs, standard buttons); English needs only the windows' texts, as Qt's own
    // are English already.
    const bool loaded = language == Language::English
                            ? translator.load(QStringLiteral(":/i18n/brisca_en.qm"))
                            : translator.load(QStringLiteral("qtbase_ja"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return loaded && QCoreApplication::installTranslator(&translator);
}

} // namespace brisca
