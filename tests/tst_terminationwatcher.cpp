// SPDX-License-Identifier: GPL-3.0-or-later
#include <QSignalSpy>
#include <QtTest>
#include <csignal>

#include "terminationwatcher.h"

class TTestTerminationWatcher : public QObject
{
    Q_OBJECT

private slots:
    void Signals_Arrive_On_The_Event_Loop_data();
    void Signals_Arrive_On_The_Event_Loop();
    void Handlers_Restored();
    void Previous_Handler_Restored();
    void Ignored_Signal_Stays_Ignored();
};

namespace
{
int custom_handler_calls = 0;
void Custom_Handler(int)
{
    ++custom_handler_calls;
}

void Set_Handler(int number, void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(number, &action, nullptr);
}

void (*Current_Handler(int number))(int)
{
    struct sigaction current = {};
    sigaction(number, nullptr, &current);
    return current.sa_handler;
}
} // namespace

void TTestTerminationWatcher::Signals_Arrive_On_The_Event_Loop_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void TTestTerminationWatcher::Signals_Arrive_On_The_Event_Loop()
{
    QFETCH(int, number);
    TTerminationWatcher watcher;
    QSignalSpy spy(&watcher, &TTerminationWatcher::Termination_Requested);
    QCOMPARE(raise(number), 0);
    QCOMPARE(spy.count(), 0); // nothing runs in the signal handler itself
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(raise(number), 0);
    QTRY_COMPARE(spy.count(), 2);
}

// Whatever handled the signals before (here the test framework's own handlers) handles
// them again once the watcher is gone.
void TTestTerminationWatcher::Handlers_Restored()
{
    void (*before[3])(int) = {Current_Handler(SIGTERM), Current_Handler(SIGINT),
                              Current_Handler(SIGHUP)};
    {
        TTerminationWatcher watcher;
        QVERIFY(Current_Handler(SIGTERM) != before[0]);
    }
    QVERIFY(Current_Handler(SIGTERM) == before[0]);
    QVERIFY(Current_Handler(SIGINT) == before[1]);
    QVERIFY(Current_Handler(SIGHUP) == before[2]);
    // A second watcher works again after the first is gone.
    TTerminationWatcher again;
    QSignalSpy spy(&again, &TTerminationWatcher::Termination_Requested);
    raise(SIGTERM);
    QTRY_COMPARE(spy.count(), 1);
}

void TTestTerminationWatcher::Previous_Handler_Restored()
{
    Set_Handler(SIGINT, &Custom_Handler);
    {
        TTerminationWatcher watcher;
        QVERIFY(Current_Handler(SIGINT) != &Custom_Handler);
    }
    QVERIFY(Current_Handler(SIGINT) == &Custom_Handler);
    custom_handler_calls = 0;
    raise(SIGINT);
    QCOMPARE(custom_handler_calls, 1);
    Set_Handler(SIGINT, SIG_DFL);
}

// Started under nohup, SIGHUP is ignored: the program must not start to react to it.
void TTestTerminationWatcher::Ignored_Signal_Stays_Ignored()
{
    Set_Handler(SIGHUP, SIG_IGN);
    {
        TTerminationWatcher watcher;
        QSignalSpy spy(&watcher, &TTerminationWatcher::Termination_Requested);
        QVERIFY(Current_Handler(SIGHUP) == SIG_IGN);
        raise(SIGHUP);
        QTest::qWait(50);
        QCOMPARE(spy.count(), 0);
        // The other signals are still watched.
        raise(SIGTERM);
        QTRY_COMPARE(spy.count(), 1);
    }
    QVERIFY(Current_Handler(SIGHUP) == SIG_IGN);
    Set_Handler(SIGHUP, SIG_DFL);
}

QTEST_GUILESS_MAIN(TTestTerminationWatcher)
#include "tst_terminationwatcher.moc"
