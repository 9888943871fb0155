// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldmark.h"

#include <QLineEdit>
#include <QVariant>

namespace
{
const char *const tip_property = "curvalo_plain_tip";
const char *const marked_property = "curvalo_marked";
} // namespace

void TFieldMark::Set(QLineEdit *edit, const QString &problem)
{
    // A style sheet costs a new polish of the field: it is set once, not at every keystroke.
    if (!Is_Marked(edit)) {
        edit->setProperty(tip_property, edit->toolTip());
        edit->setProperty(marked_property, true);
        edit->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid #d00000; }"));
    }
    edit->setToolTip(problem);
}

void TFieldMark::Show(QLineEdit *edit, const QString &problem)
{
    if (problem.isEmpty()) {
        Clear(edit);
    } else {
        Set(edit, problem);
    }
}

void TFieldMark::Clear(QLineEdit *edit)
{
    if (!Is_Marked(edit)) {
        return;
    }
    edit->setProperty(marked_property, false);
    edit->setStyleSheet(QString());
    edit->setToolTip(edit->property(tip_property).toString());
}

void TFieldMark::Set_Plain_Tip(QLineEdit *edit, const QString &tip)
{
    if (Is_Marked(edit)) {
        edit->setProperty(tip_property, tip);
    } else {
        edit->setToolTip(tip);
    }
}

bool TFieldMark::Is_Marked(const QLineEdit *edit)
{
    return edit->property(marked_property).toBool();
}
