// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <QToolBar>

#include "firstpaintexit.h"

// The floor for Curvalo's start-up: a main window with a menu bar, a tool bar and an empty
// central widget, started and ended the same way.
int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    if (QStyle *style = QStyleFactory::create(QStringLiteral("fusion"))) {
        QApplication::setStyle(style);
    }
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Quit"));
    window.addToolBar(QStringLiteral("Tools"))->addAction(QStringLiteral("New"));
    QWidget *central = new QWidget(&window);
    window.setCentralWidget(central);
    window.resize(801, 601);
    new TFirstPaintExit(central);
    window.show();
    return QApplication::exec();
}
