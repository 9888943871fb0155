// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TFIELDWIDTH_H
#define TFIELDWIDTH_H

#include <QString>

class QLineEdit;

// Keeps a field wide enough to show the longest number it is meant for, in its own font and
// style, so that the layout never squeezes it into showing only part of a value.
class TFieldWidth
{
public:
    static void Fit(QLineEdit *edit, const QString &longest);
};

#endif
