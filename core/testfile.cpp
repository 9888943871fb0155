// SPDX-License-Identifier: GPL-3.0-or-later
#include "testfile.h"

#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <vector>

#include "measurementdata.h"
#include "messagetext.h"
#include "modelcatalog.h"
#include "numbertext.h"
#include "persistence.h"
#include "testconditions.h"
#include "testdocument.h"
#include "xmlfile.h"

const char *const TTestFile::identification = "Curvalo_Test";

namespace
{
// A problem of the file, with the line it stands on.
struct TProblem {
    int line;
    QString what;
};

// The elements of each part, in the order they are written; a file with any other is refused.
const QStringList machine_fields{"Name", "Serial_Number", "Manufacturer_And_Type", "Location"};
const QStringList test_fields{"Title", "Customer", "Operator", "Date", "Procedure", "Notes"};
const QStringList model_fields{"Type",       "Parameter1", "Parameter2", "Parameter3",
                               "Parameter4", "Range_Y",    "Range_Z"};
const QStringList mpe_fields{"A", "K", "B"};
// The parameters of the models not in use, by the model's key; written only once one was left.
const QStringList other_model_fields{"generic", "renishaw", "lk"};
const QStringList measurement_fields{"Id",       "Nominal_Length",  "Position",
                                     "Axis",     "Measured_Length", "Gauge_Temperature",
                                     "Retest_Of"};

QString Number(const double &value)
{
    return TNumberText::Shortest(value);
}

QString Triple(const TVector3 &vector)
{
    return Number(vector.x) + QLatin1Char(',') + Number(vector.y) + QLatin1Char(',') +
           Number(vector.z);
}

void Add_Text(TXmlFile *file, QDomElement *parent, const QString &name, const QString &text)
{
    QDomElement element = file->Create_Node(parent, name);
    file->Write_Text_Node(&element, text);
}

// Reads the file's parts; each throws TProblem.
class TReader
{
    Q_DECLARE_TR_FUNCTIONS(TTestFile)

public:
    // The child elements of a part, by name; anything else in it is refused.
    static QHash<QString, QDomElement> Children(const QDomElement &part, const QStringList &known)
    {
        QHash<QString, QDomElement> children;
        for (QDomNode node = part.firstChild(); !node.isNull(); node = node.nextSibling()) {
            if (node.isComment() || (node.isText() && node.nodeValue().trimmed().isEmpty())) {
                continue;
            }
            const QString name = node.nodeName();
            if (!node.isElement() || !known.contains(name) || children.contains(name)) {
                throw TProblem{node.lineNumber(),
                               tr("<%1> is not part of a test file of version 1 here; a newer "
                                  "Curvalo may have written it")
                                   .arg(TMessageText::Quote(name))};
            }
            children.insert(name, node.toElement());
        }
        return children;
    }

    static QString Text(const QHash<QString, QDomElement> &children, const QString &name)
    {
        return children.value(name).text();
    }

    static double Finite(const QHash<QString, QDomElement> &children, const QString &name,
                         const QDomElement &part)
    {
        const QDomElement element = children.value(name);
        double value = 0.0;
        if (element.isNull()) {
            throw TProblem{part.lineNumber(), tr("<%1> is missing").arg(name)};
        }
        if (!TNumberText::Read_Finite(element.text(), &value)) {
            throw TProblem{
                element.lineNumber(),
                tr("<%1> is not a number: \"%2\"").arg(name, TMessageText::Quote(element.text()))};
        }
        return value;
    }

    static TVector3 Vector(const QHash<QString, QDomElement> &children, const QString &name,
                           const QDomElement &part)
    {
        const QDomElement element = children.value(name);
        if (element.isNull()) {
            throw TProblem{part.lineNumber(), tr("<%1> is missing").arg(name)};
        }
        const QStringList parts = element.text().split(QLatin1Char(','));
        double values[3] = {0.0, 0.0, 0.0};
        bool ok = parts.size() == 3;
        for (int i = 0; ok && i < 3; ++i) {
            ok = TNumberText::Read_Finite(parts[i], &values[i]);
        }
        if (!ok) {
            throw TProblem{element.lineNumber(),
                           tr("<%1> is not three numbers: \"%2\"")
                               .arg(name, TMessageText::Quote(element.text()))};
        }
        return TVector3(values[0], values[1], values[2]);
    }
};
} // namespace

