// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultsmodel.h"

#include "testdocument.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

#include "deflectionmodel.h"
#include "measurementdata.h"
#include "numbertext.h"
#include "splitwork.h"

namespace
{
// Rows a model's change is shared out from: below them, handing half to another thread costs
// about what it saves.
const size_t split_rows = 2000;

// Lengths in mm with 4 decimals, errors in µm with 2.
QString Length_Text(const double &value)
{
    return TNumberText::Shown(value, 4);
}

QString Error_Text(const double &value)
{
    return TNumberText::Shown(value, 2);
}

bool Is_Numeric(int column)
{
    return column != TResultsModel::COLUMN_DIRECTION && column != TResultsModel::COLUMN_VERDICT &&
           column != TResultsModel::COLUMN_MEASURED_VERDICT;
}

// Every verdict that says "not pass" about the result.
bool Fails(const TEvaluation::TResult &result)
{
    return result.measured_verdict == TEvaluation::FAIL ||
           result.range_verdict == TEvaluation::FAIL;
}
} // namespace

TResultsModel::TResultsModel(TMeasurementData *data, QObject *parent)
    : QAbstractTableModel(parent)
    , measurement_data(data)
    , writable_data(data)
    , document(nullptr)
    , deflection_model(nullptr)
    , summary()
{
    Q_ASSERT(data);
}

TResultsModel::TResultsModel(const TTestDocument *document_, QObject *parent)
    : QAbstractTableModel(parent)
    , measurement_data(&document_->Measurement_Data())
    , writable_data(nullptr)
    , document(document_)
    , deflection_model(nullptr)
    , summary()
{
    // Evaluated here without Refresh, which tells views and must not run while constructing.
    deflection_model = document->Model();
    mpe = document->Mpe();
    conditions = document->Conditions();
    results = TEvaluation::Evaluate_All(deflection_model, *measurement_data, mpe, conditions,
                                        &repetitions);
    Index_Rows_From(0);
    Summarise();
    connect(document, &TTestDocument::Measurement_Changed, this, &TResultsModel::Update_Row);
    connect(document, &TTestDocument::Measurement_Added, this, &TResultsModel::Insert_Row);
    connect(document, &TTestDocument::Measurement_Removed, this, &TResultsModel::Remove_Row);
    connect(document, &TTestDocument::Measurements_Reset, this, &TResultsModel::Refresh);
    connect(document, &TTestDocument::Model_Changed, this, &TResultsModel::Follow_Model);
    connect(document, &TTestDocument::Field_Changed, this, &TResultsModel::Follow_Model);
    connect(document, &TTestDocument::Mpe_Changed, this, &TResultsModel::Follow_Model);
    connect(document, &TTestDocument::Conditions_Changed, this, &TResultsModel::Follow_Document);
}

void TResultsModel::Follow_Document()
{
    deflection_model = document->Model();
    mpe = document->Mpe();
    conditions = document->Conditions();
    Refresh();
}

void TResultsModel::Follow_Model()
{
    deflection_model = document->Model();
    const bool same_mpe = mpe == document->Mpe();
    mpe = document->Mpe();
    const std::vector<TMeasurementData::TMeasurement> &measurements =
        measurement_data->Measurements();
    bool same_rows = measurements.size() == results.size();
    for (size_t row = 0; same_rows && row < results.size(); ++row) {
        same_rows = measurements[row].id == results[row].id;
    }
    if (!same_rows || results.empty()) {
        Follow_Document();
        return;
    }
    // The repetitions hang on where the gauges lie and on their measured lengths at 20 °C,
    // which neither the model nor the MPE changes: their ranges stay.
    // The rows are the store's, so the display finds the corrections worked out here.
    TGaugeCorrections *corrections = nullptr;
    if (same_mpe && deflection_model) {
        corrections = &document->Gauge_Corrections();
        corrections->Use(*deflection_model, results.size());
    }
    // Each row is worked out from its own measurement and written to its own result (and
    // correction): a long list is shared with the other core.
    TSplitWork::Run(results.size(), split_rows, [&](size_t begin, size_t end) {
        for (size_t row = begin; row < end; ++row) {
            if (corrections) {
                TEvaluation::Follow_Model(corrections, row, &results[row]);
                continue;
            }
            if (same_mpe) {
                TEvaluation::Follow_Model(deflection_model, &results[row]);
                continue;
            }
            const TRepetitionIndex::TRange range = TRepetitionIndex::Range_Of(results[row]);
            results[row] =
                TEvaluation::Evaluate(deflection_model, measurements[row], mpe, conditions);
            TRepetitionIndex::Apply(range, &results[row]);
        }
    });
    Summarise();
    emit dataChanged(index(0, 0), index(rowCount() - 1, COLUMN_COUNT - 1));
    emit Results_Changed();
}

