// SPDX-License-Identifier: GPL-3.0-or-later
#include "gaugecorrections.h"

#include <cstdint>
#include <cstring>

#include "deflectionmodel.h"

namespace
{
// True when both hold the same bits, so that even the sign of a zero makes a difference.
template<size_t N>
bool Same_Bits(const std::array<double, N> &a, const std::array<double, N> &b)
{
    for (size_t i = 0; i < N; ++i) {
        std::uint64_t bits_a = 0;
        std::uint64_t bits_b = 0;
        std::memcpy(&bits_a, &a[i], sizeof(double));
        std::memcpy(&bits_b, &b[i], sizeof(double));
        if (bits_a != bits_b) {
            return false;
        }
    }
    return true;
}
} // namespace

void TGaugeCorrections::Use(const TDeflectionModel &model_, size_t count)
{
    const std::array<double, 6> now = {model_.Parameter1(), model_.Parameter2(),
                                       model_.Parameter3(), model_.Parameter4(),
                                       model_.Range_Y(),    model_.Range_Z()};
    model = &model_;
    if (generation == 0 || model_type != &typeid(model_) || !Same_Bits(now, inputs)) {
        Next_Generation(model_, now);
    }
    // Room for a few more, not for twice as many: gauges are added one at a time, and doubling
    // would hold room for another whole list.
    if (count > entries.capacity()) {
        entries.reserve(count + count / 8);
    }
    entries.resize(count);
}

void TGaugeCorrections::Next_Generation(const TDeflectionModel &model_,
                                        const std::array<double, 6> &now)
{
    model_type = &typeid(model_);
    inputs = now;
    ++generation;
    if (generation == 0) {
        // Counted all the way round: no entry may pass for one of this generation.
        entries.clear();
        generation = 1;
    }
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
    if (entry.generation != generation || !Same_Bits(ends, entry.ends)) {
        entry.generation = generation;
        entry.ends = ends;
        entry.correction1 = model->Calculate_Correction(end1);
        entry.correction2 = model->Calculate_Correction(end2);
    }
    *correction1 = entry.correction1;
    *correction2 = entry.correction2;
}
