#include "res/Messages.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextDocumentFragment>

#include "res/CommandTable.h"

namespace msg {

namespace {

// A message longer than this scrolls in a text area rather than growing the
// box past the screen.
constexpr int kMaxLabelLines = 20;
constexpr int kMaxLabelChars = 1500;
// The text area's size, in characters and lines of its font.
constexpr int kAreaColumns = 72;
constexpr int kAreaLines = 18;

// Shows `text` in a read-only, wrapping text area in place of the box's label.
QPlainTextEdit* PutInTextArea(QMessageBox& box, QLabel* label, const QString& text) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    const int index = grid ? grid->indexOf(label) : -1;
    if (index < 0) {
        return nullptr;
    }
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(index, &row, &column, &rows, &columns);
    auto* area = new QPlainTextEdit(text, &box);
    area->setReadOnly(true);
    area->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    area->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const QFontMetrics metrics(area->font());
    area->setMinimumSize(metrics.averageCharWidth() * kAreaColumns,
                         metrics.lineSpacing() * kAreaLines);
    label->hide();
    grid->addWidget(area, row, column, rows, columns);
    return area;
}

// Lets the user select the box's text and copy it: Ctrl+C copies what is
// selected, or the whole message when nothing is.
void MakeCopyable(QMessageBox& box) {
    const QString text = box.text();
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QLabel* label = nullptr;
    for (QLabel* candidate : box.findChildren<QLabel*>()) {
        if (candidate->text() == text) {
            label = candidate;
        }
    }
    QPlainTextEdit* area = nullptr;
    if (label && (text.count(u'\n') >= kMaxLabelLines || text.size() > kMaxLabelChars)) {
        area = PutInTextArea(box, label, text);
    }
    auto* copy = new QShortcut(QKeySequence::Copy, &box);
    QObject::connect(copy, &QShortcut::activated, &box, [label, area, text]() {
        QString selected = area    ? area->textCursor().selection().toPlainText()
                           : label ? label->selectedText()
                                   : QString();
        QGuiApplication::clipboard()->setText(selected.isEmpty() ? text : selected);
    });
}

void Show(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, owner);
    MakeCopyable(box);
    box.exec();
}

}  // namespace

void Warning(QWidget* owner, const QString& text) {
    Show(owner, QMessageBox::Warning, QString::fromUtf8(res::kAppTitle), text);
}

void Plain(QWidget* owner, const QString& text) {
    Show(owner, QMessageBox::NoIcon, QString::fromUtf8(res::kAppTitle), text);
}

void Confirm(QWidget* owner, const QString& text) {
    Show(owner, QMessageBox::NoIcon, QString::fromUtf8(kConfirmTitle), text);
}

bool Ask(QWidget* owner, const QString& text, const char* yes, const char* no) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(res::kAppTitle), text,
                    QMessageBox::NoButton, owner);
    QPushButton* yesButton = box.addButton(QString::fromUtf8(yes), QMessageBox::AcceptRole);
    QPushButton* noButton = box.addButton(QString::fromUtf8(no), QMessageBox::RejectRole);
    box.setDefaultButton(noButton);
    box.setEscapeButton(noButton);
    box.exec();
    return box.clickedButton() == yesButton;
}

SaveAnswer AskToSave(QWidget* owner, const QString& title) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(res::kAppTitle),
                    QString::fromUtf8(kAskToSave).arg(title),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner);
    box.button(QMessageBox::Yes)->setText(QString::fromUtf8(kYes));
    box.button(QMessageBox::No)->setText(QString::fromUtf8(kNo));
    box.button(QMessageBox::Cancel)->setText(QString::fromUtf8(kCancel));
    switch (box.exec()) {
        case QMessageBox::Yes:
            return SaveAnswer::Save;
        case QMessageBox::No:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
}

RecoveryAnswer AskToRecover(QWidget* owner, const QString& text) {
    for (;;) {
        QMessageBox box(QMessageBox::Warning, QString::fromUtf8(res::kAppTitle), text,
                        QMessageBox::NoButton, owner);
        QPushButton* restore =
            box.addButton(QString::fromUtf8(kRecoveryRestore), QMessageBox::AcceptRole);
        QPushButton* discard =
            box.addButton(QString::fromUtf8(kRecoveryDiscard), QMessageBox::DestructiveRole);
        // Esc and the close box press this one: the copies stay for next time.
        box.addButton(QString::fromUtf8(kRecoveryLater), QMessageBox::RejectRole);
        box.setDefaultButton(restore);
        box.exec();
        if (box.clickedButton() == restore) {
            return RecoveryAnswer::Restore;
        }
        if (box.clickedButton() != discard) {
            return RecoveryAnswer::Later;
        }
        // Deleting cannot be taken back: one more question, whose no (or
        // Esc) goes back to the first.
        QMessageBox sure(QMessageBox::Warning, QString::fromUtf8(res::kAppTitle),
                         QString::fromUtf8(kRecoveryConfirmDiscard),
                         QMessageBox::Yes | QMessageBox::No, owner);
        sure.button(QMessageBox::Yes)->setText(QString::fromUtf8(kYes));
        sure.button(QMessageBox::No)->setText(QString::fromUtf8(kNo));
        sure.setDefaultButton(QMessageBox::No);
        if (sure.exec() == QMessageBox::Yes) {
            return RecoveryAnswer::Discard;
        }
    }
}

QString ReadError(fileread::ReadStatus status, const QString& path) {
    const char* text = kReadError;
    switch (status) {
        case fileread::ReadStatus::NotFound:
            text = kFileNotFound;
            break;
        case fileread::ReadStatus::NotRegular:
            text = kNotRegularFile;
            break;
        case fileread::ReadStatus::TooLarge:
            return QString::fromUtf8(kFileTooLarge)
                .arg(path)
                .arg(fileread::kMaxFileBytes / (1024 * 1024));
        case fileread::ReadStatus::OutOfMemory:
            text = kOutOfMemory;
            break;
        case fileread::ReadStatus::Ok:
        case fileread::ReadStatus::ReadFailed:
            break;
    }
    return QString::fromUtf8(text).arg(path);
}

}  // namespace msg
