// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TRESULTSFILE_H
#define TRESULTSFILE_H

#include <QByteArray>
#include <QStringList>
#include <vector>

#include "evaluation.h"

// The results of all measurements as files for scripts and spreadsheets: CSV with one header
// row, or JSON, numbers in the C locale in the shortest form that reads back as the same
// double, absent values empty (CSV) or null (JSON, which also has no NaN or infinity).
class TResultsFile
{
public:
    static QStringList Columns();
    static QByteArray Csv(const std::vector<TEvaluation::TResult> &results);
    static QByteArray Json(const std::vector<TEvaluation::TResult> &results);
    // A number as JSON writes it: null when absent or not finite.
    static QString Json_Number(bool present, const double &value);
};

#endif
