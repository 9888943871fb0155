// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMEASUREMENTCHANGE_H
#define TMEASUREMENTCHANGE_H

#include <cstddef>
#include <vector>

#include "measurementdata.h"

// What one step did to the list of measurements, kept small: the records between the common
// head and the common tail of the list before and after, as they were and as they became.
// An edit keeps one record, an added measurement none, a removal the records from the first
// to the last one removed. Undoing and redoing put the list back exactly, order included.
class TMeasurementChange
{
public:
    using TRecords = std::vector<TMeasurementData::TMeasurement>;

    // No change.
    TMeasurementChange();
    static TMeasurementChange Between(const TRecords &before, const TRecords &after);
    // The records from the position on that were removed, and those put there instead; for a
    // step that knows what it changes without comparing the whole list.
    static TMeasurementChange Replacing(size_t position, const TRecords &removed,
                                        const TRecords &inserted);

    bool Is_Empty() const { return removed.empty() && inserted.empty(); }
    // True when the step overwrote records in place, ids and order unchanged.
    bool Is_In_Place() const;
    // Where in the list the changed records begin.
    size_t Position() const { return position; }
    const TRecords &Removed() const { return removed; }
    const TRecords &Inserted() const { return inserted; }

    // Turns the list before into the list after, and back.
    void Redo(TRecords *records) const;
    void Undo(TRecords *records) const;

    // Folds a later change into this one, when both rewrite the same records in place (as
    // typing into one field does); false, and nothing changed, otherwise.
    bool Merge(const TMeasurementChange &later);

private:
    static void Replace(TRecords *records, size_t position, size_t count, const TRecords &by);

    size_t position;
    TRecords removed;
    TRecords inserted;
};

#endif
