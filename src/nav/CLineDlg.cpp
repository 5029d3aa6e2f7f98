#include "nav/CLineDlg.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QDialogButtonBox>
#include <climits>

CLineDlg::CLineDlg(QWidget* parent) : QDialog(parent) {
    auto* layout = new QVBoxLayout(this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName("1001");
    layout->addWidget(m_edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    m_edit->setFocus();
}

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

void CLineDlg::accept() {
    m_line = ParseLineNumber(m_edit->text());
    QDialog::accept();
}
