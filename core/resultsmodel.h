// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TRESULTSMODEL_H
#define TRESULTSMODEL_H

#include <QAbstractTableModel>
#include <QHash>
#include <vector>

#include "conformance.h"
#include "evaluation.h"
#include "mpe.h"
#include "repetitionindex.h"

class TDeflectionModel;
class TTestDocument;

// Every measurement with its actual length, errors and verdicts as a table, in store order.
// The Measured column is editable and writes into the store. Nothing here owns the model or
// the store; Refresh() evaluates everything again after either has changed.
class TResultsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum TColumn {
        COLUMN_ID,
        COLUMN_NOMINAL,
        COLUMN_POSITION_Y,
        COLUMN_POSITION_Z,
        COLUMN_AXIS_Y,
        COLUMN_AXIS_Z,
        COLUMN_DIRECTION,
        COLUMN_ACTUAL,
        COLUMN_ERROR,
        COLUMN_MEASURED,
        COLUMN_MEASURED_ERROR,
        COLUMN_RESIDUAL,
        COLUMN_MPE,
        COLUMN_VERDICT,
        COLUMN_MEASURED_VERDICT,
        // Shown when the test gives what they need: a correction to 20 °C, repetitions, a
        // test uncertainty, retests.
        COLUMN_CORRECTED,
        COLUMN_RANGE,
        COLUMN_UNCERTAINTY,
        COLUMN_RETEST_OF,
        COLUMN_COUNT
    };

    enum TRole {
        // The cell's value for sorting: a number for numeric columns, text otherwise.
        SORT_ROLE = Qt::UserRole,
        // True on a row whose measured result fails: the machine's own verdict.
        FAILED_ROLE,
        // True on a row whose simulated result fails while its measured one does not.
        SIMULATED_FAILED_ROLE
    };

    // The results of a store that the caller keeps evaluated with Set_Deflection_Model,
    // Set_Mpe and Refresh; an edited measured length goes straight into the store.
    explicit TResultsModel(TMeasurementData *data, QObject *parent = nullptr);
    // The results of a test, kept up to date row by row as its measurements change, and as a
    // whole when its model, a field or the MPE does. An edited measured length is reported
    // with Measured_Length_Entered; the store changes only through the document.
    explicit TResultsModel(const TTestDocument *document, QObject *parent = nullptr);
    ~TResultsModel() override;

    void Set_Deflection_Model(const TDeflectionModel *model);
    void Set_Mpe(const TMpe &mpe);
    TMpe Mpe() const { return mpe; }
    void Set_Conditions(const TTestConditions &conditions);
    const TTestConditions &Conditions() const { return conditions; }
    // Whether the test conforms, from the results as they stand.
    TConformance::TStatement Conformance() const;
    // True when some result has a value in the column: the optional columns are shown only
    // then.
    bool Column_Has_Values(int column) const;
    // Evaluates every measurement again.
    void Refresh();

    const std::vector<TEvaluation::TResult> &Results() const { return results; }
    TEvaluation::TSummary Summary() const { return summary; }
    int Row_Of_Id(int id) const;
    int Id_At_Row(int row) const;

    // The rows (in the given order) as tab-separated text with a header row, as shown: the
    // given columns in their order, or all of them in the model's.
    QString Tab_Separated(const QList<int> &rows, const QList<int> &columns = {}) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The column's title in the user interface's language, as the table and the report head it.
    static QString Column_Title(int column);
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The Measured column: a finite number in mm, or empty for "not measured".
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // The user entered or cleared a measured length in the table.
    void Measured_Length_Edited(int id);
    // The user entered or cleared a measured length in the table of a test: the measurement
    // as it would become.
    void Measured_Length_Entered(const TMeasurementData::TMeasurement &measurement);
    // After every Refresh and every edit.
    void Results_Changed();

private slots:
    void Update_Row(int id);
    void Insert_Row(int id);
    void Remove_Row(int id);
    // The test's model, MPE and conditions, and every row evaluated and grouped again.
    void Follow_Document();
    // The test's model and MPE, and every row evaluated again in its group.
    void Follow_Model();

private:
    void Index_Rows_From(int row);
    // The row evaluated again for the measurement as it now stands, regrouped and told.
    void Evaluate_Row(int row, const TMeasurementData::TMeasurement &measurement);
    // The ranges a change of repetitions gave, into their rows, and the summary anew.
    void Regroup(const std::vector<TRepetitionIndex::TRange> &ranges);
    // The summary, and which optional columns have values, from the results as they stand.
    void Summarise();
    QString Text(const TEvaluation::TResult &result, int column) const;
    QVariant Sort_Value(const TEvaluation::TResult &result, int column) const;

    const TMeasurementData *measurement_data;
    // Where an edited measured length goes without a document; nullptr with one.
    TMeasurementData *writable_data;
    const TTestDocument *document;
    const TDeflectionModel *deflection_model;
    TMpe mpe;
    TTestConditions conditions;
    std::vector<TEvaluation::TResult> results;
    TEvaluation::TSummary summary;
    bool has_corrections = false;
    bool has_ranges = false;
    bool has_retests = false;
    QHash<int, int> rows_by_id;
    // The repetitions among the results, so that one changed row regroups only its gauge's.
    TRepetitionIndex repetitions;
};

#endif
