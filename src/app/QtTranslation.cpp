#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>

namespace {

// Texts of Qt's dialogs that Qt's Japanese catalog leaves in English.
struct QtText {
    const char* context;
    const char* source;
    const char* japanese;
};

const QtText kMissingTexts[] = {
    {"QPrintSettingsOutput", "Double Sided Printing", "両面印刷"},
    {"QPrintSettingsOutput", "Off", "しない"},
    {"QPrintSettingsOutput", "Long side binding", "長辺綴じ"},
    {"QPrintSettingsOutput", "Short side binding", "短辺綴じ"},
    {"QPrintSettingsOutput", "Pages", "ページ指定"},
    {"QPrintSettingsOutput",
     "Specify pages or ranges separated by commas. Ranges are specified by two numbers "
     "separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     "ページまたは範囲をカンマで区切って指定します。範囲は 2 つの数字をハイフンでつなぎます。"
     "例: 3,5-7,9 はページ 3、5、6、7、9 を印刷します。"},
    {"QPrintPropertiesWidget", "Advanced", "詳細設定"},
    {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
     "一部のオプションが矛盾しています。修正してください。"},
    {"QAbstractFileIconProvider", "Folder", "フォルダ"},
    {"QAbstractFileIconProvider", "Drive", "ドライブ"},
};

// Answers for the texts of kMissingTexts; installed after Qt's catalog, it
// is asked first and passes every other text on.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* source, const char*, int) const override {
        for (const QtText& text : kMissingTexts) {
            if (std::strcmp(context, text.context) == 0 && std::strcmp(source, text.source) == 0) {
                return QString::fromUtf8(text.japanese);
            }
        }
        return QString();
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

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
    QCoreApplication::installTranslator(new MissingQtTexts(QCoreApplication::instance()));
    return true;
}
