// SPDX-License-Identifier: GPL-3.0-or-later
#include "firstpaintexit.h"

#include <QEvent>
#include <QWidget>
#include <cstdlib>

TFirstPaintExit::TFirstPaintExit(QWidget *watched)
    : QObject(watched)
{
    watched->installEventFilter(this);
}

TFirstPaintExit::~TFirstPaintExit() = default;

bool TFirstPaintExit::Requested()
{
    return qEnvironmentVariableIntValue("CURVALO_EXIT_AFTER_FIRST_PAINT") == 1;
}

bool TFirstPaintExit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        // After the paint event has been handled and its pixels have gone to the screen.
        QMetaObject::invokeMethod(this, "Exit_Now", Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void TFirstPaintExit::Exit_Now()
{
    std::_Exit(0);
}
