#include <QApplication>

#include "app/CQuillApp.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    CQuillApp app;
    if (!app.InitInstance(QApplication::arguments().mid(1))) {
        return 1;
    }
    return QApplication::exec();
}
