// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TCONFORMANCE_H
#define TCONFORMANCE_H

#include <QCoreApplication>
#include <QString>
#include <vector>

#include "evaluation.h"
#include "measurementdata.h"
#include "testconditions.h"

// Whether a test's measured results show that the machine conforms with its MPE (and R0), as
// an acceptance or re-verification test decides it: every result judged with the decision
// rule, the repeatability ranges against R0, and the retest rule for a few failing results.
// The summary, the report and the batch tool all state it from here.
class TConformance
{
    Q_DECLARE_TR_FUNCTIONS(TConformance)

public:
    // At most this many failing results may be measured again, each this many times.
    static constexpr int most_retested_results = 5;
    static constexpr int retests_per_result = 10;

    enum TState {
        // No MPE, or nothing measured: the test says nothing about conformance.
        NOT_JUDGED,
        CONFORMS,
        DOES_NOT_CONFORM,
        // Results undecided within the test uncertainty, retests due, or lengths not measured.
        NOT_DECIDED
    };

    struct TStatement {
        TState state = NOT_JUDGED;
        bool uses_uncertainty = false;
        bool uses_r0 = false;
        // The measured verdicts of the results that are no retests.
        int passed = 0;
        int failed = 0;
        int undecided = 0;
        int unmeasured = 0;
        // Failing results: those that still need their ten retests, and those the retests
        // decided.
        std::vector<int> needing_retests;
        int passed_by_retest = 0;
        int failed_by_retest = 0;
        int undecided_by_retest = 0;
        // Measured retests of failing results.
        int retests = 0;
        int ranges = 0;
        int ranges_failed = 0;
        // The largest |measured error| of any measured result (signed) and the largest
        // |error| / MPE, each with its id; has_largest is false without measured results.
        bool has_largest = false;
        double largest_error = 0.0;
        int largest_error_id = 0;
        double largest_ratio = 0.0;
        int largest_ratio_id = 0;
        bool has_range = false;
        double largest_range = 0.0;
        int largest_range_id = 0;
    };

    static TStatement Judge(const std::vector<TEvaluation::TResult> &results, bool has_mpe,
                            const TTestConditions &conditions);
    // The statement in words, as the summary and the report give it first. Without an MPE it
    // still names the largest measured error; empty when nothing is measured.
    static QString Text(const TStatement &statement);
    // "Largest range R 1.50 µm (Id 3)."
    static QString Range_Text(const TStatement &statement);
    // The rule the verdicts follow, in words.
    static QString Rule_Text(const TStatement &statement);
    // "simple acceptance" or "ISO 14253-1 conformance zone", as the batch tool writes it.
    static QString Rule_Key(const TStatement &statement);
    // The retests the rule still asks for: for each failing result that needs them, copies
    // of its gauge, not measured, marked as its retests, as many as bring it to ten with
    // those the list already has. Empty when none fails or more than five do. Their ids are
    // 0: whoever adds them hands out free ones.
    static std::vector<TMeasurementData::TMeasurement> Retests_To_Add(const TStatement &statement,
                                                                      const TMeasurementData &data);
    // The statement as the batch tool's JSON object "conformance".
    static QString Json(const TStatement &statement);
};

#endif
