#include "nav/CLineDlg.h"

#include "nav/LineNumber.h"
#include "res/DialogResources.h"

CLineDlg::CLineDlg(QWidget* parent) : CDialogBase(IDD_LINE, parent) {}

int CLineDlg::ParseLineNumber(const QString& text) {
    return nav::ParseLineNumber(text);
}

void CLineDlg::OnInitDialog() {
    GetDlgItem(IDC_EDIT1)->setFocus();
}

void CLineDlg::OnOK() {
    m_line = ParseLineNumber(GetDlgItemText(IDC_EDIT1));
    CDialogBase::OnOK();
}
