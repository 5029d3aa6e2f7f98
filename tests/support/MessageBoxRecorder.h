#pragma once
// Answers every message box that opens while it lives and records each one.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace testutil {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
    bool onlyOk;  // OK is its one button
};

// Polls for a modal message box and presses its OK (or the button labelled
// `answer`, or accepts it when it has neither), so that a command that shows
// one does not block the test.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(const QString& answer = QString()) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this, answer]() {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_boxes.push_back({box->windowTitle(), box->text(), box->icon(),
                                   box->buttons().size() == 1 && box->button(QMessageBox::Ok)});
                const QList<QAbstractButton*> buttons = box->buttons();
                const auto named = std::find_if(buttons.begin(), buttons.end(), [&](auto* b) {
                    return !answer.isEmpty() && b->text() == answer;
                });
                if (named != buttons.end()) {
                    (*named)->click();
                } else if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
                    ok->click();
                } else {
                    box->accept();
                }
            }
        });
        m_timer.start();
    }
    const std::vector<SeenBox>& Boxes() const { return m_boxes; }
    QStringList Texts() const {
        QStringList texts;
        for (const SeenBox& box : m_boxes) {
            texts << box.text;
        }
        return texts;
    }

private:
    QTimer m_timer;
    std::vector<SeenBox> m_boxes;
};

}  // namespace testutil
