// SPDX-License-Identifier: GPL-3.0-or-later
#include "mpe.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "numbertext.h"

TMpe::TMpe()
    : set(false)
    , a(0.0)
    , k(1.0)
    , has_b(false)
    , b(0.0)
{
}

TMpe::TMpe(const double &a_, const double &k_)
    : set(true)
    , a(a_)
    , k(k_)
    , has_b(false)
    , b(0.0)
{
}

TMpe::TMpe(const double &a_, const double &k_, const double &b_)
    : set(true)
    , a(a_)
    , k(k_)
    , has_b(true)
    , b(b_)
{
}

double TMpe::Value(const double &length) const
{
    const double linear = a + std::fabs(length) / k;
    return has_b ? std::min(linear, b) : linear;
}

bool TMpe::Passes(const double &error, const double &length) const
{
    // An error is computed from lengths in mm, whose last bits are worth about 1e-10 µm at a
    // metre: a measured length that lies exactly on the limit must not fail by that noise.
    // The allowance is far below anything a machine can resolve.
    const double allowance = 1e-9;
    return set && std::fabs(error) <= Value(length) + allowance;
}

bool TMpe::Parse(const QString &text, TMpe *mpe, QString *error, unsigned *bad_values)
{
    Q_ASSERT(mpe && error);
    const unsigned a = 1U;
    const unsigned k = 2U;
    const unsigned b = 4U;
    const auto fail = [error, bad_values](const QString &reason, unsigned bad) {
        *error = reason;
        if (bad_values) {
            *bad_values = bad;
        }
        return false;
    };
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2 && parts.size() != 3) {
        return fail(tr("the MPE is \"A,K\" or \"A,K,B\" (µm, without unit, µm)"), a | k | b);
    }
    double values[3] = {0.0, 0.0, 0.0};
    const char *names[3] = {"A", "K", "B"};
    for (int i = 0; i < parts.size(); ++i) {
        if (!TNumberText::Read(parts[i], &values[i]) || !std::isfinite(values[i])) {
            return fail(tr("%1 of the MPE is not a number: \"%2\"").arg(names[i], parts[i]),
                        1U << i);
        }
    }
    const bool negative_b = parts.size() == 3 && values[2] < 0.0;
    if (values[0] < 0.0 || negative_b) {
        return fail(tr("A and B of the MPE must not be negative"),
                    (values[0] < 0.0 ? a : 0U) | (negative_b ? b : 0U));
    }
    if (!(values[1] > 0.0)) {
        return fail(tr("K of the MPE must be greater than 0"), k);
    }
    // A K so small that L/K overflows would make the MPE infinite, and everything pass.
    if (!std::isfinite(1.0 / values[1])) {
        return fail(tr("K of the MPE is too small: \"%1\"").arg(parts[1].trimmed()), k);
    }
    if (bad_values) {
        *bad_values = 0;
    }
    *mpe = parts.size() == 3 ? TMpe(values[0], values[1], values[2]) : TMpe(values[0], values[1]);
    return true;
}

QString TMpe::Text() const
{
    if (!set) {
        return QString();
    }
    QString text = TNumberText::Shortest(a) + QLatin1Char(',') + TNumberText::Shortest(k);
    if (has_b) {
        text += QLatin1Char(',') + TNumberText::Shortest(b);
    }
    return text;
}

bool TMpe::operator==(const TMpe &other) const
{
    if (set != other.set) {
        return false;
    }
    return !set ||
           (a == other.a && k == other.k && has_b == other.has_b && (!has_b || b == other.b));
}
