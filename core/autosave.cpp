// SPDX-License-Identifier: GPL-3.0-or-later
#include "autosave.h"

#include <QThread>
#include <QTimer>

#include "testdocument.h"

namespace
{
// Autosave waits this long after the last change, so that a burst of typing is one write.
const int delay_ms = 1000;
// After a failed save, the next attempt comes this much later.
const int retry_ms = 2000;
} // namespace

TAutosave::TAutosave(const TTestDocument *document_, TPersistence *persistence_,
                     const TWindowSettings &window_settings_, QObject *parent)
    : QObject(parent)
    , document(document_)
    , persistence(persistence_)
    , window_settings(window_settings_)
    , timer(new QTimer(this))
    , worker(nullptr)
    , workers_started(0)
    , job(std::make_unique<TPersistence::TSaveJob>())
    , failing(false)
{
    Q_ASSERT(document && persistence);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &TAutosave::Save_Scheduled);
    connect(document, &TTestDocument::Modified, this, &TAutosave::Schedule);
}

// A write still running finishes: the file it replaces is never left half written, and the
// job it writes from must outlive it.
TAutosave::~TAutosave()
{
    if (worker) {
        worker->wait();
        delete worker;
    }
}

void TAutosave::Schedule()
{
    if (persistence->Writable()) {
        timer->start(delay_ms);
    }
}

void TAutosave::Stop()
{
    timer->stop();
}

void TAutosave::Save_Scheduled()
{
    if (worker) {
        // One write at a time; this one comes after it.
        timer->start(delay_ms);
        return;
    }
    TPersistence::TSettings settings;
    document->Store_Settings(&settings);
    if (window_settings) {
        window_settings(&settings);
    }
    persistence->Begin_Save(settings, document->Measurement_Data(), false, job.get());
    if (!job->needed && !job->settings_needed) {
        Complete();
        return;
    }
    TPersistence::TSaveJob *writing = job.get();
    worker = QThread::create([writing]() { writing->Write(); });
    // The news of a worker whose outcome Save has taken already comes too late to count.
    const int serial = ++workers_started;
    connect(worker, &QThread::finished, this, [this, serial]() {
        if (serial == workers_started) {
            Written();
        }
    });
    worker->start();
}

void TAutosave::Written()
{
    if (!worker) {
        return;
    }
    worker->wait();
    delete worker;
    worker = nullptr;
    Complete();
}

void TAutosave::Complete()
{
    const bool saved = persistence->Finish_Save(job.get());
    Report(saved, true);
    if (!saved) {
        timer->start(retry_ms);
    }
}

void TAutosave::Finish_Worker()
{
    if (!worker) {
        return;
    }
    worker->wait();
    delete worker;
    worker = nullptr;
    ++workers_started;
    Report(persistence->Finish_Save(job.get()), true);
}

bool TAutosave::Save(bool force, bool tell)
{
    Finish_Worker();
    TPersistence::TSettings settings;
    document->Store_Settings(&settings);
    if (window_settings) {
        window_settings(&settings);
    }
    const bool saved = persistence->Save(settings, document->Measurement_Data(), force);
    Report(saved, tell);
    return saved;
}

void TAutosave::Report(bool saved, bool tell)
{
    if (saved) {
        failing = false;
        emit Unsaved_Changed(false);
    } else if (persistence->Writable() && !failing) {
        failing = true;
        emit Unsaved_Changed(true);
        if (tell) {
            emit Failure_Told(persistence->Last_Error());
        }
    }
}
