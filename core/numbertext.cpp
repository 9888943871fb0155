// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbertext.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
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

void TNumberText::Append_Fixed(QByteArray *text, const double &value, int decimals)
{
    Q_ASSERT(text);
    // std::to_chars and Qt both round the double's exact value to the nearest text, so they
    // agree wherever the nearest is unique; a negative that rounds to zero keeps its sign in
    // both. Qt writes the rest itself: an exact tie, which it rounds away from zero, and the
    // very large and the not finite. Zero of either sign is "0.000..." in Qt.
    const double number = value == 0.0 ? 0.0 : value;
    if (decimals >= 0 && decimals <= 17 && std::fabs(number) < 1e15 && !Tie(number, decimals)) {
        char digits[64];
        const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, number,
                                                           std::chars_format::fixed, decimals);
        if (written.ec == std::errc()) {
            text->append(digits, int(written.ptr - digits));
            return;
        }
    }
    text->append(QByteArray::number(value, 'f', decimals));
}

bool TNumberText::Tie(const double &value, int decimals)
{
    // Halfway between two texts of that many decimals is an odd multiple of 2^-(decimals+1):
    // scaled by that power, an odd integer. Beyond 2^53 every double is even.
    const double scaled = std::ldexp(value, decimals + 1);
    return std::fabs(scaled) < 9007199254740992.0 && scaled == std::trunc(scaled) &&
           (static_cast<long long>(scaled) & 1) != 0;
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
