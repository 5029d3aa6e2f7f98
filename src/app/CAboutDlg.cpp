#include "app/CAboutDlg.h"

#include "res/DialogResources.h"

CAboutDlg::CAboutDlg(QWidget* parent) : CDialogBase(IDD_ABOUTBOX, parent) {}
