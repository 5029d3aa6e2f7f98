#pragma once
// "起動オプション": the command line handed to the script when it runs.

#include <QString>

#include "res/CDialogBase.h"

class CRunOptionDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CRunOptionDlg(QWidget* parent = nullptr);

    // Handed in before the dialog runs, handed back after OK: any text, of
    // any length.
    QString m_cmdline;

protected:
    void OnInitDialog() override;
    void OnOK() override;
};
