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
    void Default_Handling_Restored();
};

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

void TTestTerminationWatcher::Default_Handling_Restored()
{
    {
        TTerminationWatcher watcher;
        struct sigaction installed = {};
        sigaction(SIGTERM, nullptr, &installed);
        QVERIFY(installed.sa_handler != SIG_DFL);
    }
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction current = {};
        sigaction(number, nullptr, &current);
        QVERIFY(current.sa_handler == SIG_DFL);
    }
    // A second watcher works again after the first is gone.
    TTerminationWatcher again;
    QSignalSpy spy(&again, &TTerminationWatcher::Termination_Requested);
    raise(SIGTERM);
    QTRY_COMPARE(spy.count(), 1);
}

QTEST_GUILESS_MAIN(TTestTerminationWatcher)
#include "tst_terminationwatcher.moc"
