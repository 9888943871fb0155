// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TFIRSTPAINTEXIT_H
#define TFIRSTPAINTEXIT_H

#include <QObject>

class QWidget;

// Ends the process as soon as the widget has painted for the first time. The start-up
// benchmark starts programs with this in place to time them from launch to first paint;
// nothing is saved and no other code runs after the paint.
class TFirstPaintExit : public QObject
{
    Q_OBJECT

public:
    explicit TFirstPaintExit(QWidget *watched);
    ~TFirstPaintExit() override;

    // True when the environment asks for it (CURVALO_EXIT_AFTER_FIRST_PAINT=1).
    static bool Requested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void Exit_Now();
};

#endif
