// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include "messagebox.h"
#include "windowfixture.h"

// The frame of the main window: menus, tool bar, dock, About and Quit.
class TTestMainWindow : public QObject, protected TWindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void Menus_data();
    void Menus();
    void Tool_Bar_Starts_With_New_Init_Separator();
    void Dock_Areas_And_View_Entry();
    void About_Box();
    void About_Leaves_Nothing_For_Next_Box();
    void Quit_Ends_Event_Loop_With_Zero();
    void Resources_And_Style();
};

void TTestMainWindow::initTestCase()
{
    New_Home();
}

void TTestMainWindow::cleanup()
{
    window.reset();
}

void TTestMainWindow::Menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QList<QKeySequence>>("shortcuts");
    QTest::addColumn<QList<bool>>("has_icon");
    QTest::newRow("File") << "File"
                          << QStringList{"New",
                                         "Init",
                                         "",
                                         "Open Test\u2026",
                                         "Open Recent",
                                         "Save Test",
                                         "Save Test As\u2026",
                                         "Test Details\u2026",
                                         "",
                                         "Import Measurements\u2026",
                                         "Export Measurements\u2026",
                                         "",
                                         "Export Picture\u2026",
                                         "Export Report\u2026",
                                         "Print Preview\u2026",
                                         "Print\u2026",
                                         "",
                                         "Quit"}
                          << QList<QKeySequence>{QKeySequence(QKeySequence::New),
                                                 QKeySequence(),
                                                 QKeySequence(),
                                                 QKeySequence(QKeySequence::Open),
                                                 QKeySequence(),
                                                 QKeySequence(QKeySequence::Save),
                                                 QKeySequence(QKeySequence::SaveAs),
                                                 QKeySequence(),
                                                 QKeySequence(),
                                                 QKeySequence(),
                                                 QKeySequence(),
                                                 QKeySequence(),
                                                 QKeySequence(),
                                                 QKeySequence(),
                                                 QKeySequence(),
                                                 QKeySequence(QKeySequence::Print),
                                                 QKeySequence(),
                                                 QKeySequence(QKeySequence::Quit)}
                          << QList<bool>{true,  true,  false, false, false, false,
                                         false, false, false, false, false, false,
                                         false, false, false, false, false, false};
    QTest::newRow("Edit") << "Edit" << QStringList{"Undo", "Redo", "", "Delete"}
                          << QList<QKeySequence>{QKeySequence(QKeySequence::Undo),
                                                 QKeySequence(QKeySequence::Redo), QKeySequence(),
                                                 QKeySequence(QKeySequence::Delete)}
                          << QList<bool>{false, false, false, false};
    QTest::newRow("View") << "View" << QStringList{"Measurement Editor", "Results"}
                          << QList<QKeySequence>{QKeySequence(), QKeySequence()}
                          << QList<bool>{false, false};
    QTest::newRow("Tools") << "Tools"
                           << QStringList{"Generate Test Plan\u2026", "Fit Parameters\u2026",
                                          "Compare Models\u2026", "", "Generate Retests"}
                           << QList<QKeySequence>{QKeySequence(), QKeySequence(), QKeySequence(),
                                                  QKeySequence(), QKeySequence()}
                           << QList<bool>{false, false, false, false, false};
    QTest::newRow("Help") << "Help"
                          << QStringList{"About", "", "User Guide", "What the drawing shows"}
                          << QList<QKeySequence>{QKeySequence(), QKeySequence(),
                                                 QKeySequence(QKeySequence::HelpContents),
                                                 QKeySequence()}
                          << QList<bool>{false, false, false, false};
}

void TTestMainWindow::Menus()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, entries);
    QFETCH(QList<QKeySequence>, shortcuts);
    QFETCH(QList<bool>, has_icon);

    Start();
    QStringList titles;
    for (QAction *action : window->menuBar()->actions()) {
        titles << action->text();
    }
    QCOMPARE(titles, (QStringList{"File", "Edit", "View", "Tools", "Help"}));

    QMenu *found = Menu(menu);
    QVERIFY(found);
    const QList<QAction *> actions = found->actions();
    QCOMPARE(actions.size(), entries.size());
    for (int i = 0; i < actions.size(); ++i) {
        QCOMPARE(actions[i]->isSeparator(), entries[i].isEmpty());
        QCOMPARE(actions[i]->text(), entries[i]);
        QCOMPARE(actions[i]->shortcut(), shortcuts[i]);
        QCOMPARE(!actions[i]->icon().isNull(), has_icon[i]);
    }
}

