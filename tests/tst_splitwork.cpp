// SPDX-License-Identifier: GPL-3.0-or-later
#include <QSemaphore>
#include <QThreadPool>
#include <QtTest>
#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "splitwork.h"

// A loop shared with a pool thread: every index once, and the calling thread never left waiting
// for a pool that has no thread to give.
class TTestSplitWork : public QObject
{
    Q_OBJECT

private slots:
    void Every_Index_Once_data();
    void Every_Index_Once();
};

void TTestSplitWork::Every_Index_Once_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<bool>("pool_busy");
    QTest::addColumn<bool>("shared");
    QTest::newRow("nothing") << 0 << 0 << false << false;
    QTest::newRow("one item") << 1 << 0 << false << false;
    QTest::newRow("two items") << 2 << 0 << false << true;
    QTest::newRow("below the minimum") << 1999 << 2000 << false << false;
    QTest::newRow("at the minimum") << 2000 << 2000 << false << true;
    QTest::newRow("an odd count") << 10001 << 2000 << false << true;
    QTest::newRow("every pool thread busy") << 10001 << 2000 << true << false;
}

void TTestSplitWork::Every_Index_Once()
{
    QFETCH(int, count);
    QFETCH(int, minimum);
    QFETCH(bool, pool_busy);
    QFETCH(bool, shared);
    QThreadPool *pool = QThreadPool::globalInstance();
    QVERIFY(pool->waitForDone(5000));
    // Holds every pool thread until released.
    QSemaphore hold;
    int held = 0;
    if (pool_busy) {
        while (pool->tryStart([&hold]() { hold.acquire(); })) {
            ++held;
        }
        QVERIFY(held > 0);
    }

    std::vector<std::atomic<int>> visits(static_cast<size_t>(count));
    std::mutex mutex;
    std::set<std::thread::id> threads;
    TSplitWork::Run(size_t(count), size_t(minimum), [&](size_t begin, size_t end) {
        QVERIFY(begin <= end && end <= size_t(count));
        for (size_t i = begin; i < end; ++i) {
            ++visits[i];
        }
        const std::lock_guard<std::mutex> lock(mutex);
        threads.insert(std::this_thread::get_id());
    });
    hold.release(held);
    QVERIFY(pool->waitForDone(5000));

    for (size_t i = 0; i < visits.size(); ++i) {
        QVERIFY2(visits[i] == 1,
                 qPrintable(QString("index %1: %2 times").arg(i).arg(visits[i].load())));
    }
    // Here, and on a second thread only where the work was shared.
    QCOMPARE(threads.count(std::this_thread::get_id()), size_t(1));
    QCOMPARE(threads.size() > 1, shared);
}

QTEST_GUILESS_MAIN(TTestSplitWork)
#include "tst_splitwork.moc"
