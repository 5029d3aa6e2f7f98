#include "app/CDirDlg.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

#include "app/SettingsStore.h"
#include "res/DialogResources.h"
#include "res/FolderPrefix.h"
#include "res/Messages.h"

namespace {

const QString kPickerTitle = QString::fromUtf8(msg::kFolderPickerTitle);

CDirDlg::FolderPicker& Picker() {
    static CDirDlg::FolderPicker picker;
    return picker;
}

// Puts `text` into `box` whole: the limit stops typing, not a longer value
// that is put in (a long setting or a long chosen folder), which OK then
// refuses instead of cutting it short.
void SetBoxText(QLineEdit* box, const QString& text) {
    box->setMaxLength(qMax<int>(CDirDlg::kMaxChars, text.size()));
    box->setText(text);
}

}  // namespace

CDirDlg::CDirDlg(QWidget* parent) : CDialogBase(IDD_DIRECTORY, parent) {
    for (const int id : {IDC_EDIT1, IDC_EDIT2}) {
        QLineEdit* box = Control<QLineEdit>(id);
        box->setMaxLength(kMaxChars);
        // Once a longer value put in has been shortened, the limit is back.
        connect(box, &QLineEdit::textChanged, this, [box](const QString& text) {
            if (text.size() <= kMaxChars && box->maxLength() != kMaxChars) {
                box->setMaxLength(kMaxChars);
            }
        });
    }
    connect(Control<QPushButton>(IDC_BUTTON1), &QPushButton::clicked, this, &CDirDlg::OnBrowseDir);
    connect(Control<QPushButton>(IDC_BUTTON2), &QPushButton::clicked, this, &CDirDlg::OnBrowseHelp);
}

void CDirDlg::SetFolderPickerForTesting(FolderPicker picker) {
    Picker() = std::move(picker);
}

void CDirDlg::OnInitDialog() {
    m_editdir = m_hspdir;
    m_edithelp = m_hsphelp;
    SetBoxText(Control<QLineEdit>(IDC_EDIT1), m_editdir);
    SetBoxText(Control<QLineEdit>(IDC_EDIT2), m_edithelp);
}

void CDirDlg::OnOK() {
    for (const int id : {IDC_EDIT1, IDC_EDIT2}) {
        QLineEdit* box = Control<QLineEdit>(id);
        if (box->text().size() > kMaxChars) {
            msg::Warning(this, QString::fromUtf8(msg::kTooLong).arg(kMaxChars));
            box->setFocus();
            box->selectAll();
            return;
        }
    }
    m_editdir = GetDlgItemText(IDC_EDIT1);
    m_edithelp = GetDlgItemText(IDC_EDIT2);
    m_hspdir = m_editdir;
    m_hsphelp = m_edithelp;
    settings::WriteString(settings::kHspDir, m_hspdir);
    settings::WriteString(settings::kHspHelp, m_hsphelp);
    CDialogBase::OnOK();
}

void CDirDlg::OnBrowseDir() {
    BrowseInto(Control<QLineEdit>(IDC_EDIT1));
}

void CDirDlg::OnBrowseHelp() {
    BrowseInto(Control<QLineEdit>(IDC_EDIT2));
}

void CDirDlg::BrowseInto(QLineEdit* box) {
    const QString folder = BrowseForFolder();
    if (!folder.isEmpty()) {
        // A chosen folder is shown as the prefix it is used as.
        SetBoxText(box, FolderPrefix(folder));
    }
}

QString CDirDlg::BrowseForFolder() {
    if (Picker()) {
        return Picker()(this, kPickerTitle);
    }
    // Qt's own picker, which speaks the interface's language on any desktop.
    return QFileDialog::getExistingDirectory(
        this, kPickerTitle, QString(),
        QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}
