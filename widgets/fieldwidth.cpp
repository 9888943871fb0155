// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldwidth.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>

void TFieldWidth::Fit(QLineEdit *edit, const QString &longest)
{
    // The text, the line edit's own margin of 2 pixels on each side, its text margins, the
    // frame the style draws, and room for the cursor.
    const QMargins text_margins = edit->textMargins();
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    const int width = edit->fontMetrics().horizontalAdvance(longest) + 2 * 2 + text_margins.left() +
                      text_margins.right() + 2 * frame + 2;
    edit->setMinimumWidth(width);
}