void TResultsModel::Regroup(const std::vector<TRepetitionIndex::TRange> &ranges)
{
    for (const TRepetitionIndex::TRange &range : ranges) {
        const int row = Row_Of_Id(range.id);
        if (row >= 0) {
            TRepetitionIndex::Apply(range, &results[size_t(row)]);
            emit dataChanged(index(row, COLUMN_RANGE), index(row, COLUMN_RANGE));
        }
    }
    Summarise();
}

void TResultsModel::Update_Row(int id)
{
    const int row = Row_Of_Id(id);
    TMeasurementData::TMeasurement measurement;
    if (row < 0 || !measurement_data->Get_Measurement(id, &measurement)) {
        return;
    }
    Evaluate_Row(row, measurement);
    emit Results_Changed();
}

void TResultsModel::Evaluate_Row(int row, const TMeasurementData::TMeasurement &measurement)
{
    std::vector<TRepetitionIndex::TRange> ranges = repetitions.Remove(results[size_t(row)]);
    results[size_t(row)] = TEvaluation::Evaluate(deflection_model, measurement, mpe, conditions);
    const std::vector<TRepetitionIndex::TRange> joined = repetitions.Add(results[size_t(row)]);
    // Where both name a result, the later stands.
    ranges.insert(ranges.end(), joined.begin(), joined.end());
    Regroup(ranges);
    emit dataChanged(index(row, 0), index(row, COLUMN_COUNT - 1));
}

void TResultsModel::Insert_Row(int id)
{
    TMeasurementData::TMeasurement measurement;
    if (!measurement_data->Get_Measurement(id, &measurement)) {
        return;
    }
    const int row = int(measurement_data->Position_Of(id));
    beginInsertRows(QModelIndex(), row, row);
    results.insert(results.begin() + row,
                   TEvaluation::Evaluate(deflection_model, measurement, mpe, conditions));
    Index_Rows_From(row);
    endInsertRows();
    Regroup(repetitions.Add(results[size_t(row)]));
    emit Results_Changed();
}

void TResultsModel::Remove_Row(int id)
{
    const int row = Row_Of_Id(id);
    if (row < 0) {
        return;
    }
    const std::vector<TRepetitionIndex::TRange> ranges = repetitions.Remove(results[size_t(row)]);
    beginRemoveRows(QModelIndex(), row, row);
    results.erase(results.begin() + row);
    rows_by_id.remove(id);
    Index_Rows_From(row);
    endRemoveRows();
    Regroup(ranges);
    emit Results_Changed();
}

void TResultsModel::Index_Rows_From(int row)
{
    for (size_t at = size_t(row); at < results.size(); ++at) {
        rows_by_id.insert(results[at].id, int(at));
    }
}

TResultsModel::~TResultsModel() = default;

void TResultsModel::Set_Deflection_Model(const TDeflectionModel *model)
{
    deflection_model = model;
}

void TResultsModel::Set_Mpe(const TMpe &mpe_)
{
    mpe = mpe_;
}

void TResultsModel::Set_Conditions(const TTestConditions &conditions_)
{
    conditions = conditions_;
}

TConformance::TStatement TResultsModel::Conformance() const
{
    return TConformance::Judge(results, mpe.Is_Set(), conditions);
}

void TResultsModel::Summarise()
{
    summary = TEvaluation::Summarise(results);
    has_corrections = false;
    has_ranges = false;
    has_retests = false;
    for (const TEvaluation::TResult &result : results) {
        has_corrections = has_corrections || result.has_correction;
        has_ranges = has_ranges || result.has_range;
        has_retests = has_retests || result.retest_of > 0;
    }
}

bool TResultsModel::Column_Has_Values(int column) const
{
    switch (column) {
    case COLUMN_CORRECTED:
        return has_corrections;
    case COLUMN_RANGE:
        return has_ranges;
    case COLUMN_UNCERTAINTY:
        return conditions.has_uncertainty;
    case COLUMN_RETEST_OF:
        return has_retests;
    default:
        return column >= 0 && column < COLUMN_COUNT;
    }
}

