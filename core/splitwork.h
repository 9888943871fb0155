// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TSPLITWORK_H
#define TSPLITWORK_H

#include <cstddef>
#include <functional>

// A loop over items that do not depend on one another, shared with a second thread. Following
// a keystroke, the window walks every measurement on its own thread while the machine's other
// core waits; with a long list the second half goes to that core.
class TSplitWork
{
public:
    // Calls work(begin, end) so that every index of [0, count) is worked on once: all of it
    // on this thread below minimum items, or where no thread of the global pool is free;
    // otherwise [0, middle) here and [middle, count) on a pool thread at the same time. Returns
    // when all is done. The work must not throw, and must not touch what another index's work
    // touches.
    static void Run(size_t count, size_t minimum,
                    const std::function<void(size_t begin, size_t end)> &work);
};

#endif
