// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMEASUREMENTDATA_H
#define TMEASUREMENTDATA_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <memory>
#include <unordered_map>
#include <vector>

#include "vector3.h"

class TXmlFile;

// The user's length measurements, kept in the order they were added and keyed by identifiers
// that the store hands out itself: every identifier is at least 1 and no two records share one.
class TMeasurementData
{
    Q_DECLARE_TR_FUNCTIONS(TMeasurementData)

public:
    struct TMeasurement {
        int id;
        TVector3 position;     // mm, the centre of the measured length
        TVector3 axis;         // unit vector along the measured length
        double nominal_length; // mm
        // What the machine measured (mm), when it has been entered; always finite.
        bool has_measured_length = false;
        double measured_length = 0.0;
        // The gauge's own temperature (°C) when it was measured, when it differs from the
        // test's; always finite.
        bool has_temperature = false;
        double temperature = 20.0;
        // The id of the failing result this measurement measures again; 0 for none.
        int retest_of = 0;

        // Every field the same, to the last bit of each number.
        bool operator==(const TMeasurement &other) const;
        bool operator!=(const TMeasurement &other) const { return !(*this == other); }
    };

    TMeasurementData();
    // A copy shares its original's list until either changes it. Without moves, no store is
    // ever left without a list.
    TMeasurementData(const TMeasurementData &other) = default;
    TMeasurementData &operator=(const TMeasurementData &other) = default;
    ~TMeasurementData() = default;

    // A copy that shares no memory with this store, not even its texts: this store can then
    // be freed on another thread without that thread's allocator and the copy's ever meeting.
    TMeasurementData Unshared_Copy() const;

    // Appends a record with default values under the smallest free identifier and returns it.
    int Add_Measurement();
    // The smallest identifier no record has.
    int Free_Id() const;
    // Appends a copy; a record whose id is not positive or already used is dropped silently.
    void Add_Measurement(const TMeasurement &measurement);
    // Overwrites the record with the same id in place; never adds one.
    bool Update_Measurement(const TMeasurement &measurement);
    bool Remove_Measurement(int id);
    // Removes every record with one of the ids in one pass; ids not found are skipped.
    void Remove_Measurements(const std::vector<int> &ids);
    void Clear_Measurements();
    // Replaces every record by these, in this order, as Add_Measurement would take them.
    void Set_Measurements(const std::vector<TMeasurement> &records);
    // Replaces the count records from the position on by these, as an undo step puts a part
    // of the list back; the records must not share an id with any that stay.
    void Replace_Records(size_t position, size_t count, const std::vector<TMeasurement> &by);
    // Where the record sits in the list; the list's size when there is none with the id.
    size_t Position_Of(int id) const;

    bool Measurement_Id_Exists(int id) const;
    // Every record in store order.
    const std::vector<TMeasurement> &Measurements() const { return *list; }
    // The list as it is now, which no change of the store touches: a writer on another thread
    // may hold it while the store changes on.
    std::shared_ptr<const std::vector<TMeasurement>> Snapshot() const { return list; }
    std::vector<int> Get_Measurement_Ids() const;
    // Copies the record into *measurement when found; leaves it untouched otherwise.
    bool Get_Measurement(int id, TMeasurement *measurement) const;

    // The measurement file, "Curvalo_Measurement_Data" version 1. Both return false and keep
    // the message in last_error on failure. A load first empties the store.
    bool Load_Data(const QString &file_name);
    bool Save_Data(const QString &file_name) const;
    // The bytes Save_Data writes; empty when the document cannot be built.
    QByteArray File_Data() const;
    // Reads the version-1 body of an opened file into the store; throws TXmlFileException.
    void Load_Data_V1(TXmlFile *xml_file);

    QString Last_Error() const { return last_error; }
    // Changes with every change of the records and is never the same for two different lists
    // of records: equal revisions are equal records, whichever object holds them (a copy
    // keeps its original's). A saver that remembers the revision it wrote needs no copy of
    // the records to tell whether they changed since.
    quint64 Revision() const { return revision; }

    // True when the axis has a direction: a finite length of at least 1e-6.
    static bool Is_Usable_Axis(const TVector3 &axis);
    // How many records the last load dropped for a missing, non-positive or repeated "Id".
    int Dropped_Records() const { return dropped_records; }
    // What the last load could not represent, one line each ("line 7: ..."): text that is not a
    // number (read as 0), elements and comments the format does not have, dropped records. A
    // save would lose these, so a file with notes counts as not completely read.
    QStringList Load_Notes() const { return load_notes; }

    // Writes records as Save_Data writes a store, touching nothing shared: a worker thread
    // may call it with its own copy. False, with the reason in *error, when it failed.
    static bool Save_Records(const QString &file_name, const std::vector<TMeasurement> &records,
                             QString *error);

    // The measurement file's text for these records.
    static QByteArray File_Text(const std::vector<TMeasurement> &records);

private:
    // Where each id sits in the list, rebuilt from the given position on.
    void Reindex_From(size_t position);

    // Shared with copies and snapshots; Changing() gives the store a list of its own first.
    std::shared_ptr<std::vector<TMeasurement>> list;
    // id -> position in the list, so that no lookup walks it.
    std::unordered_map<int, size_t> index;
    // Every id below this one is taken, so that the search for a free id starts here and
    // handing out many ids stays linear.
    int free_from;
    // Set by a failed load or save; a save is const, hence mutable.
    mutable QString last_error;
    int dropped_records;
    QStringList load_notes;
    quint64 revision;
    // A new revision, and a list of its own, before any change of the records.
    void Changing();
};

#endif
