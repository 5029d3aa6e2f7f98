#pragma once
// Helpers for the QuickFileOpen widget tests.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "support/TestUtil.h"

namespace qfotest {

// Runs `act` on the next modal widget, which must be a T; anything else
// fails the test and is closed so that the test does not hang.
template <class T>
void OnNextModal(std::function<void(T*)> act) {
    testutil::WhenModal([act](QWidget* modal) {
        if (auto* typed = qobject_cast<T*>(modal)) {
            act(typed);
            return;
        }
        ADD_FAILURE() << "unexpected modal widget " << modal->metaObject()->className();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->done(0);
        }
    });
}

struct Box {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
};

// While it lives, answers every message box with OK and records it.
class MessageBoxRecorder {
public:
    MessageBoxRecorder() {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this]() {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_boxes.push_back({box->windowTitle(), box->text(), box->icon()});
                box->button(QMessageBox::Ok)->click();
            }
        });
        m_timer.start();
    }
    const std::vector<Box>& Boxes() const { return m_boxes; }

private:
    QTimer m_timer;
    std::vector<Box> m_boxes;
};

}  // namespace qfotest
