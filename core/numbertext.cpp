// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbertext.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

bool TNumberText::Read(const QString &text, double *value)
{
    Q_ASSERT(value);
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (ok) {
        *value = number;
    }
    return ok;
}

bool TNumberText::Read_Typed(const QString &text, double *value)
{
    Q_ASSERT(value);
    QString number = text.trimmed();
    if (number.count(QLatin1Char(',')) == 1 && !number.contains(QLatin1Char('.'))) {
        number.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    return Read_Finite(number, value);
}

bool TNumberText::Read_Finite(const QString &text, double *value)
{
    Q_ASSERT(value);
    double read = 0.0;
    if (!Read(text, &read) || !std::isfinite(read) || std::fabs(read) > largest_number) {
        return false;
    }
    *value = read;
    return true;
}

double TNumberText::Value(const QString &text, const double &fallback)
{
    double value = fallback;
    Read(text, &value);
    return value;
}

QString TNumberText::Fixed(const double &value, int decimals)
{
    return QStringLiteral("%1").arg(value, 0, 'f', decimals);
}

QString TNumberText::Shown(const double &value, int decimals)
{
    QString text = Fixed(value, decimals);
    if (text.startsWith(QLatin1Char('-')) &&
        std::all_of(text.cbegin() + 1, text.cend(),
                    [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('.'); })) {
        text.remove(0, 1);
    }
    return text;
}

QString TNumberText::Shortest(const double &value)
{
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

QString TNumberText::Parameter(const double &value)
{
    QString text = Fixed(value, 4);
    if (!std::isfinite(value) || text.toDouble() == value) {
        return text;
    }
    return QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
}
