#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstallQtTranslation() {
    // One catalog for the whole run, however often start-up is repeated.
    static QTranslator* translator = nullptr;
    if (translator) {
        return true;
    }
    // Dates and sizes in the dialogs follow the interface's language too.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* loaded = new QTranslator(QCoreApplication::instance());
    if (!loaded->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(loaded)) {
        delete loaded;
        return false;
    }
    translator = loaded;
    return true;
}
