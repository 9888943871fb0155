// SPDX-License-Identifier: GPL-3.0-or-later
#include "curvalo.h"
#include "displaywidget.h"
#include "firstpaintexit.h"
#include "terminationwatcher.h"
#include "translations.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QStyleFactory>

int main(int argc, char **argv)
{
    TCurvalo::Enable_High_Dpi();
    QApplication application(argc, argv);

    if (QStyle *style = QStyleFactory::create(QStringLiteral("fusion"))) {
        QApplication::setStyle(style);
    }
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/curvalo.png")));
    // The language follows the system's locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
    TTranslations::Install(QLocale());

    TCurvalo *window = new TCurvalo(nullptr, Qt::WindowFlags());
    // Another Curvalo works on the same settings folder: this one wrote nothing and ends.
    if (window->Settings_Folder_In_Use()) {
        window->Tell_Settings_Folder_In_Use();
        delete window;
        return 1;
    }
    // Asked to terminate (logout, shutdown, kill), the window closes as by Quit and saves
    // what it can; there is nobody to ask.
    TTerminationWatcher termination_watcher;
    QObject::connect(&termination_watcher, &TTerminationWatcher::Termination_Requested, window,
                     &TCurvalo::Close_Unattended);
    // A test file named on the command line (a double click on it) opens in the window.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        QString error;
        if (!window->Open_Test(arguments.at(1), &error)) {
            window->Tell_Open_Failure(error);
        }
    }
    if (TFirstPaintExit::Requested()) {
        new TFirstPaintExit(window->findChild<TDisplayWidget *>());
    }
    window->show();
    const int result = QApplication::exec();
    delete window;
    return result;
}