void TTestMainWindow::Tool_Bar_Starts_With_New_Init_Separator()
{
    Start();
    const QList<QToolBar *> bars = window->findChildren<QToolBar *>();
    QCOMPARE(bars.size(), 1);
    QCOMPARE(window->toolBarArea(bars[0]), Qt::TopToolBarArea);
    const QList<QAction *> actions = bars[0]->actions();
    QVERIFY(actions.size() >= 3);
    QCOMPARE(actions[0]->text(), QString("New"));
    QCOMPARE(actions[1]->text(), QString("Init"));
    QVERIFY(actions[2]->isSeparator());
}

void TTestMainWindow::Dock_Areas_And_View_Entry()
{
    Start();

    QDockWidget *dock = window->findChild<QDockWidget *>("measurement_dock");
    QVERIFY(dock);
    QCOMPARE(dock->windowTitle(), QString("Measurement Editor"));
    QCOMPARE(dock->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    QCOMPARE(window->dockWidgetArea(dock), Qt::LeftDockWidgetArea);

    QAction *toggle = Menu("View")->actions().value(0);
    QVERIFY(toggle->isCheckable());
    QVERIFY(toggle->isChecked());

    dock->close(); // what the title bar's close button does
    QVERIFY(!dock->isVisible());
    QVERIFY(!toggle->isChecked());

    toggle->trigger();
    QVERIFY(dock->isVisible());
    QVERIFY(toggle->isChecked());
}

void TTestMainWindow::About_Box()
{
    Start();

    bool seen = false;
    QTimer::singleShot(0, [&seen]() {
        TMessageBox *box = qobject_cast<TMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        seen = true;
        QVERIFY(box->text().contains(">Help - About</span>"));
        QVERIFY(box->text().contains("font-weight:600"));
        QVERIFY(box->informativeText().contains(">Curvalo - Version 2.0</span>"));
        QVERIFY(box->informativeText().contains("font-weight:400"));
        QCOMPARE(box->icon(), QMessageBox::Information);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Ok));
        QVERIFY(box->detailedText().isEmpty());
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    Menu("Help")->actions().value(0)->trigger();
    QVERIFY(seen);
    QVERIFY(!QApplication::activeModalWidget());
}

void TTestMainWindow::About_Leaves_Nothing_For_Next_Box()
{
    Start();
    // The box is made the first time it is needed, and then kept for the next question.
    QVERIFY(!window->findChild<TMessageBox *>());
    QTimer::singleShot(0, []() {
        qobject_cast<TMessageBox *>(QApplication::activeModalWidget())->Send_Key(Qt::Key_Return);
    });
    Menu("Help")->actions().value(0)->trigger();
    TMessageBox *box = window->findChild<TMessageBox *>();
    QVERIFY(box);
    box->setDetailedText("left over");
    box->setIcon(QMessageBox::Critical);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    QTimer::singleShot(0, [box]() {
        QVERIFY(box->detailedText().isEmpty());
        QCOMPARE(box->icon(), QMessageBox::Information);
        QCOMPARE(box->buttons().size(), 1);
        box->Send_Key(Qt::Key_Return);
    });
    Menu("Help")->actions().value(0)->trigger();
}

void TTestMainWindow::Quit_Ends_Event_Loop_With_Zero()
{
    Start();
    QAction *quit = Menu("File")->actions().last();
    QCOMPARE(quit->text(), QString("Quit"));

    QTimer::singleShot(0, quit, &QAction::trigger);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window->isVisible());
}

void TTestMainWindow::Resources_And_Style()
{
    const QIcon app_icon(":/icons/curvalo.png");
    QCOMPARE(app_icon.availableSizes(), QList<QSize>{QSize(64, 64)});
    QCOMPARE(QIcon(":/menu/file_new.png").availableSizes(), QList<QSize>{QSize(32, 32)});
    QCOMPARE(QIcon(":/menu/file_init.png").availableSizes(), QList<QSize>{QSize(32, 32)});
    QVERIFY2(QStyleFactory::keys().contains("Fusion"), "the program asks for the fusion style");
}

QTEST_MAIN(TTestMainWindow)
#include "tst_mainwindow.moc"
