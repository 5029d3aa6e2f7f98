#pragma once
// Shows the wait cursor for as long as it lives. Nested ones leave the
// cursor to the outermost, so a loop of searches inside one long operation
// does not switch the cursor back and forth.

#include <QApplication>
#include <QCursor>

class CWaitCursor {
public:
    CWaitCursor() {
        const QCursor* current = QApplication::overrideCursor();
        m_set = !current || current->shape() != Qt::WaitCursor;
        if (m_set) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    }
    ~CWaitCursor() {
        if (m_set) {
            QApplication::restoreOverrideCursor();
        }
    }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    bool m_set = false;
};
