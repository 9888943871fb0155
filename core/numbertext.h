// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TNUMBERTEXT_H
#define TNUMBERTEXT_H

#include <QByteArray>
#include <QString>

// Numbers as the program writes and reads them in fields and files, whatever the user's
// locale: a point for the decimals, no group separators.
class TNumberText
{
public:
    // The largest magnitude of a number a user types or a file holds; beyond it lengths and
    // corrections lose their meaning long before they overflow.
    static constexpr double largest_number = 1e12;

    // True, with the number in *value, when the text holds one; blanks around it are ignored,
    // and "nan" and "inf" read as numbers.
    static bool Read(const QString &text, double *value);
    // A number as a user types it into a field: the decimal comma is as good as the point
    // ("0,002"), and only finite numbers of a sensible size (at most 1e12) count; "nan",
    // "inf" and "1e400" do not. Files and the batch tool keep to Read.
    static bool Read_Typed(const QString &text, double *value);
    // A number as a file or the batch tool's command line holds it: Read, and only finite
    // numbers of at most largest_number count.
    static bool Read_Finite(const QString &text, double *value);
    // The number the text holds, or the fallback when it holds none; blanks around it are
    // ignored, and "nan" and "inf" read as numbers.
    static double Value(const QString &text, const double &fallback);
    // Fixed-point with exactly the given number of decimals.
    static QString Fixed(const double &value, int decimals);
    // Appends to *text the bytes of QByteArray::number(value, 'f', decimals), several times
    // faster: a long list's file holds eight such numbers a measurement.
    static void Append_Fixed(QByteArray *text, const double &value, int decimals);
    // Fixed, as a result is shown to a reader: a number that rounds to zero has no sign
    // ("0.00", never "-0.00"), since a sign there would claim a direction nobody can see.
    static QString Shown(const double &value, int decimals);
    // The shortest text that reads back as the same double, e.g. "0.1", "1e-05".
    static QString Shortest(const double &value);
    // A model parameter in fixed-point notation: four decimals where they read back as the
    // value, otherwise the shortest fixed-point text that does, so that a small parameter
    // such as 0.00001 never comes back as 0.0000 and silently reaches the model as zero.
    static QString Parameter(const double &value);

private:
    // True when the value lies exactly halfway between two texts of that many decimals.
    static bool Tie(const double &value, int decimals);
};

#endif
