// SPDX-License-Identifier: GPL-3.0-or-later
#include "messagetext.h"

QString TMessageText::Quote(const QString &value)
{
    if (value.size() <= quoted_length) {
        return value;
    }
    return value.left(quoted_length - 1) + QChar(0x2026);
}

QStringList TMessageText::Limit(const QStringList &problems)
{
    if (problems.size() <= problem_limit) {
        return problems;
    }
    QStringList shown = problems.mid(0, problem_limit);
    shown << tr("and %1 more").arg(problems.size() - problem_limit);
    return shown;
}
