#include "qfo/QfoMessage.h"

#include <QMessageBox>

void QfoMessageBox(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("確認"), text, QMessageBox::Ok, owner);
    box.exec();
}
