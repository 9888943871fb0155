// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TFIELDMARK_H
#define TFIELDMARK_H

#include <QString>

class QLineEdit;

// A field whose text is not the number in use gets a red frame and a tool tip that says which
// value is used instead; the mark goes when the text is good again.
class TFieldMark
{
public:
    static void Set(QLineEdit *edit, const QString &problem);
    // Set with a problem, Clear without one.
    static void Show(QLineEdit *edit, const QString &problem);
    static void Clear(QLineEdit *edit);
    static bool Is_Marked(const QLineEdit *edit);
    // The field's own tool tip, shown whenever it is not marked.
    static void Set_Plain_Tip(QLineEdit *edit, const QString &tip);
};

#endif
