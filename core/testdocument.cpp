// SPDX-License-Identifier: GPL-3.0-or-later
#include "testdocument.h"

#include <QLocale>

#include <cmath>

#include "deflectionmodel.h"
#include "modelcatalog.h"
#include "numbertext.h"

namespace
{
// What a field falls back to when its text holds no number: the defaults of a first start.
const double parameter_fallback = 0.0;
const double range_fallback = 1000.0;
// Beyond this many records a change is told as a new list rather than record by record.
const size_t announced_one_by_one = 100;

bool Is_Range(int field)
{
    return field == TTestDocument::FIELD_RANGE_Y || field == TTestDocument::FIELD_RANGE_Z;
}

double Fallback(int field)
{
    return Is_Range(field) ? range_fallback : parameter_fallback;
}

// The settings keys of the six fields, as the batch tool names them.
const char *const field_keys[TTestDocument::FIELD_COUNT] = {"Model_Parameter1", "Model_Parameter2",
                                                            "Model_Parameter3", "Model_Parameter4",
                                                            "Range_Y",          "Range_Z"};
} // namespace

bool TTestDocument::TFields::operator==(const TFields &other) const
{
    return model_index == other.model_index && mpe == other.mpe && mpe_texts == other.mpe_texts &&
           texts == other.texts && values == other.values && unused == other.unused &&
           mpe_unused == other.mpe_unused && unused_model == other.unused_model &&
           other_models == other.other_models;
}

bool TTestDocument::TReportDetails::operator==(const TReportDetails &other) const
{
    return title == other.title && machine == other.machine &&
           operator_name == other.operator_name && notes == other.notes &&
           serial_number == other.serial_number && manufacturer == other.manufacturer &&
           location == other.location && customer == other.customer &&
           test_date == other.test_date && procedure == other.procedure;
}

TTestDocument::TTestDocument(QObject *parent)
    : QObject(parent)
{
    Load_Settings(TPersistence::TSettings());
}

TTestDocument::~TTestDocument() = default;

void TTestDocument::Load_Settings(const TPersistence::TSettings &stored)
{
    TFields loaded;
    loaded.model_index =
        stored.deflection_model >= 0 && stored.deflection_model < TModelCatalog::Model_Count()
            ? stored.deflection_model
            : -1;
    const double numbers[FIELD_COUNT] = {stored.parameters[0], stored.parameters[1],
                                         stored.parameters[2], stored.parameters[3],
                                         stored.range_y,       stored.range_z};
    for (int field = 0; field < FIELD_COUNT; ++field) {
        const QString &unused = stored.unused_texts[size_t(field)];
        QString &text = loaded.texts[size_t(field)];
        if (!unused.isEmpty()) {
            text = unused;
            loaded.unused[size_t(field)] = true;
        } else if (Is_Range(field)) {
            text = TNumberText::Fixed(numbers[field], 3);
            // A range below 1 mm comes back as the default.
            double value = 0.0;
            if (!TNumberText::Read_Typed(text, &value) || !(value >= 1.0)) {
                text = QStringLiteral("1000.000");
            }
        } else {
            text = TNumberText::Parameter(numbers[field]);
        }
    }
    if (stored.unused_mpe_texts.size() == 3) {
        loaded.mpe_texts = stored.unused_mpe_texts;
        loaded.mpe_unused = true;
    } else {
        loaded.mpe = stored.mpe;
        loaded.mpe_texts = QStringList{
            stored.mpe.Is_Set() ? TNumberText::Shortest(stored.mpe.A()) : QString(),
            stored.mpe.Is_Set() ? TNumberText::Shortest(stored.mpe.K()) : QString(),
            stored.mpe.Is_Set() && stored.mpe.Has_B() ? TNumberText::Shortest(stored.mpe.B())
                                                      : QString()};
    }
    loaded.other_models = stored.model_parameters;
    fields = loaded;
    report_details = TReportDetails{stored.report_title,         stored.report_machine,
                                    stored.report_operator,      stored.report_notes,
                                    stored.report_serial_number, stored.report_manufacturer,
                                    stored.report_location,      stored.report_customer,
                                    stored.report_test_date,     stored.report_procedure};
    unused_conditions.clear();
    unused_condition_reasons.clear();
    TTestConditions::From_Texts(stored.conditions, &conditions, &unused_condition_reasons);
    for (auto entry = stored.conditions.cbegin(); entry != stored.conditions.cend(); ++entry) {
        if (!conditions.Texts().contains(entry.key())) {
            unused_conditions.insert(entry.key(), entry.value());
        }
    }
    // The fields as they now read, through the same rule as a model chosen by the user.
    Choose_Model(fields.model_index);
    if (fields.model_index < 0 && stored.deflection_model != -1) {
        fields.unused_model = stored.deflection_model;
    }
    emit Model_Changed();
    emit Mpe_Changed();
    emit Report_Details_Changed();
    emit Conditions_Changed();
}

