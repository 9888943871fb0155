// SPDX-License-Identifier: GPL-3.0-or-later
#include "modelinputs.h"

#include "deflectionmodel.h"

TModelInputs::TModelInputs(const TDeflectionModel &model)
    : kind(&typeid(model))
    , values{model.Parameter1(), model.Parameter2(), model.Parameter3(),
             model.Parameter4(), model.Range_Y(),    model.Range_Z()}
{
}

bool TModelInputs::operator==(const TModelInputs &other) const
{
    if (!kind || kind != other.kind) {
        return false;
    }
    for (size_t i = 0; i < values.size(); ++i) {
        if (!Same_Bits(values[i], other.values[i])) {
            return false;
        }
    }
    return true;
}