QByteArray TTestFile::Data(const TTestDocument &document)
{
    TXmlFile file;
    file.Reset(QLatin1String(identification), 1);
    QDomElement *root = file.Root_Node();
    const TTestDocument::TReportDetails &details = document.Report_Details();

    QDomElement machine = file.Create_Node(root, QStringLiteral("Machine"));
    const QString machine_texts[] = {details.machine, details.serial_number, details.manufacturer,
                                     details.location};
    for (int i = 0; i < machine_fields.size(); ++i) {
        Add_Text(&file, &machine, machine_fields[i], machine_texts[i]);
    }
    QDomElement test = file.Create_Node(root, QStringLiteral("Test"));
    const QString test_texts[] = {details.title,     details.customer,  details.operator_name,
                                  details.test_date, details.procedure, details.notes};
    for (int i = 0; i < test_fields.size(); ++i) {
        Add_Text(&file, &test, test_fields[i], test_texts[i]);
    }

    QDomElement model = file.Create_Node(root, QStringLiteral("Model"));
    Add_Text(&file, &model, QStringLiteral("Type"),
             document.Model_Index() >= 0
                 ? QLatin1String(TModelCatalog::Model_At(document.Model_Index()).key)
                 : QStringLiteral("none"));
    // The numbers the model uses, not the texts of the fields.
    for (int field = 0; field < TTestDocument::FIELD_COUNT; ++field) {
        Add_Text(&file, &model, model_fields[field + 1], Number(document.Field_Value(field)));
    }
    const QMap<QString, QString> &others = document.Fields().other_models;
    if (!others.isEmpty()) {
        QDomElement element = file.Create_Node(root, QStringLiteral("Other_Models"));
        for (const QString &key : other_model_fields) {
            if (others.contains(key)) {
                Add_Text(&file, &element, key, others.value(key));
            }
        }
    }
    const TMpe mpe = document.Mpe();
    if (mpe.Is_Set()) {
        QDomElement element = file.Create_Node(root, QStringLiteral("MPE"));
        Add_Text(&file, &element, QStringLiteral("A"), Number(mpe.A()));
        Add_Text(&file, &element, QStringLiteral("K"), Number(mpe.K()));
        if (mpe.Has_B()) {
            Add_Text(&file, &element, QStringLiteral("B"), Number(mpe.B()));
        }
    }

    const QMap<QString, QString> conditions = document.Conditions().Texts();
    if (!conditions.isEmpty()) {
        QDomElement element = file.Create_Node(root, QStringLiteral("Conditions"));
        for (const QString &key : TTestConditions::Keys()) {
            if (conditions.contains(key)) {
                Add_Text(&file, &element, key, conditions.value(key));
            }
        }
    }

    QDomElement list = file.Create_Node(root, QStringLiteral("Measurements"));
    for (const TMeasurementData::TMeasurement &measurement : document.Measurements()) {
        QDomElement node = file.Create_Node(&list, QStringLiteral("Measurement"));
        Add_Text(&file, &node, QStringLiteral("Id"), QString::number(measurement.id));
        Add_Text(&file, &node, QStringLiteral("Nominal_Length"),
                 Number(measurement.nominal_length));
        Add_Text(&file, &node, QStringLiteral("Position"), Triple(measurement.position));
        Add_Text(&file, &node, QStringLiteral("Axis"), Triple(measurement.axis));
        if (measurement.has_measured_length) {
            Add_Text(&file, &node, QStringLiteral("Measured_Length"),
                     Number(measurement.measured_length));
        }
        if (measurement.has_temperature) {
            Add_Text(&file, &node, QStringLiteral("Gauge_Temperature"),
                     Number(measurement.temperature));
        }
        if (measurement.retest_of > 0) {
            Add_Text(&file, &node, QStringLiteral("Retest_Of"),
                     QString::number(measurement.retest_of));
        }
    }
    QByteArray data;
    file.Write_Data(&data, false);
    return data;
}

bool TTestFile::Is_Test_File(const QByteArray &data)
{
    return data.left(400).contains(QByteArray("<") + identification);
}

