#pragma once
// Dialog 132: asks for the number of the line to go to.

#include "res/CDialogBase.h"

class CLineDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CLineDlg(QWidget* parent = nullptr);

    // The line entered, one-based; 0 when nothing usable was entered.
    int m_line = 0;

protected:
    void OnInitDialog() override;
    void OnOK() override;
};
