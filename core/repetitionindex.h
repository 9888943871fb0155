// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TREPETITIONINDEX_H
#define TREPETITIONINDEX_H

#include <vector>

#include "evaluation.h"
#include "testconditions.h"

// The measured repetitions of a test's results, grouped as TEvaluation::Set_Ranges groups
// them, and kept so: adding or removing one result regroups only its neighbours in the order
// of gauges, so that a change of one measurement in a long test costs a few groups, not a sort.
class TRepetitionIndex
{
public:
    // What a result's group says of it; the fields of TEvaluation::TResult with the same names.
    struct TRange {
        int id;
        bool has_range;
        double repeatability_range;
        TEvaluation::TVerdict range_verdict;
        int range_group;
    };

    // Groups the results afresh, judging ranges against the conditions' R0, and sets the range
    // of every one of them.
    void Reset(std::vector<TEvaluation::TResult> *results, const TTestConditions &conditions);
    // The result joins or leaves its gauge's group: the ranges of every result whose group may
    // have changed by that, the result itself included when it joined. A result that does not
    // count as a repetition changes nothing. Ids are unique; a removed result is as it was
    // added.
    std::vector<TRange> Add(const TEvaluation::TResult &result);
    std::vector<TRange> Remove(const TEvaluation::TResult &result);
    // The range fields of the result as the range gives them, and the range a result holds.
    static void Apply(const TRange &range, TEvaluation::TResult *result);
    static TRange Range_Of(const TEvaluation::TResult &result);

private:
    struct TEntry {
        double nominal_length;
        TVector3 position;
        TVector3 axis;
        int id;
        size_t row; // where Reset found it
        double corrected_length;
        // Whether the entry opens a group, as the groups last stood; false for a new one.
        bool first;
    };
    static bool Counts(const TEvaluation::TResult &result);
    static TEntry Entry_Of(const TEvaluation::TResult &result);
    static bool Before(const TEntry &a, const TEntry &b);
    static bool Same_Gauge(const TEntry &a, const TEntry &b);
    // The entries are grouped anew from the group that holds the entry before position
    // changed on (where one was added or removed), until a group opens past it where one
    // opened before: from there on nothing differs. The ranges of every entry regrouped are
    // added to ranges.
    void Regroup(size_t changed, std::vector<TRange> *ranges);

    std::vector<TEntry> entries; // in the order of Before
    TTestConditions conditions;
};

#endif
