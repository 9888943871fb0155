// SPDX-License-Identifier: GPL-3.0-or-later
#include "initcommand.h"

#include "modelcatalog.h"

TInitCommand::TInitCommand(TTestDocument *document_)
    : TStepCommand(document_, tr("Init"))
{
    after = Presets(before);
}

TTestDocument::TFields TInitCommand::Presets(const TTestDocument::TFields &fields)
{
    TTestDocument::TFields presets = fields;
    if (fields.model_index < 0) {
        return presets;
    }
    const TModelCatalog::TModel &model = TModelCatalog::Model_At(fields.model_index);
    for (int i = 0; i < 4; ++i) {
        presets.values[size_t(i)] = TModelCatalog::Preset_Value(model, i);
        presets.texts[size_t(i)] = QString::fromLatin1(model.parameters[i].preset);
        presets.unused[size_t(i)] = false;
    }
    return presets;
}
