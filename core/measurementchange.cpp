// SPDX-License-Identifier: GPL-3.0-or-later
#include "measurementchange.h"

#include <algorithm>

TMeasurementChange::TMeasurementChange()
    : position(0)
{
}

TMeasurementChange TMeasurementChange::Between(const TRecords &before, const TRecords &after)
{
    const size_t shorter = std::min(before.size(), after.size());
    size_t head = 0;
    while (head < shorter && before[head] == after[head]) {
        ++head;
    }
    size_t tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    TMeasurementChange change;
    change.position = head;
    change.removed.assign(before.begin() + std::ptrdiff_t(head),
                          before.end() - std::ptrdiff_t(tail));
    change.inserted.assign(after.begin() + std::ptrdiff_t(head),
                           after.end() - std::ptrdiff_t(tail));
    return change;
}

TMeasurementChange TMeasurementChange::Replacing(size_t position, const TRecords &removed,
                                                 const TRecords &inserted)
{
    TMeasurementChange change;
    change.position = position;
    change.removed = removed;
    change.inserted = inserted;
    return change;
}

bool TMeasurementChange::Is_In_Place() const
{
    if (removed.size() != inserted.size()) {
        return false;
    }
    for (size_t i = 0; i < removed.size(); ++i) {
        if (removed[i].id != inserted[i].id) {
            return false;
        }
    }
    return true;
}

void TMeasurementChange::Redo(TRecords *records) const
{
    Replace(records, position, removed.size(), inserted);
}

void TMeasurementChange::Undo(TRecords *records) const
{
    Replace(records, position, inserted.size(), removed);
}

bool TMeasurementChange::Merge(const TMeasurementChange &later)
{
    if (later.Is_Empty()) {
        return true;
    }
    if (Is_Empty()) {
        *this = later;
        return true;
    }
    if (!Is_In_Place() || !later.Is_In_Place() || later.position != position ||
        later.removed.size() != inserted.size()) {
        return false;
    }
    for (size_t i = 0; i < inserted.size(); ++i) {
        if (later.removed[i].id != inserted[i].id) {
            return false;
        }
    }
    inserted = later.inserted;
    return true;
}

void TMeasurementChange::Replace(TRecords *records, size_t position, size_t count,
                                 const TRecords &by)
{
    Q_ASSERT(records);
    Q_ASSERT(position + count <= records->size());
    const auto first = records->begin() + std::ptrdiff_t(position);
    records->erase(first, first + std::ptrdiff_t(count));
    records->insert(records->begin() + std::ptrdiff_t(position), by.begin(), by.end());
}
