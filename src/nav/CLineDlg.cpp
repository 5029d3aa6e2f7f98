#include "nav/CLineDlg.h"

#include "nav/LineNumber.h"
#include "res/DialogResources.h"

CLineDlg::CLineDlg(QWidget* parent) : CDialogBase(IDD_LINE, parent) {}

void CLineDlg::OnInitDialog() {
    GetDlgItem(IDC_EDIT1)->setFocus();
}

void CLineDlg::OnOK() {
    m_line = nav::ParseLineNumber(GetDlgItemText(IDC_EDIT1));
    CDialogBase::OnOK();
}
