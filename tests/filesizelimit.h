// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TFILESIZELIMIT_H
#define TFILESIZELIMIT_H

#include <csignal>
#include <sys/resource.h>

// While it lives, no file of this process may grow beyond the limit: a write past it fails
// with "File too large", as a full disk makes it fail. The signal the kernel would send is
// ignored, so the failure reaches the program as an error.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t bytes)
        : previous_handler(std::signal(SIGXFSZ, SIG_IGN))
        , previous_limit()
    {
        getrlimit(RLIMIT_FSIZE, &previous_limit);
        rlimit limit = previous_limit;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_limit);
        std::signal(SIGXFSZ, previous_handler);
    }
    TFileSizeLimit(const TFileSizeLimit &) = delete;
    TFileSizeLimit &operator=(const TFileSizeLimit &) = delete;

private:
    void (*previous_handler)(int);
    rlimit previous_limit;
};

#endif
