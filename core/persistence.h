#ifndef TPERSISTENCE_H
#define TPERSISTENCE_H

#include <QPoint>
#include <QSize>
#include <QString>

class TMeasurementData;

// The program's state on disk in ~/.curvalo: "settings.ini" with the window geometry, the
// model and its parameters, and "measurements.xml" with the measurements. It reads them at
// start and writes them at close, never overwrites a measurement file it could not read
// completely (that file is kept under another name first), and writes nothing at all when the
// folder cannot be used. Failures are reported on standard error, once each.
class TPersistence
{
public:
    // Everything settings.ini holds, with the defaults of a first start.
    struct TSettings {
        QPoint window_position;
        QSize window_size;
        // The index of the model choice; any other number means no model.
        int deflection_model;
        double parameters[4];
        double range_y; // mm
        double range_z; // mm
    };

    TPersistence();

    // Finds or makes ".curvalo" in the home folder. When it can be neither made nor entered,
    // the defaults are read and nothing is ever written.
    void Open(const QString &home_path);
    bool Writable() const { return writable; }
    QString Directory() const { return directory; }
    QString Settings_File() const;
    QString Measurement_File() const;

    TSettings Load_Settings() const;
    // Fills the store from the measurement file. A file that exists but did not load
    // completely is marked, so that the next save keeps it before writing over it.
    void Load_Measurements(TMeasurementData *data);
    // Writes both files; false when either could not be written.
    bool Save(const TSettings &settings, const TMeasurementData &data);

private:
    bool Save_Settings(const TSettings &settings) const;
    bool Save_Measurements(const TMeasurementData &data);
    bool Keep_Unreadable_Measurement_File();

    QString directory;
    bool writable;
    // True while the measurement file on disk holds more than the store could load.
    bool keep_measurement_file;
};

#endif
