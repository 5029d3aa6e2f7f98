#include "qfo/CQfoPopupDlg.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <algorithm>

#include "qfo/QfoStore.h"
#include "res/DialogResources.h"
#include "res/Messages.h"

CQfoPopupDlg::CQfoPopupDlg(QWidget* parent) : CDialogBase(IDD_QFOPOPUP, parent) {
    m_list = Control<QListWidget>(IDC_LIST1);
    // Listed in the store's order: sorted ignoring letter case.
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CQfoPopupDlg::OnSelchangeList);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    installEventFilter(this);
}

void CQfoPopupDlg::OnInitDialog() {
    // The window keeps its size; its corner goes to the pointer even when that
    // puts it partly beyond the screen's edge.
    move(m_pos);
    const QStringList names = QfoListEntries();
    m_list->addItems(names);
    m_count = static_cast<int>(names.size());
    if (names.isEmpty()) {
        // Says how to add an entry, wrapped to the popup's width; it cannot
        // be chosen.
        auto* hint = new QListWidgetItem(QString::fromUtf8(msg::kQfoNoEntries), m_list);
        hint->setFlags(Qt::NoItemFlags);
        m_list->setWordWrap(true);
    }
    m_newInstance = false;
    m_list->setFocus();
}

void CQfoPopupDlg::TakeSelection() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (!selected.isEmpty()) {
        m_name = selected.first()->text();
    }
}

void CQfoPopupDlg::OnSelchangeList() {
    TakeSelection();
}

void CQfoPopupDlg::OnDblclkList(bool shift) {
    TakeSelection();
    if (shift) {
        m_newInstance = true;
    }
    OnOK();
}

bool CQfoPopupDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                // Enter confirms the name last selected; it does not look at
                // the selection again.
                if (key->modifiers() & Qt::ShiftModifier) {
                    m_newInstance = true;
                }
                OnOK();
                return true;
            case Qt::Key_Escape:
                m_name.clear();
                OnCancel();
                return true;
            case Qt::Key_Up:
            case Qt::Key_Down:
                // The list starts with its focus frame on the first item but
                // nothing selected; the first arrow key selects that item
                // rather than moving past it (a one-item list would
                // otherwise stay unselected).
                if (watched == m_list && m_list->selectedItems().isEmpty() && m_count > 0) {
                    m_list->setCurrentRow(std::max(m_list->currentRow(), 0));
                    return true;
                }
                break;
            default:
                break;
        }
    } else if (event->type() == QEvent::MouseButtonDblClick && watched == m_list->viewport()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QListWidgetItem* item = m_list->itemAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && item && item->flags() != Qt::NoItemFlags) {
            OnDblclkList((mouse->modifiers() & Qt::ShiftModifier) != 0);
            return true;
        }
    }
    return CDialogBase::eventFilter(watched, event);
}
