// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TRESULTSFILE_H
#define TRESULTSFILE_H

#include <QByteArray>
#include <QStringList>
#include <vector>

#include "conformance.h"
#include "evaluation.h"

// The results of all measurements as files for scripts and spreadsheets: CSV with one header
// row, or JSON, numbers in the C locale in the shortest form that reads back as the same
// double, absent values empty (CSV) or null (JSON, which also has no NaN or infinity).
class TTestDocument;

class TResultsFile
{
public:
    // The columns; with_conditions adds those of a test judged by the standard's rules:
    // corrected_length_mm, repeatability_range_um, uncertainty_um, retest_of.
    static QStringList Columns(bool with_conditions = false);
    static QByteArray Csv(const std::vector<TEvaluation::TResult> &results,
                          bool with_conditions = false);
    // The results as an array, as they always were.
    static QByteArray Json(const std::vector<TEvaluation::TResult> &results);
    // A test judged by the standard's rules: an object with the results (their columns
    // extended) and the summary with the conformance statement.
    static QByteArray Json(const std::vector<TEvaluation::TResult> &results,
                           const TConformance::TStatement &statement);
    // True when the test gives a condition (uncertainty, R0, temperature, expansion) or a
    // measurement has its own temperature or is a retest; its files then carry them.
    static bool Judged_By_Conditions(const TTestDocument &document);
    // A number as JSON writes it: null when absent or not finite.
    static QString Json_Number(bool present, const double &value);
};

#endif
