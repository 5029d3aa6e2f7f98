#pragma once
// "コマンド設定": the commands that compile and run a script when the HSP
// folder holds no compiler library, with a button that puts the defaults back.

#include <QString>

#include "res/CDialogBase.h"

class CCommandDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CCommandDlg(QWidget* parent = nullptr);

    // Handed in before the dialog runs, handed back after OK.
    QString m_compile;
    QString m_run;

protected:
    void OnInitDialog() override;
    void OnOK() override;
};
