// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TPERSISTENCE_H
#define TPERSISTENCE_H

#include <QByteArray>
#include <QCoreApplication>
#include <QMap>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <thread>
#include <vector>

#include "measurementdata.h"
#include "mpe.h"

class QLockFile;

// The program's state on disk in ~/.curvalo: "settings.ini" with the window geometry, the
// model and its parameters, and "measurements.xml" with the measurements.
//
// One program at a time works on the folder: it holds a lock there, and a second one is told
// so before it reads anything. A measurement file that cannot be read completely is moved
// aside (to "measurements.xml.bak", ".bak.1", ...) as soon as it has been read, so that no
// save ever replaces what the user had; when it cannot be moved, the measurements are never
// saved over it. Every write replaces a file all at once, and a save writes only what changed
// since the last write unless it is forced. Failures keep the system's reason for the user.
class TPersistence
{
    Q_DECLARE_TR_FUNCTIONS(TPersistence)

public:
    // Everything settings.ini holds, with the defaults of a first start.
    struct TSettings {
        QPoint window_position;
        QSize window_size;
        // The index of the model choice; any other number means no model.
        int deflection_model;
        double parameters[4];
        double range_y; // mm
        double range_z; // mm
        // Kept in its own group "MPE" with the keys "A", "K" and "B", written only when set,
        // so that a file without one holds just the keys it always had.
        TMpe mpe;
        // What the report dialog remembers, in the group "Report", written only when entered.
        QString report_title;
        QString report_machine;
        QString report_operator;
        QString report_notes;
        // The machine and the test beyond that, in the same group, each written only when
        // entered.
        QString report_serial_number;
        QString report_manufacturer;
        QString report_location;
        QString report_customer;
        QString report_test_date;
        QString report_procedure;
        // A stored parameter (0 to 3) or range (4 Y, 5 Z) that the program cannot use (not a
        // number, not finite, beyond what a field takes), exactly as written; its number above
        // then counts as 0. A save writes such a text back in place of the number, so a value
        // nobody could use is kept until the user replaces it. Empty for a usable value.
        std::array<QString, 6> unused_texts;
        // The "MPE" group's A, K and B as written, when together they make no usable MPE; the
        // MPE above is then unset, and a save writes them back as they were.
        QStringList unused_mpe_texts;
        // The test file the working state belongs to, and whether it holds changes not yet saved
        // into it; in the group "Test", written only while a test file is open.
        QString test_file;
        bool test_modified = false;
        // The test files opened or saved last, the newest first; "Recent/Tests", written only
        // once there is one.
        QStringList recent_tests;
        // The slider's exaggeration, 1 to 1000; kept as "View/Exaggeration", written only when
        // it is not 1.
        int exaggeration = 1;
        // How the user arranged the docks, as the window writes it; kept as "View/Layout",
        // written only once the user changed the first layout.
        QString window_layout;
        // The parameters of the models not in use, as each had them when it was left: the
        // model's key and "P1 P2 P3 P4"; the group "Model_Parameters", written only once a
        // model was left. The four parameter keys hold the current model's.
        QMap<QString, QString> model_parameters;
        // The test's conditions by key (see TTestConditions::Texts), as written; the group
        // "Conditions", written only when the test has any.
        QMap<QString, QString> conditions;

        bool operator==(const TSettings &other) const;
        bool operator!=(const TSettings &other) const { return !(*this == other); }
    };

    enum TLockState {
        LOCK_TAKEN,          // this program works on the folder
        LOCK_HELD_ELSEWHERE, // another running program does; nothing is read or written
        LOCK_UNAVAILABLE     // no lock could be made (no folder, or it is not writable)
    };

    TPersistence();
    ~TPersistence();
    TPersistence(const TPersistence &) = delete;
    TPersistence &operator=(const TPersistence &) = delete;

    // Finds or makes ".curvalo" in the home folder and takes its lock. An empty home path
    // means there is no home: then nothing is made, read or written.
    void Open(const QString &home_path);
    TLockState Lock_State() const { return lock_state; }
    bool Readable() const { return readable; }
    bool Writable() const { return writable; }
    // Why nothing can be saved, for the user; empty when saving is possible.
    QString Unsaved_Reason() const { return unsaved_reason; }
    QString Directory() const { return directory; }
    QString Settings_File() const;
    QString Measurement_File() const;

