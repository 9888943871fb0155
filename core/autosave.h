// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TAUTOSAVE_H
#define TAUTOSAVE_H

#include <QObject>
#include <functional>
#include <memory>

#include "persistence.h"

class QThread;
class QTimer;
class TTestDocument;

// Writes the test and the window's own settings to ~/.curvalo about a second after the last
// change, and again a little later while saving fails. It says when saving starts failing and
// when it works again, so that the window can tell the user once and show that changes are
// not saved. The scheduled save writes the settings and the measurement file on a worker
// thread from a copy of the settings and of the records, so that neither a long list nor a
// slow disk stalls the window; a save asked for directly (closing, SIGTERM) first waits for
// that one and then writes synchronously.
class TAutosave : public QObject
{
    Q_OBJECT

public:
    // What the window adds to the test's settings: its geometry and the exaggeration.
    using TWindowSettings = std::function<void(TPersistence::TSettings *settings)>;

    TAutosave(const TTestDocument *document, TPersistence *persistence,
              const TWindowSettings &window_settings, QObject *parent = nullptr);
    ~TAutosave() override;

    // Writes what changed since the last write (everything when forced); false when a file
    // could not be written. A failure with tell set is reported with Failure_Told.
    bool Save(bool force, bool tell);
    void Stop();
    // True while a scheduled save writes on its worker thread.
    bool Writing() const { return worker != nullptr; }

public slots:
    // Saves shortly, once the user has paused; nothing happens where nothing can be saved.
    void Schedule();

signals:
    // Changes are not saved (true) since a failure, or are saved again (false).
    void Unsaved_Changed(bool unsaved);
    // The first failure since saving last worked, for a save that was asked to tell.
    void Failure_Told(const QString &reason);

private slots:
    void Save_Scheduled();

private:
    // The worker is done: its outcome is taken back and told.
    void Written();
    // Takes the outcome of the scheduled save, tells it, and tries again later on failure.
    void Complete();
    // Waits for a worker still writing and takes its outcome.
    void Finish_Worker();
    void Report(bool saved, bool tell);

    const TTestDocument *document;
    TPersistence *persistence;
    TWindowSettings window_settings;
    QTimer *timer;
    // The scheduled save's worker and its job while it writes; none otherwise.
    QThread *worker;
    int workers_started;
    std::unique_ptr<TPersistence::TSaveJob> job;
    // A failed save has been reported and not yet followed by a successful one.
    bool failing;
};

#endif
