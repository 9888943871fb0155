// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TTESTDOCUMENT_H
#define TTESTDOCUMENT_H

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

#include "gaugecorrections.h"
#include "measurementchange.h"
#include "measurementdata.h"
#include "mpe.h"
#include "persistence.h"
#include "testconditions.h"

class TDeflectionModel;

// Everything one length test is: the model with its parameters and the ranges (each as typed
// and as the model uses it), the MPE, what the report says about the test, and the
// measurements. It is the one owner of that state: the window's views show it and observe
// its signals, the undo commands change it, and the batch tool reads it. Every setter checks
// what it is given, and every signal says exactly what changed, so that a view redraws only
// that.
class TTestDocument : public QObject
{
    Q_OBJECT

public:
    // The six fields of the model controls: the four parameters, then the two ranges.
    enum TField : int {
        FIELD_PARAMETER1,
        FIELD_PARAMETER2,
        FIELD_PARAMETER3,
        FIELD_PARAMETER4,
        FIELD_RANGE_Y,
        FIELD_RANGE_Z,
        FIELD_COUNT
    };

    // What the model controls and the MPE hold, as one value that undo can put back.
    struct TFields {
        int model_index = -1;
        // The text shown and the number in use. Both are kept, because a field may show text
        // that is no number while the model keeps the last valid one.
        std::array<QString, FIELD_COUNT> texts;
        std::array<double, FIELD_COUNT> values{};
        TMpe mpe;
        QStringList mpe_texts{QString(), QString(), QString()};
        // Fields (and the MPE) that still show a stored value that cannot be used; a save
        // writes their texts back as they are.
        std::array<bool, FIELD_COUNT> unused{};
        bool mpe_unused = false;
        // A stored model number that names no model (not -1), kept as it was while no model
        // is chosen; -1 otherwise.
        int unused_model = -1;
        // The parameters each other model had when it was left, by the model's key, as the
        // settings keep them ("P1 P2 P3 P4"); a model not left yet starts from its presets.
        QMap<QString, QString> other_models;

        bool operator==(const TFields &other) const;
        bool operator!=(const TFields &other) const { return !(*this == other); }
    };

    // What the report says about the test besides its numbers.
    struct TReportDetails {
        QString title;
        QString machine;
        QString operator_name;
        QString notes;
        QString serial_number;
        QString manufacturer; // manufacturer and type
        QString location;
        QString customer;
        QString test_date; // the date of the measurements, as entered
        QString procedure;

        bool operator==(const TReportDetails &other) const;
        bool operator!=(const TReportDetails &other) const { return !(*this == other); }
    };

    explicit TTestDocument(QObject *parent = nullptr);
    ~TTestDocument() override;

    // The rules that turn stored settings into a test, the same for the window and the batch
    // tool. A model number outside the catalogue means no model. A usable parameter shows with
    // four decimals, a usable range with three; a range below 1 mm comes back as 1000 mm. A
    // value that cannot be used is shown as written, is not used (0 for a parameter, 1000 mm
    // for a range) and is saved back as written until the field is changed; the same holds
    // for the MPE.
    void Load_Settings(const TPersistence::TSettings &stored);
    // The test's part of the settings file: model, parameters, ranges, MPE, report details.
    void Store_Settings(TPersistence::TSettings *settings) const;
    // "Model_Parameter1=1e13" while the field still holds a stored value that cannot be
    // used, empty otherwise; the batch tool refuses such values where it needs them.
    QString Unused_Stored_Value(int field) const;
    // "MPE/A=x, MPE/K=2" while the MPE fields hold a stored MPE that cannot be used.
    QString Unused_Stored_Mpe() const;
    // Every stored value kept as written and not used, the model number included, for the
    // window to tell at start.
    QStringList Unused_Stored_Values() const;

    // The model's place in the catalogue, -1 for none.
    int Model_Index() const { return fields.model_index; }
    // The catalogue's type of the model, TModelCatalog::NO_MODEL for none.
    int Model_Type() const;
    // The model as it computes, with the values in use; nullptr for none.
    const TDeflectionModel *Model() const { return model.get(); }
    // The model's corrections at the ends of the store's gauges, shared by those who follow the
    // model so that it works them out once a change; not part of the test's state, and right
    // for whoever asks, under whichever model.
    TGaugeCorrections &Gauge_Corrections() const { return gauge_corrections; }
    // Chooses the model at this place in the catalogue, anything else none. The new model gets
    // what the fields show: 0 for a parameter and 1000 mm for a range that holds no number.
    void Set_Model_Index(int index);
    // The parameters the model at the index has in this test: the fields' numbers for the
    // model in use, the ones it was left with, or its presets; false for an index that names
    // no model.
    bool Model_Parameters(int index, std::array<double, 4> *parameters) const;

