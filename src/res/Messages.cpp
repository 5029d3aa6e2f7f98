#include "res/Messages.h"

#include <QMessageBox>

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

}  // namespace msg
