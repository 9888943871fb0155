// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TGAUGECORRECTIONS_H
#define TGAUGECORRECTIONS_H

#include <array>
#include <cstddef>
#include <vector>

#include "modelinputs.h"
#include "vector3.h"

class TDeflectionModel;

// The model's corrections at the two ends of every gauge of a test, by the gauge's position in
// the store. After a keystroke in a parameter field the Results and the display each need all
// of them, and the models' sines make them the dearest part of following the change: the first
// to ask works them out, the second finds them here.
//
// A correction is kept with the ends it was worked out for (their Y and Z, all a model reads)
// and the model's kind, parameters and ranges, and is given out again only where all of these
// have the very same bits. So what comes out is always what the model says, whoever asks and
// in whatever order, and a wrong position costs only the work, never a digit.
class TGaugeCorrections
{
public:
    // Begins asking under the model for the gauges at positions 0 to count - 1, until the next
    // call: a model whose kind, parameters or ranges differ from the last one's makes
    // everything kept so far worked out anew.
    void Use(const TDeflectionModel &model, size_t count);
    // The corrections at the two ends of the gauge at the position, under the model in use;
    // past the count they are worked out and not kept.
    void At(size_t index, const TVector3 &end1, const TVector3 &end2, TVector3 *correction1,
            TVector3 *correction2);

private:
    struct TEntry {
        // Entries of another generation were worked out under other inputs.
        unsigned generation = 0;
        std::array<double, 4> ends{}; // Y and Z of the first end, then of the second
        TVector3 correction1;
        TVector3 correction2;
    };
    const TDeflectionModel *model = nullptr;
    TModelInputs inputs;
    unsigned generation = 0;
    std::vector<TEntry> entries;
};

#endif
