// SPDX-License-Identifier: GPL-3.0-or-later
#include "editmpecommand.h"

TEditMpeCommand::TEditMpeCommand(TTestDocument *document_, const TMpe &mpe,
                                 const QStringList &texts, int merge_serial)
    : TStepCommand(document_, tr("Edit MPE"), MERGE_MPE, merge_serial)
{
    Q_ASSERT(texts.size() == 3);
    after.mpe = mpe;
    after.mpe_texts = texts;
    after.mpe_unused = false;
}