    TSettings Load_Settings();
    // What a settings file holds, the defaults for what it does not; the batch tool reads any
    // settings file this way.
    static TSettings Read_Settings_File(const QString &file_name);
    // What a fit stores: its four parameters, and the model (unless negative) and ranges
    // (unless 0) it used where they are not what the file already holds.
    struct TFit {
        double parameters[4] = {0.0, 0.0, 0.0, 0.0};
        int model = -1;
        double range_y = 0.0;
        double range_z = 0.0;
    };
    // Stores a fit in a settings file, all at once, keeping everything else it holds; false,
    // with the reason, when it could not be written.
    static bool Write_Fit(const QString &file_name, const TFit &fit, QString *reason);
    // Fills the store from the measurement file, and moves a file that could not be read
    // completely aside. The memory the reading took goes back to the system meanwhile, on a
    // thread of its own, which the next load or the destructor waits for.
    void Load_Measurements(TMeasurementData *data);
    // What could not be read from the measurement file, for the user; empty when it was read
    // completely or did not exist.
    QString Load_Problem() const { return load_problem; }
    // Where the original of an incompletely read file now is; empty when it was not moved.
    QString Kept_File() const { return kept_file; }

    // Writes what changed since the last write (everything when forced); false when a file
    // could not be written, with the reason in Last_Error().
    bool Save(const TSettings &settings, const TMeasurementData &data, bool force);
    QString Last_Error() const { return last_error; }

    // Save in three steps, so that the writing can run on a worker thread, from the settings
    // and the records as they were: Begin_Save finds out what changed since the last write
    // and takes a copy of the settings and a snapshot of the records for what needs writing
    // (a change of the store afterwards copies the list, not the snapshot); the job's Write
    // runs on any thread and touches nothing else; Finish_Save takes the outcome back and
    // returns what Save would. One job at a time, begun and finished on the owner's thread.
    struct TSaveJob {
        bool settings_needed = false; // the settings file must be written
        QString settings_file;
        TSettings settings;
        bool settings_written = false;
        QString settings_error; // one line for each problem, each ending in a line break

        bool needed = false; // the measurement file must be written
        QString file;
        // The records as they were when the save began, whatever happens to the store since.
        std::shared_ptr<const std::vector<TMeasurementData::TMeasurement>> records;
        quint64 revision = 0; // of the records
        bool written = false;
        QString error;
        void Write();
    };
    void Begin_Save(const TSettings &settings, const TMeasurementData &data, bool force,
                    TSaveJob *job);
    bool Finish_Save(TSaveJob *job);
    // How many files this program has written so far.
    int Files_Written() const { return files_written; }

private:
    // Writes the settings file, on any thread; false with the reason in *error.
    static bool Write_Settings(const QString &file, const TSettings &values, QString *error);
    // False when the measurements cannot be saved at all; else *needed says whether the file
    // differs from the records.
    bool Measurements_Writable(const TMeasurementData &data, bool *needed);
    void Keep_Unreadable_Measurement_File();

    QString directory;
    std::unique_ptr<QLockFile> lock;
    TLockState lock_state;
    bool readable;
    bool writable;
    QString unsaved_reason;
    QString load_problem;
    QString kept_file;
    // True when an incompletely read file could not be moved aside: it must not be replaced.
    bool measurement_file_blocked;
    QString last_error;
    // Between Begin_Save and Finish_Save: the error before the save, and what the first half
    // achieved.
    QString previous_error;
    bool begun_ok;
    int files_written;
    // What is on disk, as far as this program knows, to tell whether a save has work to do.
    bool settings_known;
    TSettings settings_on_disk;
    bool measurements_known;
    // The revision of the records on disk: a copy of them would cost as much memory again.
    quint64 revision_on_disk = 0;
    // Reads the measurement file, then hands what reading took back to the system.
    std::thread reader;
};

#endif
