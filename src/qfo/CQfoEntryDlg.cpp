#include "qfo/CQfoEntryDlg.h"

#include <QPushButton>

#include "qfo/QfoStore.h"
#include "res/CScriptFileDialog.h"
#include "res/DialogResources.h"
#include "res/Messages.h"

namespace {
CQfoEntryDlg::BrowseHook& BrowseHookRef() {
    static CQfoEntryDlg::BrowseHook hook;
    return hook;
}
}  // namespace

const QString CQfoEntryDlg::kBrowseFilter = QString::fromUtf8(msg::kScriptFilter) +
                                            QStringLiteral(";;") +
                                            QString::fromUtf8(msg::kQfoAllFilesFilter);

void CQfoEntryDlg::SetBrowseHookForTesting(BrowseHook hook) {
    BrowseHookRef() = std::move(hook);
}

CQfoEntryDlg::CQfoEntryDlg(QWidget* parent) : CDialogBase(IDD_QFOENTRY, parent) {
    connect(Control<QPushButton>(IDC_BUTTON1), &QPushButton::clicked, this,
            &CQfoEntryDlg::OnBrowse);
}

void CQfoEntryDlg::UpdateData(bool save) {
    if (save) {
        m_name = GetDlgItemText(IDC_EDIT1);
        m_file = GetDlgItemText(IDC_EDIT2);
    } else {
        SetDlgItemText(IDC_EDIT1, m_name);
        SetDlgItemText(IDC_EDIT2, m_file);
    }
}

void CQfoEntryDlg::OnInitDialog() {
    UpdateData(false);
    m_origName = m_name;
    GetDlgItem(IDOK)->setFocus();
}

void CQfoEntryDlg::OnOK() {
    UpdateData(true);
    // Renaming writes the new entry before the old one is removed, so a name
    // that cannot be stored never costs the entry that was there.
    const bool stored =
        m_isNew ? QfoWriteEntry(m_name, m_file) : QfoReplaceEntry(m_origName, m_name, m_file);
    if (!stored) {
        msg::Confirm(this, QString::fromUtf8(msg::kQfoInvalidName));
        return;
    }
    CDialogBase::OnOK();
}

void CQfoEntryDlg::OnBrowse() {
    UpdateData(true);
    m_file = BrowseFile();
    if (!m_file.isEmpty()) {
        UpdateData(false);
    }
}

QString CQfoEntryDlg::BrowseFile() {
    if (BrowseHookRef()) {
        return BrowseHookRef()(this, kBrowseFilter);
    }
    return CScriptFileDialog::GetOpenFileName(this, kBrowseFilter.split(QStringLiteral(";;")));
}
