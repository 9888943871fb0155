#include "curvalo.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);

    if (QStyle *style = QStyleFactory::create(QStringLiteral("fusion"))) {
        QApplication::setStyle(style);
    }
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/curvalo.png")));

    TCurvalo *window = new TCurvalo(nullptr, Qt::WindowFlags());
    window->show();
    const int result = QApplication::exec();
    delete window;
    return result;
}
