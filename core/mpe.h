// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMPE_H
#define TMPE_H

#include <QCoreApplication>
#include <QString>

// The maximum permissible error of length measurement, MPE(L) = min(A + L / K, B) in µm with
// the length L in mm, A in µm, K without unit, and the cap B in µm optional. An MPE that is
// not set judges nothing.
class TMpe
{
    Q_DECLARE_TR_FUNCTIONS(TMpe)

public:
    // Not set.
    TMpe();
    TMpe(const double &a, const double &k);
    TMpe(const double &a, const double &k, const double &b);

    bool Is_Set() const { return set; }
    double A() const { return a; }
    double K() const { return k; }
    bool Has_B() const { return has_b; }
    double B() const { return b; }

    // µm for a length in mm; the length's sign does not matter.
    double Value(const double &length) const;
    // |error| <= MPE(L), both in µm, allowing 1e-9 µm for rounding; false when not set.
    bool Passes(const double &error, const double &length) const;

    // "A,K" or "A,K,B" in the C locale, as the batch tool's --mpe and the settings hold it;
    // A and B must be finite and not negative, K finite and positive. False, with the reason,
    // for anything else. With bad_values, also which of A, K and B (bits 0, 1, 2) are wrong,
    // so that a form can mark its fields without reading the reason's words.
    static bool Parse(const QString &text, TMpe *mpe, QString *error,
                      unsigned *bad_values = nullptr);
    // The text Parse reads back as the same MPE; empty when not set.
    QString Text() const;

    bool operator==(const TMpe &other) const;
    bool operator!=(const TMpe &other) const { return !(*this == other); }

private:
    bool set;
    double a;
    double k;
    bool has_b;
    double b;
};

#endif
