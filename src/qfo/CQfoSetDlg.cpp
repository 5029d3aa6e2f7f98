#include "qfo/CQfoSetDlg.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include "qfo/CQfoEntryDlg.h"
#include "qfo/QfoStore.h"
#include "res/DialogResources.h"
#include "res/Messages.h"

CQfoSetDlg::CQfoSetDlg(QWidget* parent) : CDialogBase(IDD_QFOSET, parent) {
    m_list = Control<QListWidget>(IDC_LIST1);
    // Listed in the store's order: sorted ignoring letter case.
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CQfoSetDlg::OnSelchangeList);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CQfoSetDlg::OnDblclkList);
    connect(Control<QPushButton>(IDC_BUTTON1), &QPushButton::clicked, this, &CQfoSetDlg::OnDelete);
    connect(Control<QPushButton>(IDC_BUTTON2), &QPushButton::clicked, this, &CQfoSetDlg::OnAdd);
    connect(Control<QPushButton>(IDC_BUTTON3), &QPushButton::clicked, this, &CQfoSetDlg::OnEdit);
    // Enter and Escape are taken before any control or the dialog sees them.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

void CQfoSetDlg::OnInitDialog() {
    RefreshList();
    GetDlgItem(IDOK)->setFocus();
}

void CQfoSetDlg::RefreshList() {
    m_list->clear();
    const QStringList names = QfoListEntries();
    m_list->addItems(names);
    m_count = static_cast<int>(names.size());
    m_file.clear();
    m_name.clear();
    SetDlgItemText(IDC_EDIT1, m_file);
}

QString CQfoSetDlg::SelectedName() const {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void CQfoSetDlg::OnSelchangeList() {
    const QString name = SelectedName();
    if (name.isEmpty()) {
        return;
    }
    m_name = name;
    // An entry that cannot be read leaves the shown path as it was.
    if (const std::optional<QString> path = QfoReadEntry(m_name)) {
        m_file = *path;
        SetDlgItemText(IDC_EDIT1, m_file);
    }
}

void CQfoSetDlg::OnDblclkList() {
    const QString name = SelectedName();
    if (!name.isEmpty()) {
        m_name = name;
    }
    OnEdit();
}

void CQfoSetDlg::OnDelete() {
    if (m_name.isEmpty()) {
        msg::Confirm(this, QString::fromUtf8(msg::kQfoNothingSelected));
    } else if (!QfoRemoveEntry(m_name)) {
        // Selected but not removable, such as a folder in the store.
        msg::Confirm(this, QString::fromUtf8(msg::kQfoCannotDelete));
    }
    RefreshList();
}

void CQfoSetDlg::OnAdd() {
    CQfoEntryDlg dlg(this);
    dlg.m_isNew = true;
    dlg.DoModal();
    RefreshList();
}

void CQfoSetDlg::OnEdit() {
    if (m_name.isEmpty()) {
        msg::Confirm(this, QString::fromUtf8(msg::kQfoNothingSelected));
        return;
    }
    CQfoEntryDlg dlg(this);
    dlg.m_isNew = false;
    dlg.m_name = m_name;
    dlg.m_file = m_file;
    dlg.DoModal();
    RefreshList();
}

bool CQfoSetDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                OnEdit();
                return true;
            case Qt::Key_Escape:
                return true;
            default:
                break;
        }
    }
    return CDialogBase::eventFilter(watched, event);
}
