// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminationwatcher.h"

#include <QSocketNotifier>
#include <QtGlobal>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

int TTerminationWatcher::socket_pair[2] = {-1, -1};

namespace
{
const int watched_signals[] = {SIGTERM, SIGINT, SIGHUP};
}

TTerminationWatcher::TTerminationWatcher(QObject *parent)
    : QObject(parent)
    , notifier(nullptr)
    , previous()
    , replaced()
{
    Q_ASSERT(socket_pair[0] < 0);
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, socket_pair) != 0) {
        qWarning("%s", qPrintable(tr("Curvalo: cannot watch for termination signals")));
        socket_pair[0] = socket_pair[1] = -1;
        return;
    }
    notifier = new QSocketNotifier(socket_pair[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TTerminationWatcher::Signal_Received);

    struct sigaction action = {};
    action.sa_handler = &TTerminationWatcher::Handle_Signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) {
        sigaction(watched_signals[i], nullptr, &previous[i]);
        if (previous[i].sa_handler != SIG_IGN) {
            replaced[i] = sigaction(watched_signals[i], &action, nullptr) == 0;
        }
    }
}

TTerminationWatcher::~TTerminationWatcher()
{
    if (socket_pair[0] < 0) {
        return;
    }
    for (int i = 0; i < 3; ++i) {
        if (replaced[i]) {
            sigaction(watched_signals[i], &previous[i], nullptr);
        }
    }
    delete notifier;
    ::close(socket_pair[0]);
    ::close(socket_pair[1]);
    socket_pair[0] = socket_pair[1] = -1;
}

// Runs in signal context: only async-signal-safe calls.
void TTerminationWatcher::Handle_Signal(int)
{
    const char byte = 1;
    const ssize_t written = ::write(socket_pair[0], &byte, 1);
    (void)written;
}

void TTerminationWatcher::Signal_Received()
{
    char byte = 0;
    const ssize_t received = ::read(socket_pair[1], &byte, 1);
    (void)received;
    emit Termination_Requested();
}
