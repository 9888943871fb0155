// SPDX-License-Identifier: GPL-3.0-or-later
#include "conformance.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "numbertext.h"
#include "resultsfile.h"

TConformance::TStatement TConformance::Judge(const std::vector<TEvaluation::TResult> &results,
                                             bool has_mpe, const TTestConditions &conditions)
{
    TStatement statement;
    statement.uses_uncertainty = conditions.has_uncertainty;
    statement.uses_r0 = conditions.has_r0;
    // The results that failed, by id, with the verdicts of their retests.
    QHash<int, std::vector<TEvaluation::TVerdict>> retests_of;
    std::vector<int> failing;
    for (const TEvaluation::TResult &result : results) {
        if (result.has_measured_length) {
            const double size = std::fabs(result.measured_error);
            if (!statement.has_largest || size > std::fabs(statement.largest_error)) {
                statement.largest_error = result.measured_error;
                statement.largest_error_id = result.id;
            }
            if (has_mpe && result.mpe > 0.0) {
                const double ratio = size / result.mpe;
                if (!statement.has_largest || ratio > statement.largest_ratio) {
                    statement.largest_ratio = ratio;
                    statement.largest_ratio_id = result.id;
                }
            }
            statement.has_largest = true;
        }
        if (result.has_range && result.retest_of == 0 &&
            (!statement.has_range || result.repeatability_range > statement.largest_range)) {
            statement.has_range = true;
            statement.largest_range = result.repeatability_range;
            statement.largest_range_id = result.id;
        }
        if (result.retest_of != 0) {
            continue;
        }
        if (!result.has_measured_length) {
            ++statement.unmeasured;
            continue;
        }
        statement.passed += result.measured_verdict == TEvaluation::PASS;
        statement.undecided += result.measured_verdict == TEvaluation::UNDECIDED;
        if (result.measured_verdict == TEvaluation::FAIL) {
            ++statement.failed;
            failing.push_back(result.id);
            retests_of.insert(result.id, {});
        }
    }
    // A range counts once per group of repetitions, whose members all carry it.
    QHash<int, bool> groups;
    for (const TEvaluation::TResult &result : results) {
        if (result.has_range && !groups.contains(result.range_group)) {
            groups.insert(result.range_group, true);
            ++statement.ranges;
            statement.ranges_failed += result.range_verdict == TEvaluation::FAIL;
        }
    }
    for (const TEvaluation::TResult &result : results) {
        if (result.retest_of != 0 && result.has_measured_length &&
            retests_of.contains(result.retest_of)) {
            retests_of[result.retest_of].push_back(result.measured_verdict);
            ++statement.retests;
        }
    }
    if (statement.failed <= most_retested_results) {
        for (const int id : failing) {
            const std::vector<TEvaluation::TVerdict> &verdicts = retests_of.value(id);
            int passed = 0;
            bool failed = false;
            for (const TEvaluation::TVerdict verdict : verdicts) {
                passed += verdict == TEvaluation::PASS;
                failed = failed || verdict == TEvaluation::FAIL;
            }
            if (failed) {
                ++statement.failed_by_retest;
            } else if (int(verdicts.size()) < retests_per_result) {
                statement.needing_retests.push_back(id);
            } else if (passed == int(verdicts.size())) {
                ++statement.passed_by_retest;
            } else {
                ++statement.undecided_by_retest;
            }
        }
    }

    if (!has_mpe || !statement.has_largest) {
        statement.state = NOT_JUDGED;
    } else if (statement.failed > most_retested_results || statement.failed_by_retest > 0 ||
               (statement.uses_r0 && statement.ranges_failed > 0)) {
        statement.state = DOES_NOT_CONFORM;
    } else if (statement.undecided > 0 || !statement.needing_retests.empty() ||
               statement.undecided_by_retest > 0 || statement.unmeasured > 0) {
        statement.state = NOT_DECIDED;
    } else {
        statement.state = CONFORMS;
    }
    return statement;
}

