#include "res/Messages.h"

#include <QMessageBox>
#include <QPushButton>

#include "res/CommandTable.h"

namespace msg {

namespace {

void Show(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, owner);
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
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(res::kAppTitle), text,
                    QMessageBox::NoButton, owner);
    QPushButton* restore =
        box.addButton(QString::fromUtf8(kRecoveryRestore), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QString::fromUtf8(kRecoveryDiscard), QMessageBox::DestructiveRole);
    box.setDefaultButton(restore);
    box.exec();
    return box.clickedButton() == restore   ? RecoveryAnswer::Restore
           : box.clickedButton() == discard ? RecoveryAnswer::Discard
                                            : RecoveryAnswer::Later;
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
