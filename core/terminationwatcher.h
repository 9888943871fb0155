// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TTERMINATIONWATCHER_H
#define TTERMINATIONWATCHER_H

#include <QObject>
#include <csignal>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C) into a signal delivered on the
// GUI thread, so that the window can close the normal way and save everything. The handler
// only writes one byte into a socket pair; the event loop does the rest. One instance at a time.
// A signal the program was started to ignore (SIGHUP under nohup) stays ignored, and the
// handlers that were there before come back when the watcher goes.
class TTerminationWatcher : public QObject
{
    Q_OBJECT

public:
    explicit TTerminationWatcher(QObject *parent = nullptr);
    ~TTerminationWatcher() override;

signals:
    void Termination_Requested();

private slots:
    void Signal_Received();

private:
    static void Handle_Signal(int number);

    static int socket_pair[2];
    QSocketNotifier *notifier;
    // The handlers found at construction, one per watched signal, and whether we replaced it.
    struct sigaction previous[3];
    bool replaced[3];
};

#endif
