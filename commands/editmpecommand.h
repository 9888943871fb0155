// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TEDITMPECOMMAND_H
#define TEDITMPECOMMAND_H

#include "stepcommand.h"

// Typing into the MPE fields: the MPE in use and the three texts. Keystrokes merge until a
// field is left.
class TEditMpeCommand : public TStepCommand
{
    Q_DECLARE_TR_FUNCTIONS(TEditMpeCommand)

public:
    TEditMpeCommand(TTestDocument *document, const TMpe &mpe, const QStringList &texts,
                    int merge_serial);
};

#endif