std::vector<TMeasurementData::TMeasurement>
TConformance::Retests_To_Add(const TStatement &statement, const TMeasurementData &data)
{
    std::vector<TMeasurementData::TMeasurement> retests;
    for (const int id : statement.needing_retests) {
        TMeasurementData::TMeasurement original;
        if (!data.Get_Measurement(id, &original)) {
            continue;
        }
        const int present = int(std::count_if(
            data.Measurements().begin(), data.Measurements().end(),
            [id](const TMeasurementData::TMeasurement &record) { return record.retest_of == id; }));
        TMeasurementData::TMeasurement retest = original;
        // A new record: it gets its id where it is added.
        retest.id = 0;
        retest.has_measured_length = false;
        retest.measured_length = 0.0;
        retest.retest_of = id;
        for (int count = present; count < retests_per_result; ++count) {
            retests.push_back(retest);
        }
    }
    return retests;
}

QString TConformance::Rule_Key(const TStatement &statement)
{
    return statement.uses_uncertainty ? QStringLiteral("ISO 14253-1 conformance zone")
                                      : QStringLiteral("simple acceptance");
}

QString TConformance::Rule_Text(const TStatement &statement)
{
    return statement.uses_uncertainty
               ? tr("ISO 14253-1, conformance zone: a result passes when |E| + U \u2264 MPE and "
                    "fails when |E| \u2212 U > MPE")
               : tr("simple acceptance: a result passes when |E| \u2264 MPE");
}

QString TConformance::Text(const TStatement &statement)
{
    const QString limits = statement.uses_r0 ? tr("the MPE and R0") : tr("the MPE");
    QString head;
    QStringList reasons;
    switch (statement.state) {
    case NOT_JUDGED:
        // Without an MPE nothing is judged, but what the machine measured is still the news.
        if (!statement.has_largest) {
            return QString();
        }
        head = tr("Not judged: no MPE is set.");
        break;
    case CONFORMS:
        head = tr("The test shows conformance with %1.").arg(limits);
        break;
    case DOES_NOT_CONFORM:
        head = tr("The test does not show conformance with %1.").arg(limits);
        if (statement.failed > most_retested_results) {
            reasons << tr("%n result(s) fail, more than %1 may be retested", nullptr,
                          statement.failed)
                           .arg(most_retested_results);
        }
        if (statement.failed_by_retest > 0) {
            reasons << tr("%n result(s) failed a retest", nullptr, statement.failed_by_retest);
        }
        if (statement.uses_r0 && statement.ranges_failed > 0) {
            reasons << tr("%n range(s) exceed R0", nullptr, statement.ranges_failed);
        }
        break;
    case NOT_DECIDED:
        head = tr("Conformance with %1 is not decided yet.").arg(limits);
        if (!statement.needing_retests.empty()) {
            QStringList ids;
            for (const int id : statement.needing_retests) {
                ids << QString::number(id);
            }
            reasons << tr("%n result(s) need retests (Id %1)", nullptr,
                          int(statement.needing_retests.size()))
                           .arg(ids.join(QStringLiteral(", ")));
        }
        if (statement.undecided + statement.undecided_by_retest > 0) {
            reasons << tr("%n result(s) undecided within the test uncertainty", nullptr,
                          statement.undecided + statement.undecided_by_retest);
        }
        if (statement.unmeasured > 0) {
            reasons << tr("%n measurement(s) not measured yet", nullptr, statement.unmeasured);
        }
        break;
    }
    QStringList parts{head};
    if (!reasons.isEmpty()) {
        parts << reasons.join(QStringLiteral("; ")) + QLatin1Char('.');
    }
    if (statement.state == NOT_JUDGED) {
        parts << tr("Largest measured error %1 \u00b5m (Id %2).")
                     .arg(TNumberText::Shown(statement.largest_error, 2))
                     .arg(statement.largest_error_id);
        if (statement.has_range) {
            parts << Range_Text(statement);
        }
        return parts.join(QLatin1Char(' '));
    }
    parts << tr("Measured: %1 pass, %2 fail, %3 undecided.")
                 .arg(statement.passed)
                 .arg(statement.failed)
                 .arg(statement.undecided);
    if (statement.failed > 0 && statement.failed <= most_retested_results &&
        statement.needing_retests.empty() && statement.failed_by_retest == 0 &&
        statement.undecided_by_retest == 0) {
        parts << tr("Retests passed (%n result(s), %1 retests).", nullptr,
                    statement.passed_by_retest)
                     .arg(statement.retests);
    }
    parts << tr("Largest measured error %1 \u00b5m (Id %2), %3 % of the MPE (Id %4).")
                 .arg(TNumberText::Shown(statement.largest_error, 2))
                 .arg(statement.largest_error_id)
                 .arg(TNumberText::Shown(statement.largest_ratio * 100.0, 0))
                 .arg(statement.largest_ratio_id);
    if (statement.has_range) {
        parts << Range_Text(statement);
    }
    return parts.join(QLatin1Char(' '));
}