void TTestDocument::Store_Settings(TPersistence::TSettings *settings) const
{
    Q_ASSERT(settings);
    settings->deflection_model =
        fields.unused_model != -1 ? fields.unused_model : fields.model_index;
    for (int i = 0; i < 4; ++i) {
        settings->parameters[i] = fields.values[size_t(i)];
    }
    // The ranges are stored as their fields read (0 for text that is no number), which the
    // next start's range check turns back into the default.
    double ranges[2] = {0.0, 0.0};
    TNumberText::Read_Typed(fields.texts[FIELD_RANGE_Y], &ranges[0]);
    TNumberText::Read_Typed(fields.texts[FIELD_RANGE_Z], &ranges[1]);
    settings->range_y = ranges[0];
    settings->range_z = ranges[1];
    for (int field = 0; field < FIELD_COUNT; ++field) {
        settings->unused_texts[size_t(field)] =
            fields.unused[size_t(field)] ? fields.texts[size_t(field)] : QString();
    }
    settings->mpe = fields.mpe;
    settings->unused_mpe_texts = fields.mpe_unused ? fields.mpe_texts : QStringList();
    settings->model_parameters = fields.other_models;
    settings->report_title = report_details.title;
    settings->report_machine = report_details.machine;
    settings->report_operator = report_details.operator_name;
    settings->report_notes = report_details.notes;
    settings->report_serial_number = report_details.serial_number;
    settings->report_manufacturer = report_details.manufacturer;
    settings->report_location = report_details.location;
    settings->report_customer = report_details.customer;
    settings->report_test_date = report_details.test_date;
    settings->report_procedure = report_details.procedure;
    settings->conditions = conditions.Texts();
    for (auto entry = unused_conditions.cbegin(); entry != unused_conditions.cend(); ++entry) {
        settings->conditions.insert(entry.key(), entry.value());
    }
}

QString TTestDocument::Unused_Stored_Value(int field) const
{
    if (field < 0 || field >= FIELD_COUNT || !fields.unused[size_t(field)]) {
        return QString();
    }
    return QStringLiteral("%1=%2").arg(QLatin1String(field_keys[field]),
                                       fields.texts[size_t(field)]);
}

QString TTestDocument::Unused_Stored_Mpe() const
{
    QStringList values;
    if (fields.mpe_unused) {
        const char *const keys[3] = {"MPE/A", "MPE/K", "MPE/B"};
        for (int i = 0; i < 3; ++i) {
            if (!fields.mpe_texts[i].isEmpty()) {
                values << QStringLiteral("%1=%2").arg(QLatin1String(keys[i]), fields.mpe_texts[i]);
            }
        }
    }
    return values.join(QStringLiteral(", "));
}

QStringList TTestDocument::Unused_Stored_Values() const
{
    QStringList values;
    if (fields.unused_model != -1) {
        values << QStringLiteral("Deflection_Model=%1").arg(fields.unused_model);
    }
    for (int field = 0; field < FIELD_COUNT; ++field) {
        if (fields.unused[size_t(field)]) {
            values << Unused_Stored_Value(field);
        }
    }
    if (fields.mpe_unused) {
        values << Unused_Stored_Mpe();
    }
    return values + Unused_Stored_Conditions();
}

QStringList TTestDocument::Unused_Stored_Conditions() const
{
    QStringList values;
    for (const QString &reason : unused_condition_reasons) {
        values << QStringLiteral("Conditions/") + reason;
    }
    return values;
}

