// SPDX-License-Identifier: GPL-3.0-or-later
#include "gaugecorrections.h"

#include "deflectionmodel.h"

void TGaugeCorrections::Use(const TDeflectionModel &model_, size_t count)
{
    model = &model_;
    const TModelInputs now(model_);
    if (now != inputs) {
        inputs = now;
        ++generation;
        if (generation == 0) {
            // Counted all the way round: no entry may pass for one of this generation.
            entries.clear();
            generation = 1;
        }
    }
    // Room for a few more, not for twice as many: gauges are added one at a time, and doubling
    // would hold room for another whole list.
    if (count > entries.capacity()) {
        entries.reserve(count + count / 8);
    }
    entries.resize(count);
}

void TGaugeCorrections::At(size_t index, const TVector3 &end1, const TVector3 &end2,
                           TVector3 *correction1, TVector3 *correction2)
{
    Q_ASSERT(model && correction1 && correction2);
    if (index >= entries.size()) {
        *correction1 = model->Calculate_Correction(end1);
        *correction2 = model->Calculate_Correction(end2);
        return;
    }
    TEntry &entry = entries[index];
    const std::array<double, 4> ends = {end1.y, end1.z, end2.y, end2.z};
    bool same = entry.generation == generation;
    for (size_t i = 0; same && i < ends.size(); ++i) {
        same = TModelInputs::Same_Bits(ends[i], entry.ends[i]);
    }
    if (!same) {
        entry.generation = generation;
        entry.ends = ends;
        entry.correction1 = model->Calculate_Correction(end1);
        entry.correction2 = model->Calculate_Correction(end2);
    }
    *correction1 = entry.correction1;
    *correction2 = entry.correction2;
}
