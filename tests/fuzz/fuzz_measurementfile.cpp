// SPDX-License-Identifier: GPL-3.0-or-later
#include <QByteArray>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>

#include "measurementdata.h"
#include "xmlfile.h"

// Any bytes as a measurement file: the reader returns or throws TXmlFileException, and what it
// keeps satisfies the store's invariants.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    TMeasurementData store;
    try {
        TXmlFile xml_file;
        int version = 0;
        xml_file.Open_Data(bytes, QStringLiteral("Curvalo_Measurement_Data"), &version, true);
        if (version == 1) {
            store.Load_Data_V1(&xml_file);
        }
    } catch (const TXmlFileException &exception) {
        if (!exception.Message().startsWith(QStringLiteral("ERR:  "))) {
            __builtin_trap();
        }
    }

    std::set<int> seen;
    for (const int id : store.Get_Measurement_Ids()) {
        TMeasurementData::TMeasurement measurement;
        if (id <= 0 || !seen.insert(id).second || !store.Get_Measurement(id, &measurement)) {
            __builtin_trap();
        }
        const double length = std::sqrt(measurement.axis ^ measurement.axis);
        if (!(std::fabs(length - 1.0) < 1e-9) || measurement.axis.x != 0.0) {
            __builtin_trap();
        }
    }
    return 0;
}