void TTestDocument::Set_Conditions(const TTestConditions &conditions_)
{
    if (conditions_ == conditions && unused_conditions.isEmpty()) {
        return;
    }
    conditions = conditions_;
    unused_conditions.clear();
    unused_condition_reasons.clear();
    emit Conditions_Changed();
    emit Modified();
}

int TTestDocument::Model_Type() const
{
    return fields.model_index >= 0 ? TModelCatalog::Model_At(fields.model_index).type
                                   : TModelCatalog::NO_MODEL;
}

void TTestDocument::Set_Model_Index(int index)
{
    fields.unused_model = -1;
    Swap_Parameters(index);
    Choose_Model(index);
    emit Model_Changed();
    emit Modified();
}

void TTestDocument::Swap_Parameters(int index)
{
    const int to = index >= 0 && index < TModelCatalog::Model_Count() ? index : -1;
    if (to == fields.model_index) {
        return;
    }
    // Each model reads its parameters in its own units, so one model's numbers never go to
    // another.
    if (fields.model_index >= 0) {
        QStringList numbers;
        for (int i = 0; i < 4; ++i) {
            // Shortest, exact, and never in exponent notation.
            numbers << QLocale::c().toString(fields.values[size_t(i)], 'f',
                                             QLocale::FloatingPointShortest);
        }
        fields.other_models[QLatin1String(TModelCatalog::Model_At(fields.model_index).key)] =
            numbers.join(QLatin1Char(' '));
    }
    if (to < 0) {
        return;
    }
    const TModelCatalog::TModel &model = TModelCatalog::Model_At(to);
    const QString key = QLatin1String(model.key);
    // Not yet the model in use, so its numbers come from where it was left, or its presets.
    std::array<double, 4> values{};
    Model_Parameters(to, &values);
    const bool kept = fields.other_models.contains(key) && Kept_Parameters(key, nullptr);
    for (int i = 0; i < 4; ++i) {
        fields.texts[size_t(i)] = kept ? TNumberText::Parameter(values[size_t(i)])
                                       : QString::fromLatin1(model.parameters[i].preset);
        fields.unused[size_t(i)] = false;
    }
    // Its numbers are in the fields now; an entry that could not be read stays as it was.
    if (kept) {
        fields.other_models.remove(key);
    }
}

bool TTestDocument::Kept_Parameters(const QString &key, std::array<double, 4> *parameters) const
{
    const QStringList numbers = fields.other_models.value(key).split(QLatin1Char(' '));
    std::array<double, 4> values{};
    bool usable = numbers.size() == 4;
    for (int i = 0; usable && i < 4; ++i) {
        usable = TNumberText::Read_Finite(numbers[i], &values[size_t(i)]);
    }
    if (usable && parameters) {
        *parameters = values;
    }
    return usable;
}

bool TTestDocument::Model_Parameters(int index, std::array<double, 4> *parameters) const
{
    Q_ASSERT(parameters);
    if (index < 0 || index >= TModelCatalog::Model_Count()) {
        return false;
    }
    if (index == fields.model_index) {
        std::copy(fields.values.begin(), fields.values.begin() + 4, parameters->begin());
        return true;
    }
    const TModelCatalog::TModel &model = TModelCatalog::Model_At(index);
    if (!Kept_Parameters(QLatin1String(model.key), parameters)) {
        for (int i = 0; i < 4; ++i) {
            (*parameters)[size_t(i)] = TModelCatalog::Preset_Value(model, i);
        }
    }
    return true;
}

void TTestDocument::Choose_Model(int index)
{
    fields.model_index = index >= 0 && index < TModelCatalog::Model_Count() ? index : -1;
    for (int field = 0; field < FIELD_COUNT; ++field) {
        double value = Fallback(field);
        TNumberText::Read_Typed(fields.texts[size_t(field)], &value);
        fields.values[size_t(field)] = value;
    }
    Build_Model();
}

