// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMEASUREMENTSETFILE_H
#define TMEASUREMENTSETFILE_H

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "measurementdata.h"

// Sets of measurements moved between machines and spreadsheets: the measurement file format,
// or CSV with a header row naming at least nominal_length_mm, position_y_mm, position_z_mm,
// axis_y and axis_z (id, measured_length_mm, gauge_temperature_c and retest_of optional, other
// columns ignored, any order).
// A file with any error gives nothing, and says what is wrong where.
class TMeasurementSetFile
{
    Q_DECLARE_TR_FUNCTIONS(TMeasurementSetFile)

public:
    struct TImport {
        bool ok;
        // "line 7: ..." each; at most the first twenty, then a count of the rest.
        QStringList errors;
        // id 0 where the file gave none.
        std::vector<TMeasurementData::TMeasurement> measurements;
    };

    // CSV when the name ends in ".csv" or the content does not start like XML.
    static TImport Read(const QString &file_name);
    // With lengths_only, the rows need "id" and "measured_length_mm" alone.
    static TImport Read_Csv(const QByteArray &content, bool lengths_only = false);
    // A column of measured lengths as a spreadsheet copies it: one a line, with a decimal
    // point or comma; an empty line clears a measured length, and a last empty line is the
    // column's end. False, with the line named in *error, when any line is no length.
    static bool Read_Column(const QString &text, std::vector<std::pair<bool, double>> *lengths,
                            QString *error);
    // The measured lengths of a file whose rows carry "id" and "measured_length_mm" (CSV) or
    // Id and Measured_Length (a measurement file); other columns may be there or not.
    static TImport Read_Measured_Lengths(const QString &file_name);

    // Adds the measurements to the store, or replaces its content; each keeps its id where
    // that is free and gets a new one as "+" gives it otherwise, and a retest follows its
    // result to the id that one gets. The ids, in order.
    static std::vector<int> Add(const std::vector<TMeasurementData::TMeasurement> &measurements,
                                bool replace, TMeasurementData *data);

private:
    static TImport Read_File(const QString &file_name, bool lengths_only);
};

#endif
