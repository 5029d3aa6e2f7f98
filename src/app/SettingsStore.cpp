#include "app/SettingsStore.h"

#include <QSettings>

namespace settings {
namespace {

constexpr char kSection[] = "Settings";
constexpr char kRecentSection[] = "Recent File List";
constexpr char kViewFontSizeKey[] = "View/FontSize";
constexpr char kViewOutputPaneKey[] = "View/OutputPane";
constexpr char kCommandsSection[] = "Commands";
constexpr char kViewLineNumbersKey[] = "View/LineNumbers";

QSettings OpenStore() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "Blue Moss!", "QUILL");
}

QString SettingsKey(const char* key) {
    return QString::fromLatin1(kSection) + '/' + key;
}

// A value with commas comes back from a hand-written INI file as a list.
QString StringOf(const QVariant& v) {
    if (v.typeId() == QMetaType::QStringList) {
        return v.toStringList().join(',');
    }
    return v.toString();
}

}  // namespace

QString GetString(const char* key) {
    return StringOf(OpenStore().value(SettingsKey(key)));
}

int GetInt(const char* key, int defaultValue) {
    const QVariant v = OpenStore().value(SettingsKey(key));
    bool ok = false;
    const int value = v.toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

void WriteString(const char* key, const QString& value) {
    QSettings store = OpenStore();
    store.setValue(SettingsKey(key), value);
    store.sync();
}

void WriteInt(const char* key, int value) {
    QSettings store = OpenStore();
    store.setValue(SettingsKey(key), value);
    store.sync();
}

bool Contains(const char* key) {
    return OpenStore().contains(SettingsKey(key));
}

QStringList RecentFiles() {
    QSettings store = OpenStore();
    store.beginGroup(kRecentSection);
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString f = store.value(QStringLiteral("File%1").arg(i)).toString();
        if (!f.isEmpty()) {
            files << f;
        }
    }
    return files;
}

void WriteRecentFiles(const QStringList& files) {
    QSettings store = OpenStore();
    store.beginGroup(kRecentSection);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= files.size()) {
            store.setValue(key, files.at(i - 1));
        } else {
            store.remove(key);
        }
    }
    store.endGroup();
    store.sync();
}

int ViewFontSize(int defaultValue) {
    bool ok = false;
    const int value = OpenStore().value(kViewFontSizeKey).toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

void WriteViewFontSize(int points) {
    QSettings store = OpenStore();
    store.setValue(kViewFontSizeKey, points);
    store.sync();
}

bool ViewOutputPane() {
    return OpenStore().value(kViewOutputPaneKey).toString().trimmed() == QLatin1String("true");
}

void WriteViewOutputPane(bool shown) {
    QSettings store = OpenStore();
    store.setValue(kViewOutputPaneKey, shown);
    store.sync();
}

QString Command(const char* key, const QString& defaultValue) {
    QSettings store = OpenStore();
    store.beginGroup(kCommandsSection);
    return store.contains(key) ? StringOf(store.value(key)) : defaultValue;
}

void WriteCommand(const char* key, const QString& value) {
    QSettings store = OpenStore();
    store.beginGroup(kCommandsSection);
    store.setValue(key, value);
    store.endGroup();
    store.sync();
}

bool ViewLineNumbers() {
    return OpenStore().value(kViewLineNumbersKey).toString().trimmed() == QLatin1String("1");
}

void WriteViewLineNumbers(bool shown) {
    QSettings store = OpenStore();
    store.setValue(kViewLineNumbersKey, shown ? 1 : 0);
    store.sync();
}

}  // namespace settings
