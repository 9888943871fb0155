// SPDX-License-Identifier: GPL-3.0-or-later
#include "splitwork.h"

#include <QSemaphore>
#include <QThreadPool>

void TSplitWork::Run(size_t count, size_t minimum,
                     const std::function<void(size_t begin, size_t end)> &work)
{
    if (count < minimum || count < 2) {
        work(0, count);
        return;
    }
    const size_t middle = count / 2;
    QSemaphore done;
    // A pool thread waits for work already, where a thread of its own would first have to be
    // made; where all are busy, waiting for one could take longer than doing it here.
    const bool started = QThreadPool::globalInstance()->tryStart([&work, &done, middle, count]() {
        work(middle, count);
        done.release();
    });
    work(0, middle);
    if (started) {
        done.acquire();
    } else {
        work(middle, count);
    }
}