QString TConformance::Range_Text(const TStatement &statement)
{
    return tr("Largest range R %1 \u00b5m (Id %2).")
        .arg(TNumberText::Shown(statement.largest_range, 2))
        .arg(statement.largest_range_id);
}

QString TConformance::Json(const TStatement &statement)
{
    QString conforms = QStringLiteral("null");
    if (statement.state == CONFORMS) {
        conforms = QStringLiteral("true");
    } else if (statement.state == DOES_NOT_CONFORM) {
        conforms = QStringLiteral("false");
    }
    QStringList needing;
    for (const int id : statement.needing_retests) {
        needing << QString::number(id);
    }
    const auto id = [](bool present, int value) {
        return present ? QString::number(value) : QStringLiteral("null");
    };
    const QStringList members{
        QStringLiteral("\"conforms\": ") + conforms,
        QStringLiteral("\"rule\": \"%1\"").arg(Rule_Key(statement)),
        QStringLiteral("\"with_r0\": ") +
            (statement.uses_r0 ? QStringLiteral("true") : QStringLiteral("false")),
        QStringLiteral("\"passed\": %1").arg(statement.passed),
        QStringLiteral("\"failed\": %1").arg(statement.failed),
        QStringLiteral("\"undecided\": %1").arg(statement.undecided),
        QStringLiteral("\"not_measured\": %1").arg(statement.unmeasured),
        QStringLiteral("\"retests\": %1").arg(statement.retests),
        QStringLiteral("\"needing_retests\": [%1]").arg(needing.join(QStringLiteral(", "))),
        QStringLiteral("\"passed_by_retest\": %1").arg(statement.passed_by_retest),
        QStringLiteral("\"failed_by_retest\": %1").arg(statement.failed_by_retest),
        QStringLiteral("\"ranges_failed\": %1").arg(statement.ranges_failed),
        QStringLiteral("\"largest_measured_error_um\": ") +
            TResultsFile::Json_Number(statement.has_largest, statement.largest_error),
        QStringLiteral("\"largest_measured_error_id\": ") +
            id(statement.has_largest, statement.largest_error_id),
        QStringLiteral("\"largest_mpe_ratio\": ") +
            TResultsFile::Json_Number(statement.has_largest && statement.largest_ratio_id > 0,
                                      statement.largest_ratio),
        QStringLiteral("\"largest_mpe_ratio_id\": ") +
            id(statement.largest_ratio_id > 0, statement.largest_ratio_id),
        QStringLiteral("\"largest_range_um\": ") +
            TResultsFile::Json_Number(statement.has_range, statement.largest_range),
        QStringLiteral("\"largest_range_id\": ") +
            id(statement.has_range, statement.largest_range_id)};
    return QLatin1Char('{') + members.join(QStringLiteral(", ")) + QLatin1Char('}');
}