void TResultsModel::Refresh()
{
    std::vector<TEvaluation::TResult> evaluated = TEvaluation::Evaluate_All(
        deflection_model, *measurement_data, mpe, conditions, &repetitions);
    const bool same_rows = evaluated.size() == results.size();
    // Rows added behind the others ("+", an appended plan or import) are inserted, so that a
    // view keeps its state and a sorting proxy sorts only them in.
    bool appended = evaluated.size() > results.size();
    for (size_t row = 0; appended && row < results.size(); ++row) {
        appended = evaluated[row].id == results[row].id;
    }
    const int old_count = int(results.size());
    if (appended) {
        beginInsertRows(QModelIndex(), old_count, int(evaluated.size()) - 1);
    } else if (!same_rows) {
        beginResetModel();
    }
    results.swap(evaluated);
    rows_by_id.clear();
    rows_by_id.reserve(int(results.size()));
    for (size_t row = 0; row < results.size(); ++row) {
        rows_by_id.insert(results[row].id, int(row));
    }
    Summarise();
    if (appended) {
        endInsertRows();
        if (old_count > 0) {
            emit dataChanged(index(0, 0), index(old_count - 1, COLUMN_COUNT - 1));
        }
    } else if (same_rows) {
        if (!results.empty()) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, COLUMN_COUNT - 1));
        }
    } else {
        endResetModel();
    }
    emit Results_Changed();
}

int TResultsModel::Row_Of_Id(int id) const
{
    return rows_by_id.value(id, -1);
}

int TResultsModel::Id_At_Row(int row) const
{
    return row >= 0 && row < rowCount() ? results[size_t(row)].id : 0;
}

