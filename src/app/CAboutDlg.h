#pragma once
// "ﾊﾞｰｼﾞｮﾝ情報": the icon, the version and a few lines about QUILL.

#include "res/CDialogBase.h"

class CAboutDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
