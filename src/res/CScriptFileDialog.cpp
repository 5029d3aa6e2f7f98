#include "res/CScriptFileDialog.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>

namespace {

constexpr char kScriptSuffix[] = "as";
// The pattern of the "all files" type as its visible text shows it.
constexpr char kAllFilesPattern[] = "(*.*)";
// The type Qt gives a file name when the "all files" type is chosen.
constexpr char kAnyType[] = ".*";

}  // namespace

CScriptFileDialog::CScriptFileDialog(QWidget* parent, Mode mode, const QStringList& filters)
    : QFileDialog(parent), m_mode(mode) {
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(mode == Mode::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    setFileMode(mode == Mode::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    setNameFilters(filters);
    if (mode == Mode::Save) {
        setDefaultSuffix(QString::fromLatin1(kScriptSuffix));
    }
    // Qt matches "*.*" only against names with a dot; the model is given "*"
    // instead whenever that type is chosen. The dialog applies its own
    // patterns first (its connection was made when it was built).
    connect(this, &QFileDialog::filterSelected, this, &CScriptFileDialog::ApplyFilter);
    // Choosing that type in a Save dialog makes Qt give the name the type
    // ".*"; the name as it was is kept to be put back.
    if (auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (!text.endsWith(QLatin1String(kAnyType))) {
                m_name = text;
            }
        });
    }
}

bool CScriptFileDialog::IsAllFilesFilter(const QString& filter) {
    return filter.trimmed().endsWith(QLatin1String(kAllFilesPattern));
}

void CScriptFileDialog::ApplyFilter(const QString& filter) {
    if (!IsAllFilesFilter(filter)) {
        return;
    }
    if (auto* model = findChild<QFileSystemModel*>()) {
        model->setNameFilters({QStringLiteral("*")});
    }
    auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (m_mode == Mode::Save && edit && edit->text().endsWith(QLatin1String(kAnyType))) {
        edit->setText(m_name);
    }
}

void CScriptFileDialog::accept() {
    // A name typed without a type opens the script of that name when there
    // is no file by the name itself.
    if (m_mode == Mode::Open) {
        auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (edit) {
            const QString typed = edit->text().trimmed();
            if (!typed.isEmpty() && !typed.contains(QLatin1Char('.')) &&
                !typed.contains(QLatin1Char('"'))) {
                const QString path =
                    QFileInfo(typed).isAbsolute() ? typed : directory().absoluteFilePath(typed);
                const QString script = path + QLatin1Char('.') + QLatin1String(kScriptSuffix);
                if (!QFileInfo::exists(path) && QFileInfo::exists(script)) {
                    edit->setText(typed + QLatin1Char('.') + QLatin1String(kScriptSuffix));
                }
            }
        }
    }
    QFileDialog::accept();
}

QString CScriptFileDialog::SelectedFile() const {
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

QString CScriptFileDialog::GetOpenFileName(QWidget* parent, const QStringList& filters) {
    CScriptFileDialog dialog(parent, Mode::Open, filters);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.SelectedFile();
}
