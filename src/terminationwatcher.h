#ifndef TTERMINATIONWATCHER_H
#define TTERMINATIONWATCHER_H

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C) into a signal delivered on the
// GUI thread, so that the window can close the normal way and save everything. The handler
// only writes one byte into a socket pair; the event loop does the rest. One instance at a time.
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
};

#endif
