#include "persistence.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QVariant>

#include "measurementdata.h"

namespace
{
// The keys of settings.ini with their defaults; the default's type is the stored type.
enum TKey {
    KEY_POSITION,
    KEY_SIZE,
    KEY_MODEL,
    KEY_PARAMETER1,
    KEY_PARAMETER2,
    KEY_PARAMETER3,
    KEY_PARAMETER4,
    KEY_RANGE_Y,
    KEY_RANGE_Z,
    KEY_COUNT
};

struct TKeyInfo {
    const char *name;
    QVariant fallback;
};

const TKeyInfo &Key(TKey key)
{
    static const TKeyInfo keys[KEY_COUNT] = {
        {"Mainwindow_Position", QPoint(30, 30)},
        {"Mainwindow_Size", QSize(801, 601)},
        {"Deflection_Model", 0},
        {"Model_Parameter1", 0.0},
        {"Model_Parameter2", 0.0},
        {"Model_Parameter3", 0.0},
        {"Model_Parameter4", 0.0},
        {"Range_Y", 1000.0},
        {"Range_Z", 1000.0},
    };
    return keys[key];
}

QVariant Read(const QSettings &settings, TKey key)
{
    return settings.value(QLatin1String(Key(key).name), Key(key).fallback);
}

void Write(QSettings *settings, TKey key, const QVariant &value)
{
    settings->setValue(QLatin1String(Key(key).name), value);
}

const TKey parameter_keys[4] = {KEY_PARAMETER1, KEY_PARAMETER2, KEY_PARAMETER3, KEY_PARAMETER4};
} // namespace

TPersistence::TPersistence()
    : writable(false)
    , keep_measurement_file(false)
{
}

void TPersistence::Open(const QString &home_path)
{
    QDir home(home_path);
    if (!home.exists(QStringLiteral(".curvalo"))) {
        home.mkdir(QStringLiteral(".curvalo"));
    }
    const QFileInfo folder(home.filePath(QStringLiteral(".curvalo")));
    directory = folder.absoluteFilePath();
    writable = folder.isDir() && folder.isExecutable() && folder.isWritable();
    if (!writable) {
        qWarning().noquote() << QStringLiteral(
                                    "Curvalo: cannot use the settings directory '%1'; settings "
                                    "and measurements will not be saved.")
                                    .arg(directory);
    }
}

QString TPersistence::Settings_File() const
{
    return directory + QStringLiteral("/settings.ini");
}

QString TPersistence::Measurement_File() const
{
    return directory + QStringLiteral("/measurements.xml");
}

TPersistence::TSettings TPersistence::Load_Settings() const
{
    const QSettings settings(Settings_File(), QSettings::IniFormat);
    TSettings loaded;
    loaded.window_position = Read(settings, KEY_POSITION).toPoint();
    loaded.window_size = Read(settings, KEY_SIZE).toSize();
    loaded.deflection_model = Read(settings, KEY_MODEL).toInt();
    for (int i = 0; i < 4; ++i) {
        loaded.parameters[i] = Read(settings, parameter_keys[i]).toDouble();
    }
    loaded.range_y = Read(settings, KEY_RANGE_Y).toDouble();
    loaded.range_z = Read(settings, KEY_RANGE_Z).toDouble();
    return loaded;
}

void TPersistence::Load_Measurements(TMeasurementData *data)
{
    Q_ASSERT(data);
    if (!writable) {
        return;
    }
    const bool loaded = data->Load_Data(Measurement_File());
    keep_measurement_file =
        QFileInfo::exists(Measurement_File()) && (!loaded || data->Dropped_Records() > 0);
}

bool TPersistence::Save(const TSettings &settings, const TMeasurementData &data)
{
    if (!writable) {
        return false;
    }
    const bool settings_saved = Save_Settings(settings);
    const bool measurements_saved = Save_Measurements(data);
    return settings_saved && measurements_saved;
}

bool TPersistence::Save_Settings(const TSettings &values) const
{
    QSettings settings(Settings_File(), QSettings::IniFormat);
    Write(&settings, KEY_POSITION, values.window_position);
    Write(&settings, KEY_SIZE, values.window_size);
    for (int i = 0; i < 4; ++i) {
        Write(&settings, parameter_keys[i], values.parameters[i]);
    }
    Write(&settings, KEY_RANGE_Y, values.range_y);
    Write(&settings, KEY_RANGE_Z, values.range_z);
    Write(&settings, KEY_MODEL, values.deflection_model);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        qWarning().noquote() << QStringLiteral(
                                    "Curvalo: the settings could not be written to '%1'.")
                                    .arg(settings.fileName());
        return false;
    }
    return true;
}

bool TPersistence::Save_Measurements(const TMeasurementData &data)
{
    if (keep_measurement_file) {
        Keep_Unreadable_Measurement_File();
    }
    if (keep_measurement_file) {
        qWarning().noquote() << QStringLiteral("Curvalo: '%1' could not be read completely nor "
                                               "kept under another name; the measurements were "
                                               "not saved over it.")
                                    .arg(Measurement_File());
        return false;
    }
    if (!data.Save_Data(Measurement_File())) {
        qWarning().noquote() << QStringLiteral("Curvalo: the measurements were not saved: %1")
                                    .arg(data.Last_Error());
        return false;
    }
    return true;
}

// Moves the measurement file that did not load completely to the first free name
// "measurements.xml.bak", "measurements.xml.bak.1", ...; false when that failed.
bool TPersistence::Keep_Unreadable_Measurement_File()
{
    const QString file = Measurement_File();
    QString kept = file + QStringLiteral(".bak");
    for (int number = 1; QFileInfo::exists(kept); ++number) {
        kept = file + QStringLiteral(".bak.%1").arg(number);
    }
    if (!QFile::rename(file, kept)) {
        return false;
    }
    keep_measurement_file = false;
    qWarning().noquote() << QStringLiteral("Curvalo: '%1' could not be read completely; it was "
                                           "kept as '%2' before saving the measurements.")
                                .arg(file, kept);
    return true;
}
