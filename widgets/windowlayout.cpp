// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowlayout.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QMainWindow>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>

namespace
{
// "1;TAB;STATE": the version of this text, the Results dock's tab, and the window's own
// record of its docks in Base64.
const QLatin1String version("1");
} // namespace

TWindowLayout::TWindowLayout(QMainWindow *window_, QTabWidget *results_tabs_)
    : QObject(window_)
    , window(window_)
    , results_tabs(results_tabs_)
    , changed(false)
    , tab_clicked(false)
{
    window->installEventFilter(this);
    for (QDockWidget *dock : window->findChildren<QDockWidget *>()) {
        dock->installEventFilter(this);
        connect(dock->toggleViewAction(), &QAction::triggered, this, &TWindowLayout::Note_Change);
        // Only the user moves a dock once the window is built.
        connect(dock, &QDockWidget::topLevelChanged, this, &TWindowLayout::Note_Change);
        connect(dock, &QDockWidget::dockLocationChanged, this, &TWindowLayout::Note_Change);
    }
    // The program turns the tab too (a restored layout); only the user's click counts.
    connect(results_tabs, &QTabWidget::tabBarClicked, this, [this]() { tab_clicked = true; });
    connect(results_tabs, &QTabWidget::currentChanged, this, [this]() {
        if (tab_clicked) {
            tab_clicked = false;
            Note_Change();
        }
    });
    Watch_Tab_Bars();
}

// The window makes a tab bar for docks tabbed together, and new ones as the user tabs them.
void TWindowLayout::Watch_Tab_Bars()
{
    for (QTabBar *bar : window->findChildren<QTabBar *>(QString(), Qt::FindDirectChildrenOnly)) {
        bar->removeEventFilter(this);
        bar->installEventFilter(this);
    }
}

QString TWindowLayout::Current() const
{
    return QStringList{version, QString::number(results_tabs->currentIndex()),
                       QString::fromLatin1(window->saveState().toBase64())}
        .join(QLatin1Char(';'));
}

void TWindowLayout::Restore(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(';'));
    bool tab_ok = false;
    const int tab = parts.size() == 3 ? parts[1].toInt(&tab_ok) : -1;
    if (parts.size() != 3 || parts[0] != version || !tab_ok || tab < 0 ||
        tab >= results_tabs->count() ||
        !window->restoreState(QByteArray::fromBase64(parts[2].toLatin1()))) {
        return;
    }
    results_tabs->setCurrentIndex(tab);
    changed = true;
}

QString TWindowLayout::Text() const
{
    return changed ? Current() : QString();
}

void TWindowLayout::Note_Change()
{
    changed = true;
    before.clear();
    Watch_Tab_Bars();
    emit Changed();
}

bool TWindowLayout::eventFilter(QObject *watched, QEvent *event)
{
    // A press on the window itself is one on the splitter between the docks and the drawing;
    // on a dock, its title bar; on a tab bar, a tab.
    const bool own = watched == window || qobject_cast<QDockWidget *>(watched) ||
                     qobject_cast<QTabBar *>(watched);
    if (own && event->type() == QEvent::MouseButtonPress) {
        before = Current();
    } else if (own && event->type() == QEvent::MouseButtonRelease && !before.isEmpty()) {
        if (Current() != before) {
            Note_Change();
        }
    }
    return QObject::eventFilter(watched, event);
}