QString TResultsModel::Tab_Separated(const QList<int> &rows, const QList<int> &columns_) const
{
    QList<int> columns = columns_;
    for (int column = 0; columns_.isEmpty() && column < COLUMN_COUNT; ++column) {
        if (Column_Has_Values(column)) {
            columns << column;
        }
    }
    QStringList lines;
    QStringList header;
    for (const int column : columns) {
        header << headerData(column, Qt::Horizontal).toString();
    }
    lines << header.join(QLatin1Char('\t'));
    for (const int row : rows) {
        if (row < 0 || row >= rowCount()) {
            continue;
        }
        QStringList cells;
        for (const int column : columns) {
            cells << Text(results[size_t(row)], column);
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

int TResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(results.size());
}

int TResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : COLUMN_COUNT;
}

QString TResultsModel::Text(const TEvaluation::TResult &result, int column) const
{
    switch (column) {
    case COLUMN_ID:
        return QString::number(result.id);
    case COLUMN_NOMINAL:
        return Length_Text(result.nominal_length);
    case COLUMN_POSITION_Y:
        return Length_Text(result.position.y);
    case COLUMN_POSITION_Z:
        return Length_Text(result.position.z);
    case COLUMN_AXIS_Y:
        return TNumberText::Fixed(result.axis.y, 6);
    case COLUMN_AXIS_Z:
        return TNumberText::Fixed(result.axis.z, 6);
    case COLUMN_DIRECTION:
        return TEvaluation::Direction_Label(
            deflection_model ? TEvaluation::Direction_Name(result.axis, deflection_model->Range_Y(),
                                                           deflection_model->Range_Z())
                             : TEvaluation::Direction_Name(result.axis, 1000.0, 1000.0));
    case COLUMN_ACTUAL:
        return Length_Text(result.actual_length);
    case COLUMN_ERROR:
        return Error_Text(result.error);
    case COLUMN_MEASURED:
        return result.has_measured_length ? Length_Text(result.measured_length) : QString();
    case COLUMN_MEASURED_ERROR:
        return result.has_measured_length ? Error_Text(result.measured_error) : QString();
    case COLUMN_RESIDUAL:
        return result.has_measured_length ? Error_Text(result.residual) : QString();
    case COLUMN_MPE:
        return result.has_mpe ? Error_Text(result.mpe) : QString();
    case COLUMN_VERDICT:
        return TEvaluation::Verdict_Label(result.verdict);
    case COLUMN_MEASURED_VERDICT:
        return TEvaluation::Verdict_Label(result.measured_verdict);
    case COLUMN_CORRECTED:
        return result.has_correction ? Length_Text(result.corrected_length) : QString();
    case COLUMN_RANGE:
        return result.has_range ? Error_Text(result.repeatability_range) : QString();
    case COLUMN_UNCERTAINTY:
        return result.has_uncertainty ? Error_Text(result.uncertainty) : QString();
    case COLUMN_RETEST_OF:
        return result.retest_of > 0 ? QString::number(result.retest_of) : QString();
    default:
        return QString();
    }
}

QVariant TResultsModel::Sort_Value(const TEvaluation::TResult &result, int column) const
{
    switch (column) {
    case COLUMN_ID:
        return result.id;
    case COLUMN_NOMINAL:
        return result.nominal_length;
    case COLUMN_POSITION_Y:
        return result.position.y;
    case COLUMN_POSITION_Z:
        return result.position.z;
    case COLUMN_AXIS_Y:
        return result.axis.y;
    case COLUMN_AXIS_Z:
        return result.axis.z;
    case COLUMN_ACTUAL:
        return result.actual_length;
    case COLUMN_ERROR:
        return result.error;
    // Rows without a value sort before every number.
    case COLUMN_MEASURED:
        return result.has_measured_length ? result.measured_length : -HUGE_VAL;
    case COLUMN_MEASURED_ERROR:
        return result.has_measured_length ? result.measured_error : -HUGE_VAL;
    case COLUMN_RESIDUAL:
        return result.has_measured_length ? result.residual : -HUGE_VAL;
    case COLUMN_MPE:
        return result.has_mpe ? result.mpe : -HUGE_VAL;
    case COLUMN_CORRECTED:
        return result.has_correction ? result.corrected_length : -HUGE_VAL;
    case COLUMN_RANGE:
        return result.has_range ? result.repeatability_range : -HUGE_VAL;
    case COLUMN_UNCERTAINTY:
        return result.has_uncertainty ? result.uncertainty : -HUGE_VAL;
    case COLUMN_RETEST_OF:
        return result.retest_of;
    default:
        return Text(result, column);
    }
}

QVariant TResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= COLUMN_COUNT) {
        return QVariant();
    }
    const TEvaluation::TResult &result = results[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return Text(result, index.column());
    case Qt::EditRole:
        return index.column() == COLUMN_MEASURED && result.has_measured_length
                   ? TNumberText::Shortest(result.measured_length)
                   : Text(result, index.column());
    case SORT_ROLE:
        return Sort_Value(result, index.column());
    case FAILED_ROLE:
        return Fails(result);
    case SIMULATED_FAILED_ROLE:
        return result.verdict == TEvaluation::FAIL && !Fails(result);
    case Qt::TextAlignmentRole:
        return int(Is_Numeric(index.column()) ? Qt::AlignRight | Qt::AlignVCenter
                                              : Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QString TResultsModel::Column_Title(int column)
{
    static const char *const titles[COLUMN_COUNT] = {
        QT_TRANSLATE_NOOP("TResultsModel", "Id"),
        QT_TRANSLATE_NOOP("TResultsModel", "Nominal (mm)"),
        QT_TRANSLATE_NOOP("TResultsModel", "Position Y (mm)"),
        QT_TRANSLATE_NOOP("TResultsModel", "Position Z (mm)"),
        QT_TRANSLATE_NOOP("TResultsModel", "Axis Y"),
        QT_TRANSLATE_NOOP("TResultsModel", "Axis Z"),
        QT_TRANSLATE_NOOP("TResultsModel", "Direction"),
        QT_TRANSLATE_NOOP("TResultsModel", "Actual (mm)"),
        QT_TRANSLATE_NOOP("TResultsModel", "Error (\u00b5m)"),
        QT_TRANSLATE_NOOP("TResultsModel", "Measured (mm)"),
        QT_TRANSLATE_NOOP("TResultsModel", "Measured error (\u00b5m)"),
        QT_TRANSLATE_NOOP("TResultsModel", "Residual (\u00b5m)"),
        QT_TRANSLATE_NOOP("TResultsModel", "MPE (\u00b5m)"),
        QT_TRANSLATE_NOOP("TResultsModel", "Verdict"),
        QT_TRANSLATE_NOOP("TResultsModel", "Measured verdict"),
        QT_TRANSLATE_NOOP("TResultsModel", "At 20 °C (mm)"),
        QT_TRANSLATE_NOOP("TResultsModel", "Range R (µm)"),
        QT_TRANSLATE_NOOP("TResultsModel", "U (µm)"),
        QT_TRANSLATE_NOOP("TResultsModel", "Retest of"),
    };
    if (column < 0 || column >= COLUMN_COUNT) {
        return QString();
    }
    return tr(titles[column]);
}

QVariant TResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (section < 0 || section >= COLUMN_COUNT) {
        return QVariant();
    }
    return Column_Title(section);
}

Qt::ItemFlags TResultsModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == COLUMN_MEASURED) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}

bool TResultsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != COLUMN_MEASURED ||
        index.row() >= rowCount()) {
        return false;
    }
    TMeasurementData::TMeasurement measurement;
    if (!measurement_data->Get_Measurement(Id_At_Row(index.row()), &measurement)) {
        return false;
    }
    const QString text = value.toString().trimmed();
    if (text.isEmpty()) {
        measurement.has_measured_length = false;
    } else {
        double length = 0.0;
        if (!TNumberText::Read_Typed(text, &length)) {
            return false;
        }
        measurement.has_measured_length = true;
        measurement.measured_length = length;
    }
    if (!writable_data) {
        emit Measured_Length_Entered(measurement);
        return true;
    }
    writable_data->Update_Measurement(measurement);
    Evaluate_Row(index.row(), measurement);
    emit Measured_Length_Edited(measurement.id);
    emit Results_Changed();
    return true;
}