void TTestDocument::Build_Model()
{
    // The old model goes first, so that two models never exist at once.
    model.reset();
    model.reset(TModelCatalog::Create(Model_Type()));
    if (!model) {
        return;
    }
    model->Set_Range_Y(fields.values[FIELD_RANGE_Y]);
    model->Set_Range_Z(fields.values[FIELD_RANGE_Z]);
    model->Set_Parameter1(fields.values[FIELD_PARAMETER1]);
    model->Set_Parameter2(fields.values[FIELD_PARAMETER2]);
    model->Set_Parameter3(fields.values[FIELD_PARAMETER3]);
    model->Set_Parameter4(fields.values[FIELD_PARAMETER4]);
    // The model keeps its own range where it ignores one of 1 mm or less.
    fields.values[FIELD_RANGE_Y] = model->Range_Y();
    fields.values[FIELD_RANGE_Z] = model->Range_Z();
}

void TTestDocument::Set_Fields(const TFields &state)
{
    const TFields before = fields;
    fields = state;
    if (state.model_index != before.model_index) {
        Build_Model();
        emit Model_Changed();
    } else {
        for (int field = 0; field < FIELD_COUNT; ++field) {
            if (state.texts[size_t(field)] != before.texts[size_t(field)] ||
                state.values[size_t(field)] != before.values[size_t(field)] ||
                state.unused[size_t(field)] != before.unused[size_t(field)]) {
                Set_Field(field, state.texts[size_t(field)], state.values[size_t(field)]);
                fields.unused[size_t(field)] = state.unused[size_t(field)];
            }
        }
    }
    if (state.mpe != before.mpe || state.mpe_texts != before.mpe_texts ||
        state.mpe_unused != before.mpe_unused) {
        emit Mpe_Changed();
    }
    emit Modified();
}

QString TTestDocument::Field_Text(int field) const
{
    return fields.texts.at(size_t(field));
}

double TTestDocument::Field_Value(int field) const
{
    return fields.values.at(size_t(field));
}

double TTestDocument::Value_For_Text(int field, const QString &text) const
{
    double value = 0.0;
    if (!TNumberText::Read_Typed(text, &value) || (Is_Range(field) && !(value > 1.0))) {
        return Field_Value(field);
    }
    return value;
}

void TTestDocument::Set_Field(int field, const QString &text, const double &value)
{
    if (field < 0 || field >= FIELD_COUNT || !std::isfinite(value)) {
        return;
    }
    const size_t at = size_t(field);
    if (fields.texts[at] != text) {
        fields.unused[at] = false;
    }
    fields.texts[at] = text;
    fields.values[at] = value;
    if (model) {
        switch (field) {
        case FIELD_PARAMETER1:
            model->Set_Parameter1(value);
            break;
        case FIELD_PARAMETER2:
            model->Set_Parameter2(value);
            break;
        case FIELD_PARAMETER3:
            model->Set_Parameter3(value);
            break;
        case FIELD_PARAMETER4:
            model->Set_Parameter4(value);
            break;
        case FIELD_RANGE_Y:
            model->Set_Range_Y(value);
            fields.values[at] = model->Range_Y();
            break;
        default:
            model->Set_Range_Z(value);
            fields.values[at] = model->Range_Z();
            break;
        }
    }
    emit Field_Changed(field);
    emit Modified();
}

QString TTestDocument::Field_Problem(int field) const
{
    if (!model || field < 0 || field >= FIELD_COUNT) {
        return QString();
    }
    double value = 0.0;
    if (!TNumberText::Read_Typed(fields.texts[size_t(field)], &value)) {
        return tr("Not a number: using %1").arg(TNumberText::Parameter(Field_Value(field)));
    }
    if (Is_Range(field) && !(value > 1.0)) {
        return tr("A range of 1 mm or less is ignored: using %1 mm")
            .arg(TNumberText::Fixed(Field_Value(field), 3));
    }
    return QString();
}

QString TTestDocument::Field_Name(int field) const
{
    const TModelCatalog::TModel *entry = TModelCatalog::Find(Model_Type());
    if (!entry || field < 0 || field >= 4) {
        return QString();
    }
    return TModelCatalog::Parameter_Name(*entry, field);
}