bool TTestFile::Read(const QString &file_name, TTestDocument *document, QString *error)
{
    Q_ASSERT(document && error);
    TPersistence::TSettings settings;
    TTestDocument::TReportDetails details;
    std::vector<TMeasurementData::TMeasurement> records;
    try {
        TXmlFile file;
        file.Set_File_Name(file_name);
        int version = 0;
        file.Open(QLatin1String(identification), &version, false);
        if (version != 1) {
            throw TProblem{
                file.Root_Node()->lineNumber(),
                tr("the file is of version %1; this Curvalo reads version 1").arg(version)};
        }
        const QDomElement root = *file.Root_Node();
        const auto parts = TReader::Children(root, {"Machine", "Test", "Model", "Other_Models",
                                                    "MPE", "Conditions", "Measurements"});

        const auto machine = TReader::Children(parts.value("Machine"), machine_fields);
        details.machine = TReader::Text(machine, "Name");
        details.serial_number = TReader::Text(machine, "Serial_Number");
        details.manufacturer = TReader::Text(machine, "Manufacturer_And_Type");
        details.location = TReader::Text(machine, "Location");
        const auto test = TReader::Children(parts.value("Test"), test_fields);
        details.title = TReader::Text(test, "Title");
        details.customer = TReader::Text(test, "Customer");
        details.operator_name = TReader::Text(test, "Operator");
        details.test_date = TReader::Text(test, "Date");
        details.procedure = TReader::Text(test, "Procedure");
        details.notes = TReader::Text(test, "Notes");

        const QDomElement model_part = parts.value("Model");
        if (model_part.isNull()) {
            throw TProblem{root.lineNumber(), tr("<Model> is missing")};
        }
        const auto model = TReader::Children(model_part, model_fields);
        const QString type = TReader::Text(model, "Type").trimmed();
        settings.deflection_model = -1;
        if (type != QLatin1String("none")) {
            const TModelCatalog::TModel *entry = TModelCatalog::Find_Key(type);
            if (!entry) {
                throw TProblem{model.value("Type").lineNumber(),
                               tr("<Type> names no model: \"%1\"").arg(TMessageText::Quote(type))};
            }
            for (int index = 0; index < TModelCatalog::Model_Count(); ++index) {
                if (TModelCatalog::Model_At(index).type == entry->type) {
                    settings.deflection_model = index;
                }
            }
        }
        for (int i = 0; i < 4; ++i) {
            settings.parameters[i] = TReader::Finite(model, model_fields[i + 1], model_part);
        }
        settings.range_y = TReader::Finite(model, "Range_Y", model_part);
        settings.range_z = TReader::Finite(model, "Range_Z", model_part);

        const auto others = TReader::Children(parts.value("Other_Models"), other_model_fields);
        for (auto entry = others.cbegin(); entry != others.cend(); ++entry) {
            const QStringList numbers =
                entry.value().text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            double value = 0.0;
            bool usable = numbers.size() == 4;
            for (int i = 0; usable && i < 4; ++i) {
                usable = TNumberText::Read_Finite(numbers[i], &value);
            }
            if (!usable) {
                throw TProblem{entry.value().lineNumber(),
                               tr("<%1> must hold four numbers: \"%2\"")
                                   .arg(entry.key(), TMessageText::Quote(entry.value().text()))};
            }
            settings.model_parameters[entry.key()] = numbers.join(QLatin1Char(' '));
        }

        const QDomElement mpe_part = parts.value("MPE");
        if (!mpe_part.isNull()) {
            const auto mpe = TReader::Children(mpe_part, mpe_fields);
            QString text = TReader::Text(mpe, "A") + QLatin1Char(',') + TReader::Text(mpe, "K");
            if (mpe.contains("B")) {
                text += QLatin1Char(',') + TReader::Text(mpe, "B");
            }
            QString reason;
            if (!TMpe::Parse(text, &settings.mpe, &reason)) {
                throw TProblem{mpe_part.lineNumber(), reason};
            }
        }

        const auto conditions =
            TReader::Children(parts.value("Conditions"), TTestConditions::Keys());
        for (auto entry = conditions.cbegin(); entry != conditions.cend(); ++entry) {
            TTestConditions check;
            QString reason;
            if (!check.Set(entry.key(), entry.value().text(), &reason)) {
                throw TProblem{entry.value().lineNumber(), tr("<%1>: %2").arg(entry.key(), reason)};
            }
            settings.conditions.insert(entry.key(), entry.value().text());
        }

        const QDomElement list = parts.value("Measurements");
        TMeasurementData store;
        for (QDomNode node = list.firstChild(); !node.isNull(); node = node.nextSibling()) {
            if (node.isComment() || (node.isText() && node.nodeValue().trimmed().isEmpty())) {
                continue;
            }
            if (node.nodeName() != QLatin1String("Measurement")) {
                throw TProblem{node.lineNumber(),
                               tr("<%1> is not part of a test file of version 1 here; a newer "
                                  "Curvalo may have written it")
                                   .arg(TMessageText::Quote(node.nodeName()))};
            }
            const QDomElement element = node.toElement();
            const auto fields = TReader::Children(element, measurement_fields);
            TMeasurementData::TMeasurement record;
            bool ok = false;
            record.id = TReader::Text(fields, "Id").trimmed().toInt(&ok);
            if (!ok || record.id <= 0 || store.Measurement_Id_Exists(record.id)) {
                throw TProblem{element.lineNumber(),
                               tr("the measurement's <Id> is not a positive number of its own: "
                                  "\"%1\"")
                                   .arg(TMessageText::Quote(TReader::Text(fields, "Id")))};
            }
            record.nominal_length = TReader::Finite(fields, "Nominal_Length", element);
            if (!(record.nominal_length > 0.0)) {
                throw TProblem{element.lineNumber(), tr("<Nominal_Length> must be greater than 0")};
            }
            record.position = TReader::Vector(fields, "Position", element);
            record.axis = TReader::Vector(fields, "Axis", element);
            if (!TMeasurementData::Is_Usable_Axis(record.axis)) {
                throw TProblem{element.lineNumber(), tr("<Axis> has no direction")};
            }
            if (fields.contains("Measured_Length")) {
                record.has_measured_length = true;
                record.measured_length = TReader::Finite(fields, "Measured_Length", element);
            }
            if (fields.contains("Gauge_Temperature")) {
                record.has_temperature = true;
                record.temperature = TReader::Finite(fields, "Gauge_Temperature", element);
                TTestConditions check;
                QString reason;
                if (!check.Set(QStringLiteral("Gauge_Temperature"),
                               TReader::Text(fields, "Gauge_Temperature"), &reason)) {
                    throw TProblem{fields.value("Gauge_Temperature").lineNumber(), reason};
                }
            }
            if (fields.contains("Retest_Of")) {
                record.retest_of = TReader::Text(fields, "Retest_Of").trimmed().toInt(&ok);
                if (!ok || record.retest_of <= 0) {
                    throw TProblem{
                        fields.value("Retest_Of").lineNumber(),
                        tr("<Retest_Of> is not the id of a measurement: \"%1\"")
                            .arg(TMessageText::Quote(TReader::Text(fields, "Retest_Of")))};
                }
            }
            store.Add_Measurement(record);
        }
        records = store.Measurements();
    } catch (const TProblem &problem) {
        *error = tr("%1: line %2: %3")
                     .arg(QFileInfo(file_name).fileName())
                     .arg(problem.line)
                     .arg(problem.what);
        return false;
    } catch (const TXmlFileException &exception) {
        *error = tr("%1: %2").arg(QFileInfo(file_name).fileName(), exception.Message());
        return false;
    }

    document->Load_Settings(settings);
    document->Set_Report_Details(details);
    // A range keeps every digit it was saved with, beyond the three its field shows first.
    const double ranges[2] = {settings.range_y, settings.range_z};
    for (int i = 0; i < 2; ++i) {
        const int field = TTestDocument::FIELD_RANGE_Y + i;
        if (document->Field_Value(field) != ranges[i] && ranges[i] > 1.0) {
            document->Set_Field(field, TNumberText::Shortest(ranges[i]), ranges[i]);
        }
    }
    document->Set_Measurements(records);
    return true;
}
