// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TEDITFIELDCOMMAND_H
#define TEDITFIELDCOMMAND_H

#include "stepcommand.h"

// Typing into a parameter or range field: the text as typed, and the number the model then
// uses (the last valid one while the text holds none). Keystrokes into one field merge until
// the field is left, which bumps the serial.
class TEditFieldCommand : public TStepCommand
{
    Q_DECLARE_TR_FUNCTIONS(TEditFieldCommand)

public:
    TEditFieldCommand(TTestDocument *document, int field, const QString &text, int merge_serial);
};

#endif
