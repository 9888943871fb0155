// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TAUTOSAVE_H
#define TAUTOSAVE_H

#include <QObject>
#include <functional>

#include "persistence.h"

class QTimer;
class TTestDocument;

// Writes the test and the window's own settings to ~/.curvalo about a second after the last
// change, and again a little later while saving fails. It says when saving starts failing and
// when it works again, so that the window can tell the user once and show that changes are
// not saved.
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
    const TTestDocument *document;
    TPersistence *persistence;
    TWindowSettings window_settings;
    QTimer *timer;
    // A failed save has been reported and not yet followed by a successful one.
    bool failing;
};

#endif
