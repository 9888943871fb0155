// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TEVALUATION_H
#define TEVALUATION_H

#include <QCoreApplication>
#include <QString>
#include <vector>

#include "measurementdata.h"
#include "mpe.h"
#include "testconditions.h"
#include "vector3.h"

class TDeflectionModel;
class TGaugeCorrections;
class TRepetitionIndex;

// What the deflected machine reports for a gauge, and how that and the measured length compare
// with the nominal length and the MPE. The window, its table and chart, and the batch tool all
// compute through here, so that they give the same digits.
class TEvaluation
{
    Q_DECLARE_TR_FUNCTIONS(TEvaluation)

public:
    // With a test uncertainty, a result whose error lies within U of the MPE proves neither
    // conformance nor its lack: undecided.
    enum TVerdict { NO_VERDICT, PASS, FAIL, UNDECIDED };

    // One measurement judged; lengths in mm, errors in µm.
    struct TResult {
        int id;
        double nominal_length;
        TVector3 position;
        TVector3 axis;
        double actual_length;
        double error; // actual - nominal
        bool has_measured_length;
        double measured_length;
        double measured_error; // corrected measured - nominal
        double residual;       // corrected measured - actual: what the model leaves unexplained
        bool has_mpe;
        double mpe;
        TVerdict verdict;          // of the error
        TVerdict measured_verdict; // of the measured error
        // The measured length brought to 20 °C, with the gauge's temperature that did it; the
        // measured length itself without a correction.
        double corrected_length = 0.0;
        double temperature = 0.0;
        // The test uncertainty U(L) in µm, which the verdicts allow for.
        double uncertainty = 0.0;
        // The range R (µm) of the corrected measured lengths of the repetitions this result
        // belongs to, when at least two are measured, and its verdict against R0.
        double repeatability_range = 0.0;
        TVerdict range_verdict = NO_VERDICT;
        // The id of the group's first member in the order of gauges, the same for every
        // member: which results share one range.
        int range_group = 0;
        // The result this measures again; 0 for none.
        int retest_of = 0;
        bool has_correction = false;
        bool has_uncertainty = false;
        bool has_range = false;
    };

    struct TSummary {
        int count;
        int measured_count;
        // The largest |error| and the id of its measurement; 0 and 0 without measurements.
        double largest_error;
        int largest_error_id;
        int passed;
        int failed;
        int measured_passed;
        int measured_failed;
        int undecided;
        int measured_undecided;
        // Root mean square of the residuals of the measured lengths; 0 when none is measured.
        double residual_rms;
    };

    // The two nominal end points of a gauge of the given length centred on the position.
    static void Gauge_Ends(const TVector3 &position, const TVector3 &axis, const double &length,
                           TVector3 *end1, TVector3 *end2);
    // Where the deflected machine reports the position: the position minus its correction,
    // not exaggerated; the position itself without a model.
    static TVector3 Reported_Point(const TDeflectionModel *model, const TVector3 &position);
    // The distance between the reported points of the gauge's two ends (mm).
    static double Actual_Length(const TDeflectionModel *model, const TVector3 &position,
                                const TVector3 &axis, const double &nominal_length);

    static TResult Evaluate(const TDeflectionModel *model,
                            const TMeasurementData::TMeasurement &measurement, const TMpe &mpe,
                            const TTestConditions &conditions = TTestConditions());
    // What Evaluate would give for the result's measurement under another model, changing
    // only what the model decides: the actual length, the error, the residual and the verdict
    // of the error. A keystroke in a parameter re-evaluates every result this way.
    static void Follow_Model(const TDeflectionModel *model, TResult *result);
    // The same, with the corrections at the gauge's ends taken from those shared under the
    // model in use, for the gauge at that position in the store.
    static void Follow_Model(TGaugeCorrections *corrections, size_t index, TResult *result);
    // Every measurement in store order, with the ranges of the repetitions; with repetitions,
    // they are grouped in that index, which is kept for later changes.
    static std::vector<TResult> Evaluate_All(const TDeflectionModel *model,
                                             const TMeasurementData &data, const TMpe &mpe,
                                             const TTestConditions &conditions = TTestConditions(),
                                             TRepetitionIndex *repetitions = nullptr);
    // The verdict of an error (µm) against an MPE (µm) with the test uncertainty U (µm), on
    // the side of proving conformance (ISO 14253-1): pass when |E| + U <= MPE, fail when
    // |E| - U > MPE, undecided between; with U = 0 simply |E| <= MPE.
    static TVerdict Judge(const double &error, const double &mpe, const double &uncertainty);
    // True when the two measurements are repetitions of one gauge: the same nominal length,
    // position and axis, each to 1e-9 mm.
    static bool Same_Gauge(const TResult &a, const TResult &b);
    static bool Same_Gauge(const double &length_a, const TVector3 &position_a,
                           const TVector3 &axis_a, const double &length_b,
                           const TVector3 &position_b, const TVector3 &axis_b);
    // Sets the range of every result that belongs to a group of at least two measured
    // repetitions, and its verdict against R0 when the conditions give it. Retests are
    // not repetitions: they stand apart.
    static void Set_Ranges(std::vector<TResult> *results, const TTestConditions &conditions);
    static TSummary Summarise(const std::vector<TResult> &results);
    // The summary in words, as the window and the report show it.
    static QString Summary_Text(const TSummary &summary, bool has_mpe);

    // "Y", "Z", "Diagonal +" or "Diagonal −" for the four directions of a test plan in a
    // volume of the given ranges (either sense), empty for any other axis.
    // The name is what files and the batch tool write; the label is what the user interface
    // shows, in its language.
    static QString Direction_Name(const TVector3 &axis, const double &range_y,
                                  const double &range_z);
    static QString Direction_Label(const QString &name);
    // "pass", "fail", "undecided" or empty, as files write it, and as the user interface shows it.
    static QString Verdict_Text(TVerdict verdict);
    static QString Verdict_Label(TVerdict verdict);

private:
    // What follows from the actual length under a model: the error, the residual and the
    // verdict of the error.
    static void Follow_Length(const double &actual_length, TResult *result);
};

#endif