void TTestDocument::Set_Mpe(const TMpe &mpe, const QStringList &texts)
{
    Q_ASSERT(texts.size() == 3);
    if (mpe == fields.mpe && texts == fields.mpe_texts) {
        return;
    }
    fields.mpe = mpe;
    fields.mpe_texts = texts;
    fields.mpe_unused = false;
    emit Mpe_Changed();
    emit Modified();
}

void TTestDocument::Set_Report_Details(const TReportDetails &details)
{
    if (details == report_details) {
        return;
    }
    report_details = details;
    emit Report_Details_Changed();
    emit Modified();
}

int TTestDocument::Free_Id() const
{
    return store.Free_Id();
}

bool TTestDocument::Add_Measurement(const TMeasurementData::TMeasurement &measurement)
{
    if (measurement.id <= 0 || store.Measurement_Id_Exists(measurement.id)) {
        return false;
    }
    store.Add_Measurement(measurement);
    emit Measurement_Added(measurement.id);
    emit Modified();
    return true;
}

bool TTestDocument::Update_Measurement(const TMeasurementData::TMeasurement &measurement)
{
    TMeasurementData::TMeasurement stored;
    if (!store.Get_Measurement(measurement.id, &stored)) {
        return false;
    }
    if (stored != measurement) {
        store.Update_Measurement(measurement);
        emit Measurement_Changed(measurement.id);
        emit Modified();
    }
    return true;
}

void TTestDocument::Remove_Measurements(const std::vector<int> &ids)
{
    std::vector<int> found;
    for (const int id : ids) {
        if (store.Measurement_Id_Exists(id)) {
            found.push_back(id);
        }
    }
    if (found.empty()) {
        return;
    }
    store.Remove_Measurements(found);
    if (found.size() > announced_one_by_one) {
        emit Measurements_Reset();
    } else {
        for (const int id : found) {
            emit Measurement_Removed(id);
        }
    }
    emit Modified();
}

void TTestDocument::Insert_Measurements(
    const std::vector<std::pair<size_t, TMeasurementData::TMeasurement>> &records)
{
    if (records.empty()) {
        return;
    }
    const size_t size_before = store.Measurements().size();
    // Each record is put before the one now at its position; the ascending positions already
    // count the records put back before it.
    for (const auto &record : records) {
        const size_t position = std::min(record.first, store.Measurements().size());
        store.Replace_Records(position, 0, {record.second});
    }
    const bool appended = records.front().first >= size_before;
    if (appended && records.size() <= announced_one_by_one) {
        for (const auto &record : records) {
            emit Measurement_Added(record.second.id);
        }
    } else {
        // Records in the middle change what lies over what in the drawing and the order of
        // every row behind them.
        emit Measurements_Reset();
    }
    emit Modified();
}

void TTestDocument::Apply_Change(const TMeasurementChange &change, bool undo)
{
    if (change.Is_Empty()) {
        return;
    }
    const std::vector<TMeasurementData::TMeasurement> &from =
        undo ? change.Inserted() : change.Removed();
    const std::vector<TMeasurementData::TMeasurement> &to =
        undo ? change.Removed() : change.Inserted();
    const size_t size_before = store.Measurements().size();
    store.Replace_Records(change.Position(), from.size(), to);
    const bool in_place = change.Is_In_Place();
    if (in_place) {
        for (const TMeasurementData::TMeasurement &record : to) {
            emit Measurement_Changed(record.id);
        }
    } else if (from.empty() && change.Position() == size_before &&
               to.size() <= announced_one_by_one) {
        for (const TMeasurementData::TMeasurement &record : to) {
            emit Measurement_Added(record.id);
        }
    } else if (to.empty() && from.size() <= announced_one_by_one) {
        for (const TMeasurementData::TMeasurement &record : from) {
            emit Measurement_Removed(record.id);
        }
    } else {
        emit Measurements_Reset();
    }
    emit Modified();
}

void TTestDocument::Set_Measurements(const std::vector<TMeasurementData::TMeasurement> &records)
{
    store.Set_Measurements(records);
    emit Measurements_Reset();
    emit Modified();
}

void TTestDocument::Load_Measurements(TPersistence *persistence)
{
    Q_ASSERT(persistence);
    persistence->Load_Measurements(&store);
    emit Measurements_Reset();
}
