#include "measurementdata.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "xmlfile.h"

namespace
{
const QString identification = QStringLiteral("Curvalo_Measurement_Data");

// "x,y,z" with the given number of decimals, the same whatever the user's locale.
QString Triple(const TVector3 &vector, int decimals)
{
    return QStringLiteral("%1,%2,%3")
        .arg(QString::number(vector.x, 'f', decimals), QString::number(vector.y, 'f', decimals),
             QString::number(vector.z, 'f', decimals));
}

// The three comma-separated parts of a value; empty or non-numeric parts read as 0.
bool Read_Triple(const QString &text, double *values)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        values[i] = parts[i].toDouble();
    }
    return true;
}
} // namespace

TMeasurementData::TMeasurementData()
    : dropped_records(0)
{
}

int TMeasurementData::Add_Measurement()
{
    int id = 1;
    while (Measurement_Id_Exists(id)) {
        ++id;
    }
    measurements.push_back(TMeasurement{id, TVector3(0, 0, 0), TVector3(0, 0, 1), 1000.0});
    return id;
}

void TMeasurementData::Add_Measurement(const TMeasurement &measurement)
{
    if (measurement.id <= 0 || Measurement_Id_Exists(measurement.id)) {
        return;
    }
    measurements.push_back(measurement);
}

bool TMeasurementData::Update_Measurement(const TMeasurement &measurement)
{
    for (TMeasurement &stored : measurements) {
        if (stored.id == measurement.id) {
            stored.position = measurement.position;
            stored.axis = measurement.axis;
            stored.nominal_length = measurement.nominal_length;
            return true;
        }
    }
    return false;
}

bool TMeasurementData::Remove_Measurement(int id)
{
    const auto found = std::find_if(measurements.begin(), measurements.end(),
                                    [id](const TMeasurement &stored) { return stored.id == id; });
    if (found == measurements.end()) {
        return false;
    }
    measurements.erase(found);
    return true;
}

void TMeasurementData::Clear_Measurements()
{
    measurements.clear();
}

bool TMeasurementData::Measurement_Id_Exists(int id) const
{
    return std::any_of(measurements.begin(), measurements.end(),
                       [id](const TMeasurement &stored) { return stored.id == id; });
}

std::vector<int> TMeasurementData::Get_Measurement_Ids() const
{
    std::vector<int> ids;
    ids.reserve(measurements.size());
    for (const TMeasurement &stored : measurements) {
        ids.push_back(stored.id);
    }
    return ids;
}

bool TMeasurementData::Get_Measurement(int id, TMeasurement *measurement) const
{
    Q_ASSERT(measurement);
    for (const TMeasurement &stored : measurements) {
        if (stored.id == id) {
            *measurement = stored;
            return true;
        }
    }
    return false;
}

bool TMeasurementData::Is_Usable_Axis(const TVector3 &axis)
{
    const double length = axis.Length();
    // NaN and infinite components give no direction either.
    return length >= 1e-6 && std::isfinite(length);
}

bool TMeasurementData::Save_Data(const QString &file_name) const
{
    try {
        TXmlFile xml_file;
        xml_file.Set_File_Name(file_name);
        xml_file.Reset(identification, 1);
        for (const TMeasurement &measurement : measurements) {
            QDomElement node =
                xml_file.Create_Node(xml_file.Root_Node(), QStringLiteral("Measurement"));
            QDomElement element = xml_file.Create_Node(&node, QStringLiteral("Id"));
            xml_file.Write_Text_Node(&element, measurement.id);
            element = xml_file.Create_Node(&node, QStringLiteral("Nominal_Length"));
            xml_file.Write_Text_Node(&element, measurement.nominal_length, 6);
            element = xml_file.Create_Node(&node, QStringLiteral("Position"));
            xml_file.Write_Text_Node(&element, Triple(measurement.position, 6));
            element = xml_file.Create_Node(&node, QStringLiteral("Axis"));
            xml_file.Write_Text_Node(&element, Triple(measurement.axis, 12));
        }
        xml_file.Write_File(false);
    } catch (const TXmlFileException &exception) {
        last_error = exception.Message();
        return false;
    }
    return true;
}

bool TMeasurementData::Load_Data(const QString &file_name)
{
    Clear_Measurements();
    dropped_records = 0;
    try {
        TXmlFile xml_file;
        xml_file.Set_File_Name(file_name);
        int version = 0;
        xml_file.Open(identification, &version, true);
        if (version != 1) {
            throw TXmlFileException(QStringLiteral("ERR:  File version not recognized"),
                                    TXmlFileException::GENERAL_ERROR);
        }
        Load_Data_V1(&xml_file);
    } catch (const TXmlFileException &exception) {
        last_error = exception.Message();
        return false;
    }
    return true;
}

void TMeasurementData::Load_Data_V1(TXmlFile *xml_file)
{
    Q_ASSERT(xml_file);
    const auto text_of = [xml_file](const QDomElement &measurement, const QString &name) {
        const QDomElement element = xml_file->Get_Node(&measurement, name);
        return xml_file->Read_Text_Node(&element);
    };

    QDomElement node =
        xml_file->Get_Node(xml_file->Root_Node(), QStringLiteral("Measurement"), true);
    while (!node.isNull()) {
        TMeasurement measurement;
        measurement.id = text_of(node, QStringLiteral("Id")).toInt();
        measurement.nominal_length = text_of(node, QStringLiteral("Nominal_Length")).toDouble();

        double values[3];
        if (!Read_Triple(text_of(node, QStringLiteral("Position")), values)) {
            throw TXmlFileException(
                QStringLiteral("ERR:  Measurement position must have three values"),
                TXmlFileException::GENERAL_ERROR);
        }
        measurement.position = TVector3(values[0], values[1], values[2]);

        if (!Read_Triple(text_of(node, QStringLiteral("Axis")), values)) {
            throw TXmlFileException(QStringLiteral("ERR:  Measurement axis must have three values"),
                                    TXmlFileException::GENERAL_ERROR);
        }
        // Measurements lie in the Y-Z plane: the first component is not read.
        measurement.axis = TVector3(0.0, values[1], values[2]);
        if (!Is_Usable_Axis(measurement.axis)) {
            throw TXmlFileException(QStringLiteral("ERR:  Measurement axis not specified"),
                                    TXmlFileException::GENERAL_ERROR);
        }
        measurement.axis.Normal();

        const size_t before = measurements.size();
        Add_Measurement(measurement);
        if (measurements.size() == before) {
            ++dropped_records;
        }
        node = xml_file->Get_Sibling_Node(&node, QStringLiteral("Measurement"), true);
    }
}
