#include "curvalo.h"
#include "terminationwatcher.h"

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
    // Asked to terminate (logout, shutdown, kill), the window closes as by Quit and saves.
    TTerminationWatcher termination_watcher;
    QObject::connect(&termination_watcher, &TTerminationWatcher::Termination_Requested, window,
                     &QWidget::close);
    window->show();
    const int result = QApplication::exec();
    delete window;
    return result;
}
