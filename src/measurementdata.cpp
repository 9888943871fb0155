#include "measurementdata.h"

#include <algorithm>

TMeasurementData::TMeasurementData() = default;

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
