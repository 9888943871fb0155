// SPDX-License-Identifier: GPL-3.0-or-later
#include "repetitionindex.h"

#include <algorithm>
#include <cmath>
#include <tuple>

void TRepetitionIndex::Reset(std::vector<TEvaluation::TResult> *results,
                             const TTestConditions &conditions_)
{
    Q_ASSERT(results);
    conditions = conditions_;
    entries.clear();
    entries.reserve(results->size());
    for (size_t row = 0; row < results->size(); ++row) {
        TEvaluation::TResult &result = (*results)[row];
        Apply(TRange{result.id, false, 0.0, TEvaluation::NO_VERDICT, 0}, &result);
        if (Counts(result)) {
            entries.push_back(Entry_Of(result));
            entries.back().row = row;
        }
    }
    std::sort(entries.begin(), entries.end(), Before);
    std::vector<TRange> ranges;
    ranges.reserve(entries.size());
    Regroup(0, &ranges);
    // Regrouped from the first entry on, the ranges stand in the entries' order.
    for (size_t at = 0; at < entries.size(); ++at) {
        Apply(ranges[at], &(*results)[entries[at].row]);
    }
}

std::vector<TRepetitionIndex::TRange> TRepetitionIndex::Add(const TEvaluation::TResult &result)
{
    std::vector<TRange> ranges;
    if (!Counts(result)) {
        return ranges;
    }
    const TEntry entry = Entry_Of(result);
    const auto at = std::upper_bound(entries.begin(), entries.end(), entry, Before);
    const size_t position = size_t(at - entries.begin());
    entries.insert(at, entry);
    Regroup(position, &ranges);
    return ranges;
}

std::vector<TRepetitionIndex::TRange> TRepetitionIndex::Remove(const TEvaluation::TResult &result)
{
    std::vector<TRange> ranges;
    if (!Counts(result)) {
        return ranges;
    }
    auto at = std::lower_bound(entries.begin(), entries.end(), Entry_Of(result), Before);
    if (at == entries.end() || at->id != result.id) {
        // A key that does not order (NaN) cannot be searched for.
        at = std::find_if(entries.begin(), entries.end(),
                          [&result](const TEntry &entry) { return entry.id == result.id; });
        if (at == entries.end()) {
            return ranges;
        }
    }
    const size_t position = size_t(at - entries.begin());
    entries.erase(at);
    Regroup(position, &ranges);
    return ranges;
}

void TRepetitionIndex::Apply(const TRange &range, TEvaluation::TResult *result)
{
    Q_ASSERT(result);
    result->has_range = range.has_range;
    result->repeatability_range = range.repeatability_range;
    result->range_verdict = range.range_verdict;
    result->range_group = range.range_group;
}

TRepetitionIndex::TRange TRepetitionIndex::Range_Of(const TEvaluation::TResult &result)
{
    return TRange{result.id, result.has_range, result.repeatability_range, result.range_verdict,
                  result.range_group};
}

bool TRepetitionIndex::Counts(const TEvaluation::TResult &result)
{
    return result.retest_of == 0 && result.has_measured_length;
}

TRepetitionIndex::TEntry TRepetitionIndex::Entry_Of(const TEvaluation::TResult &result)
{
    return TEntry{result.nominal_length,
                  result.position,
                  result.axis,
                  result.id,
                  0,
                  result.corrected_length,
                  false};
}

bool TRepetitionIndex::Before(const TEntry &a, const TEntry &b)
{
    // Where the gauge lies first, so that repetitions stand next to each other.
    return std::make_tuple(a.nominal_length, a.position.x, a.position.y, a.position.z, a.axis.x,
                           a.axis.y, a.axis.z, a.id) <
           std::make_tuple(b.nominal_length, b.position.x, b.position.y, b.position.z, b.axis.x,
                           b.axis.y, b.axis.z, b.id);
}

bool TRepetitionIndex::Same_Gauge(const TEntry &a, const TEntry &b)
{
    return TEvaluation::Same_Gauge(a.nominal_length, a.position, a.axis, b.nominal_length,
                                   b.position, b.axis);
}

void TRepetitionIndex::Regroup(size_t changed, std::vector<TRange> *ranges)
{
    Q_ASSERT(ranges);
    // A group extends from its first entry as far as the gauge stays the same, so a change
    // reaches back only to the first entry of the group before it.
    size_t first = std::min(changed, entries.size());
    while (first > 0 && !(first < changed && entries[first].first)) {
        --first;
    }
    while (first < entries.size()) {
        if (first >= changed && entries[first].first) {
            break;
        }
        size_t end = first + 1;
        double smallest = entries[first].corrected_length;
        double largest = smallest;
        while (end < entries.size() && Same_Gauge(entries[first], entries[end])) {
            smallest = std::min(smallest, entries[end].corrected_length);
            largest = std::max(largest, entries[end].corrected_length);
            ++end;
        }
        TRange range{0, false, 0.0, TEvaluation::NO_VERDICT, 0};
        if (end - first >= 2) {
            range.has_range = true;
            range.repeatability_range = (largest - smallest) * 1000.0;
            if (conditions.has_r0) {
                range.range_verdict =
                    TEvaluation::Judge(range.repeatability_range, conditions.r0, 0.0);
            }
            range.range_group = entries[first].id;
        }
        for (size_t member = first; member < end; ++member) {
            entries[member].first = member == first;
            range.id = entries[member].id;
            ranges->push_back(range);
        }
        first = end;
    }
}
