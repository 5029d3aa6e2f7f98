#include "nav/CLineDlg.h"

#include <climits>

#include "res/DialogResources.h"

CLineDlg::CLineDlg(QWidget* parent) : CDialogBase(IDD_LINE, parent) {}

int CLineDlg::ParseLineNumber(const QString& text) {
    int number = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            break;
        }
        const int digit = c.unicode() - '0';
        if (number > (INT_MAX - digit) / 10) {
            return INT_MAX;
        }
        number = number * 10 + digit;
    }
    return number;
}

void CLineDlg::OnInitDialog() {
    GetDlgItem(IDC_EDIT1)->setFocus();
}

void CLineDlg::OnOK() {
    m_line = ParseLineNumber(GetDlgItemText(IDC_EDIT1));
    CDialogBase::OnOK();
}
