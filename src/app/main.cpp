#include "app/mainwindow.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (QStyle *style = QStyleFactory::create("fusion"))
        QApplication::setStyle(style);
    MainWindow window;
    window.show();
    return application.exec();
}
