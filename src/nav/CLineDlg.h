#pragma once
// Dialog 132: asks for the number of the line to go to.

#include <QString>

#include "res/CDialogBase.h"

class CLineDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CLineDlg(QWidget* parent = nullptr);

    // The number that the digits at the start of `text` spell; 0 when it
    // starts with anything else; INT_MAX when it is too large for an int
    // (which is past every line).
    static int ParseLineNumber(const QString& text);

    // The line entered, one-based; 0 when nothing usable was entered.
    int m_line = 0;

protected:
    void OnInitDialog() override;
    void OnOK() override;
};
