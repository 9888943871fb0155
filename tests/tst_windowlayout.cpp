// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDockWidget>
#include <QFile>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "resultsdock.h"
#include "windowfixture.h"

// The docks' places and sizes and the tabs in front come back after a restart, and a window
// left as it opened adds nothing to settings.ini.
class TTestWindowLayout : public QObject, protected TWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void Untouched_Layout_Is_Not_Written();
    void Layout_Survives_A_Restart_data();
    void Layout_Survives_A_Restart();
    void Unreadable_Layout_Keeps_The_First();

private:
    QString Settings_File() const { return Directory() + "/settings.ini"; }
    QString Settings_Text() const
    {
        QFile file(Settings_File());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    TResultsDock *Results() const { return window->findChild<TResultsDock *>(); }
    QDockWidget *Editor_Dock() const
    {
        return window->findChild<QDockWidget *>("measurement_dock");
    }
    // The tab bar the window made for the tabbed docks.
    QTabBar *Dock_Tabs() const
    {
        const QList<QTabBar *> bars =
            window->findChildren<QTabBar *>(QString(), Qt::FindDirectChildrenOnly);
        return bars.isEmpty() ? nullptr : bars.first();
    }
    void Restart()
    {
        Close();
        Start();
    }
};

void TTestWindowLayout::init()
{
    New_Home();
    Start();
}

void TTestWindowLayout::cleanup()
{
    window.reset();
}

void TTestWindowLayout::Untouched_Layout_Is_Not_Written()
{
    // The program itself turning tabs and moving the window is no change of the user's.
    Results()->raise();
    Results()->Tabs()->setCurrentIndex(1);
    window->resize(900, 700);
    Close();
    QVERIFY(!Settings_Text().isEmpty());
    QVERIFY(!Settings_Text().contains("Layout"));
}

void TTestWindowLayout::Layout_Survives_A_Restart_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("the Results dock in front") << "dock tab";
    QTest::newRow("the chart in front") << "chart tab";
    QTest::newRow("the editor floating") << "float";
}

void TTestWindowLayout::Layout_Survives_A_Restart()
{
    QFETCH(QString, change);
    if (change == "dock tab") {
        QVERIFY(Dock_Tabs());
        QCOMPARE(Dock_Tabs()->count(), 2);
        QTest::mouseClick(Dock_Tabs(), Qt::LeftButton, Qt::NoModifier,
                          Dock_Tabs()->tabRect(1).center());
        QTRY_VERIFY(Results()->isVisible());
    } else if (change == "chart tab") {
        QTest::mouseClick(Dock_Tabs(), Qt::LeftButton, Qt::NoModifier,
                          Dock_Tabs()->tabRect(1).center());
        QTabBar *bar = Results()->Tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(1).center());
        QCOMPARE(Results()->Tabs()->currentIndex(), 1);
    } else {
        // A double click on the editor's title bar takes it out of the window.
        const QPoint title(20, 8);
        QTest::mouseDClick(Editor_Dock(), Qt::LeftButton, Qt::NoModifier, title);
        QTest::mouseRelease(Editor_Dock(), Qt::LeftButton, Qt::NoModifier, title);
        QVERIFY(Editor_Dock()->isFloating());
    }
    const bool floating = Editor_Dock()->isFloating();
    const int dock_tab = Dock_Tabs() ? Dock_Tabs()->currentIndex() : -1;
    const int results_tab = Results()->Tabs()->currentIndex();
    Restart();
    QVERIFY(Settings_Text().contains("Layout="));
    QCOMPARE(Editor_Dock()->isFloating(), floating);
    if (!floating) {
        QCOMPARE(Dock_Tabs()->currentIndex(), dock_tab);
        // The dock behind its tab is kept out of sight, the one in front is on screen.
        QCOMPARE(Results()->visibleRegion().isEmpty(), dock_tab == 0);
    }
    QCOMPARE(Results()->Tabs()->currentIndex(), results_tab);
}

void TTestWindowLayout::Unreadable_Layout_Keeps_The_First()
{
    const int first_width = Editor_Dock()->width();
    Close();
    for (const char *const text : {"1;7;AAAA", "2;0;AAAA", "1;0;not base64 at all", "garbage"}) {
        {
            QSettings settings(Settings_File(), QSettings::IniFormat);
            settings.setValue("View/Layout", text);
        }
        Start();
        QVERIFY2(Results()->visibleRegion().isEmpty(), text);
        QCOMPARE(Dock_Tabs()->currentIndex(), 0);
        QCOMPARE(Results()->Tabs()->currentIndex(), 0);
        QCOMPARE(Editor_Dock()->width(), first_width);
        Close();
    }
}

QTEST_MAIN(TTestWindowLayout)
#include "tst_windowlayout.moc"
