// SPDX-License-Identifier: GPL-3.0-or-later
#include "autosave.h"

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
    , failing(false)
{
    Q_ASSERT(document && persistence);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &TAutosave::Save_Scheduled);
    connect(document, &TTestDocument::Modified, this, &TAutosave::Schedule);
}

TAutosave::~TAutosave() = default;

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
    if (!Save(false, true)) {
        timer->start(retry_ms);
    }
}

bool TAutosave::Save(bool force, bool tell)
{
    TPersistence::TSettings settings;
    document->Store_Settings(&settings);
    if (window_settings) {
        window_settings(&settings);
    }
    const bool saved = persistence->Save(settings, document->Measurement_Data(), force);
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
    return saved;
}