    const TFields &Fields() const { return fields; }
    // Puts every field back as it was, for undo; the model is rebuilt when it differs.
    void Set_Fields(const TFields &state);
    QString Field_Text(int field) const;
    // The number in use: a parameter or range of the model.
    double Field_Value(int field) const;
    // The value a text would put in use in the field; the value in use when it puts none.
    double Value_For_Text(int field, const QString &text) const;
    // Text and value together, as typing gives them or undo brings them back. A value that is
    // not finite changes nothing.
    void Set_Field(int field, const QString &text, const double &value);
    // Why the model does not use what the field shows, for the field's mark; empty when it
    // does, and always without a model.
    QString Field_Problem(int field) const;
    // A parameter's name as the undo step and the fit name it; empty without a model.
    QString Field_Name(int field) const;

    TMpe Mpe() const { return fields.mpe; }
    QStringList Mpe_Texts() const { return fields.mpe_texts; }
    // The MPE in use and the three fields as typed.
    void Set_Mpe(const TMpe &mpe, const QStringList &texts);

    const TReportDetails &Report_Details() const { return report_details; }
    void Set_Report_Details(const TReportDetails &details);

    // The uncertainty, R0 and the gauge's temperature and expansion the results are judged
    // with.
    const TTestConditions &Conditions() const { return conditions; }
    void Set_Conditions(const TTestConditions &conditions);
    // "Conditions/Gauge_CTE=abc: ..." for each stored condition that cannot be used; it is
    // kept as written until the conditions are set.
    QStringList Unused_Stored_Conditions() const;

    const TMeasurementData &Measurement_Data() const { return store; }
    // The measurements as a fit sees them: measured lengths corrected to 20 °C by the
    // conditions, as the results judge them.
    TMeasurementData Fit_Data() const { return conditions.Corrected(store); }
    const std::vector<TMeasurementData::TMeasurement> &Measurements() const
    {
        return store.Measurements();
    }
    // The identifier a new measurement gets: the smallest one that is free.
    int Free_Id() const;
    // Appends the record; false, and nothing changes, when its id is taken or not positive.
    bool Add_Measurement(const TMeasurementData::TMeasurement &measurement);
    // Overwrites the record with the same id; false when there is none.
    bool Update_Measurement(const TMeasurementData::TMeasurement &measurement);
    // Removes the records with these ids; ids not found are skipped.
    void Remove_Measurements(const std::vector<int> &ids);
    // Puts records back where they were, each before the record now at its position; the
    // positions ascend and count the list as it will be.
    void Insert_Measurements(
        const std::vector<std::pair<size_t, TMeasurementData::TMeasurement>> &records);
    // Turns the list forward (or back, when undo) by a change made against it.
    void Apply_Change(const TMeasurementChange &change, bool undo);
    // Replaces the list, as loading a file does.
    void Set_Measurements(const std::vector<TMeasurementData::TMeasurement> &records);
    // Reads the measurement file through persistence, which keeps a file it could not read
    // completely.
    void Load_Measurements(TPersistence *persistence);

signals:
    // A new model (or none): every field and every result may have changed.
    void Model_Changed();
    // One field's text or value.
    void Field_Changed(int field);
    void Mpe_Changed();
    void Report_Details_Changed();
    void Conditions_Changed();
    void Measurement_Added(int id);
    void Measurement_Changed(int id);
    void Measurement_Removed(int id);
    // The list changed as a whole.
    void Measurements_Reset();
    // After any change of what the test holds, for the autosave.
    void Modified();

private:
    // The model at the index, with the values its fields' texts give.
    void Choose_Model(int index);
    // Keeps the current model's parameters aside and shows the ones the model at the index
    // had last, or its presets.
    void Swap_Parameters(int index);
    // The four numbers kept for the model with this key, when they read as such.
    bool Kept_Parameters(const QString &key, std::array<double, 4> *parameters) const;
    void Build_Model();

    TFields fields;
    std::unique_ptr<TDeflectionModel> model;
    TReportDetails report_details;
    TTestConditions conditions;
    // Stored conditions that cannot be used, by key, with the reason.
    QMap<QString, QString> unused_conditions;
    QStringList unused_condition_reasons;
    TMeasurementData store;
    mutable TGaugeCorrections gauge_corrections;
};

#endif
