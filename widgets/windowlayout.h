// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TWINDOWLAYOUT_H
#define TWINDOWLAYOUT_H

#include <QObject>
#include <QString>

class QMainWindow;
class QTabWidget;

// How the user arranged the window: where the docks are and how large, which of the tabbed
// docks is in front, and the Results dock's tab. It is one text, so that settings.ini gains a
// single key, and it is there only once the user changed something: a window left as it
// opened writes nothing new.
class TWindowLayout : public QObject
{
    Q_OBJECT

public:
    TWindowLayout(QMainWindow *window, QTabWidget *results_tabs);

    // Arranges the window as the text says; a text this version cannot read leaves the first
    // layout, and then nothing is stored until the user changes it.
    void Restore(const QString &text);
    // What to store: empty while the layout is the first one.
    QString Text() const;

signals:
    // The user changed the layout.
    void Changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString Current() const;
    void Watch_Tab_Bars();
    void Note_Change();

    QMainWindow *window;
    QTabWidget *results_tabs;
    // The layout when the user last pressed a mouse button on the window's frame, a tab or a
    // dock, to tell afterwards whether that press changed anything.
    QString before;
    bool changed;
    bool tab_clicked;
};

#endif
