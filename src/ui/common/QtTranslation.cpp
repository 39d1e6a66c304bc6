#include "ui/common/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installQtTranslation()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

bool installTranslations(UiLanguage language)
{
    // Qt's own Japanese texts are a nicety: a machine without them still gets the program's.
    if (language == UiLanguage::Japanese)
        installQtTranslation();
    auto *translator = new QTranslator(QCoreApplication::instance());
    const QString catalogue = language == UiLanguage::Japanese
                                  ? QStringLiteral(":/i18n/velo2_ja.qm")
                                  : QStringLiteral(":/i18n/velo2_en.qm");
    if (!translator->load(catalogue)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
