// SPDX-License-Identifier: GPL-3.0-or-later
#include "editfieldcommand.h"

namespace
{
QString Step_Text(const TTestDocument *document, int field)
{
    switch (field) {
    case TTestDocument::FIELD_RANGE_Y:
        return TEditFieldCommand::tr("Edit Y Range");
    case TTestDocument::FIELD_RANGE_Z:
        return TEditFieldCommand::tr("Edit Z Range");
    default:
        return TEditFieldCommand::tr("Edit %1").arg(document->Field_Name(field));
    }
}
} // namespace

TEditFieldCommand::TEditFieldCommand(TTestDocument *document_, int field, const QString &text,
                                     int merge_serial)
    : TStepCommand(document_, Step_Text(document_, field), MERGE_FIELD + field, merge_serial)
{
    after.texts.at(size_t(field)) = text;
    after.values.at(size_t(field)) = document->Value_For_Text(field, text);
    if (text != before.texts.at(size_t(field))) {
        after.unused.at(size_t(field)) = false;
    }
}
