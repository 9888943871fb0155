// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <functional>
#include <future>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "filewriter.h"
#include "measurementdata.h"
#include "messagetext.h"
#include "numbertext.h"

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

// The stored value, or the default without a settings file.
QVariant Read(const QSettings *settings, TKey key)
{
    return settings ? settings->value(QLatin1String(Key(key).name), Key(key).fallback)
                    : Key(key).fallback;
}

void Write(QSettings *settings, TKey key, const QVariant &value)
{
    settings->setValue(QLatin1String(Key(key).name), value);
}

const TKey parameter_keys[4] = {KEY_PARAMETER1, KEY_PARAMETER2, KEY_PARAMETER3, KEY_PARAMETER4};

// True for a file that holds what Curvalo writes into settings.ini and nothing else: keys of
// its own, in its own groups.
bool Is_Settings_File(const QString &file_name)
{
    if (!QFileInfo(file_name).isFile()) {
        return false;
    }
    const QSettings settings(file_name, QSettings::IniFormat);
    const QStringList keys = settings.allKeys();
    if (settings.status() != QSettings::NoError || keys.isEmpty()) {
        return false;
    }
    return std::all_of(keys.begin(), keys.end(), [](const QString &key) {
        if (key.startsWith(QLatin1String("MPE/")) || key.startsWith(QLatin1String("Report/")) ||
            key.startsWith(QLatin1String("View/")) ||
            key.startsWith(QLatin1String("Conditions/"))) {
            return true;
        }
        for (int index = 0; index < KEY_COUNT; ++index) {
            if (key == QLatin1String(Key(TKey(index)).name)) {
                return true;
            }
        }
        return false;
    });
}

// A stored value as the file has it; a value with a comma reads as a list of its parts.
QString Stored_Text(const QVariant &value)
{
    return value.userType() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(','))
                                                      : value.toString();
}

// Equal numbers, or both not a number: a NaN parameter is no change.
bool Same(const double &a, const double &b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

// A value as text: what QSettings writes for numbers and text, the serialised variant for
// anything else (points, sizes).
QByteArray Canonical(const QVariant &value)
{
    if (value.canConvert<QString>()) {
        return value.toString().toUtf8();
    }
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << value;
    return bytes;
}

bool Same_Values(const QSettings &written, const QSettings &read)
{
    const QStringList keys = written.allKeys();
    if (keys != read.allKeys()) {
        return false;
    }
    return std::all_of(keys.begin(), keys.end(), [&written, &read](const QString &key) {
        return Canonical(written.value(key)) == Canonical(read.value(key));
    });
}

// The settings file's new content: Qt's own INI writer fills a scratch copy of the current
// file, so keys this version does not know are kept and the text is exactly what QSettings
// writes. Empty, with the reason, when the scratch copy cannot be made.
QByteArray Settings_Content(const QString &current_file,
                            const std::function<void(QSettings *)> &fill, QString *reason)
{
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        *reason = TPersistence::tr("no temporary folder: %1").arg(scratch.errorString());
        return QByteArray();
    }
    const QString scratch_file = scratch.filePath(QStringLiteral("settings.ini"));
    if (QFileInfo(current_file).isFile()) {
        QFile current(current_file);
        QFile copy(scratch_file);
        if (current.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly)) {
            copy.write(current.readAll());
        }
    }
    QSettings settings(scratch_file, QSettings::IniFormat);
    fill(&settings);
    settings.sync();
    QFile written(scratch_file);
    if (settings.status() == QSettings::AccessError || !written.open(QIODevice::ReadOnly)) {
        *reason = TPersistence::tr("they could not be prepared in the temporary folder '%1'")
                      .arg(QDir::tempPath());
        return QByteArray();
    }
    QByteArray content = written.readAll();

    // QSettings does not notice every failed write (a full temporary folder can leave a
    // cut-off file behind), so the content is read back under another name, which QSettings
    // has not cached, and compared.
    const QString check_file = scratch.filePath(QStringLiteral("check.ini"));
    QFile check_copy(check_file);
    if (!check_copy.open(QIODevice::WriteOnly) || check_copy.write(content) != content.size() ||
        !check_copy.flush()) {
        *reason = check_copy.errorString();
        return QByteArray();
    }
    check_copy.close();
    const QSettings check(check_file, QSettings::IniFormat);
    if (!Same_Values(settings, check)) {
        *reason = TPersistence::tr("they could not be prepared in the temporary folder '%1'")
                      .arg(QDir::tempPath());
        return QByteArray();
    }
    return content;
}
} // namespace

bool TPersistence::TSettings::operator==(const TSettings &other) const
{
    for (int i = 0; i < 4; ++i) {
        if (!Same(parameters[i], other.parameters[i])) {
            return false;
        }
    }
    return window_position == other.window_position && window_size == other.window_size &&
           deflection_model == other.deflection_model && Same(range_y, other.range_y) &&
           Same(range_z, other.range_z) && mpe == other.mpe && report_title == other.report_title &&
           report_machine == other.report_machine && report_operator == other.report_operator &&
           report_notes == other.report_notes && exaggeration == other.exaggeration &&
           report_serial_number == other.report_serial_number &&
           report_manufacturer == other.report_manufacturer &&
           report_location == other.report_location && report_customer == other.report_customer &&
           report_test_date == other.report_test_date &&
           report_procedure == other.report_procedure && test_file == other.test_file &&
           test_modified == other.test_modified && recent_tests == other.recent_tests &&
           unused_texts == other.unused_texts && unused_mpe_texts == other.unused_mpe_texts &&
           window_layout == other.window_layout && model_parameters == other.model_parameters &&
           conditions == other.conditions;
}

TPersistence::TPersistence()
    : lock_state(LOCK_UNAVAILABLE)
    , readable(false)
    , writable(false)
    , measurement_file_blocked(false)
    , begun_ok(false)
    , files_written(0)
    , settings_known(false)
    , settings_on_disk()
    , measurements_known(false)
{
}

TPersistence::~TPersistence()
{
    if (reader.joinable()) {
        reader.join();
    }
}

void TPersistence::Open(const QString &home_path)
{
    // Without a home the folder would land in "/" or in whatever folder the program was
    // started from.
    if (home_path.isEmpty()) {
        unsaved_reason = TPersistence::tr("No home folder is set (HOME is empty), so settings and "
                                          "measurements cannot be saved.");
        qWarning().noquote() << tr("Curvalo: no home folder is set (HOME is empty); "
                                   "settings and measurements will not be saved.");
        return;
    }
    QDir home(home_path);
    if (!home.exists(QStringLiteral(".curvalo"))) {
        home.mkdir(QStringLiteral(".curvalo"));
    }
    const QFileInfo folder(home.filePath(QStringLiteral(".curvalo")));
    directory = folder.absoluteFilePath();
    readable = folder.isDir() && folder.isExecutable() && folder.isReadable();
    writable = readable && folder.isWritable();

    if (folder.isDir()) {
        const QString lock_file = directory + QStringLiteral("/curvalo.lock");
        // QLockFile takes anything that stands there for another program's lock.
        const QFileInfo lock_info(lock_file);
        if ((lock_info.exists() || lock_info.isSymLink()) && !lock_info.isFile()) {
            writable = false;
            unsaved_reason =
                TPersistence::tr("'%1' should be Curvalo's lock file but is a folder or another "
                                 "kind of file, so no lock can be taken and changes are not "
                                 "saved. Remove it and start Curvalo again.")
                    .arg(QDir::toNativeSeparators(lock_file));
            qWarning().noquote() << QStringLiteral("Curvalo: %1").arg(unsaved_reason);
            return;
        }
        lock = std::make_unique<QLockFile>(lock_file);
        // Only a lock whose program is gone is stale, however old it is.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            lock_state = LOCK_TAKEN;
        } else if (lock->error() == QLockFile::LockFailedError) {
            lock_state = LOCK_HELD_ELSEWHERE;
            readable = false;
            writable = false;
            unsaved_reason =
                TPersistence::tr("Curvalo is already running with the settings folder '%1'.")
                    .arg(QDir::toNativeSeparators(directory));
            return;
        }
    }
    if (!writable) {
        unsaved_reason =
            TPersistence::tr("The settings folder '%1' cannot be written, so changes are not "
                             "saved.")
                .arg(QDir::toNativeSeparators(directory));
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

TPersistence::TSettings TPersistence::Load_Settings()
{
    const QFileInfo file(Settings_File());
    // Nothing is read from a folder that is not ours, nor from a FIFO or a device.
    const bool read = readable && file.isFile();
    TSettings loaded = Read_Settings_File(read ? Settings_File() : QString());
    settings_known = read;
    settings_on_disk = loaded;
    return loaded;
}

TPersistence::TSettings TPersistence::Read_Settings_File(const QString &file_name)
{
    std::unique_ptr<QSettings> stored;
    if (!file_name.isEmpty() && QFileInfo(file_name).isFile()) {
        stored = std::make_unique<QSettings>(file_name, QSettings::IniFormat);
    }
    const QSettings *settings = stored.get();
    TSettings loaded;
    loaded.window_position = Read(settings, KEY_POSITION).toPoint();
    loaded.window_size = Read(settings, KEY_SIZE).toSize();
    loaded.deflection_model = Read(settings, KEY_MODEL).toInt();
    const TKey number_keys[6] = {KEY_PARAMETER1, KEY_PARAMETER2, KEY_PARAMETER3,
                                 KEY_PARAMETER4, KEY_RANGE_Y,    KEY_RANGE_Z};
    double *const numbers[6] = {&loaded.parameters[0], &loaded.parameters[1], &loaded.parameters[2],
                                &loaded.parameters[3], &loaded.range_y,       &loaded.range_z};
    for (int i = 0; i < 6; ++i) {
        *numbers[i] = Key(number_keys[i]).fallback.toDouble();
        if (!settings || !settings->contains(QLatin1String(Key(number_keys[i]).name))) {
            continue;
        }
        const QString text = Stored_Text(Read(settings, number_keys[i]));
        // The same rule as for a number typed into the field.
        if (!TNumberText::Read_Typed(text, numbers[i])) {
            *numbers[i] = 0.0;
            loaded.unused_texts[size_t(i)] = text;
        }
    }
    if (settings) {
        loaded.report_title = settings->value(QStringLiteral("Report/Title")).toString();
        loaded.report_machine = settings->value(QStringLiteral("Report/Machine")).toString();
        loaded.report_operator = settings->value(QStringLiteral("Report/Operator")).toString();
        loaded.report_notes = settings->value(QStringLiteral("Report/Notes")).toString();
        loaded.report_serial_number =
            settings->value(QStringLiteral("Report/Serial_Number")).toString();
        loaded.report_manufacturer =
            settings->value(QStringLiteral("Report/Manufacturer")).toString();
        loaded.report_location = settings->value(QStringLiteral("Report/Location")).toString();
        loaded.report_customer = settings->value(QStringLiteral("Report/Customer")).toString();
        loaded.report_test_date = settings->value(QStringLiteral("Report/Test_Date")).toString();
        loaded.report_procedure = settings->value(QStringLiteral("Report/Procedure")).toString();
        loaded.test_file = settings->value(QStringLiteral("Test/File")).toString();
        loaded.test_modified = settings->value(QStringLiteral("Test/Modified")).toBool();
        loaded.recent_tests = settings->value(QStringLiteral("Recent/Tests")).toStringList();
        bool ok = false;
        const int exaggeration = settings->value(QStringLiteral("View/Exaggeration")).toInt(&ok);
        // Anything else is not what the slider could have stored.
        if (ok && exaggeration >= 1 && exaggeration <= 1000) {
            loaded.exaggeration = exaggeration;
        }
        loaded.window_layout = settings->value(QStringLiteral("View/Layout")).toString();
        for (const QString &key : settings->allKeys()) {
            if (key.startsWith(QLatin1String("Model_Parameters/"))) {
                loaded.model_parameters[key.mid(17)] = Stored_Text(settings->value(key));
            }
            if (key.startsWith(QLatin1String("Conditions/"))) {
                loaded.conditions[key.mid(11)] = Stored_Text(settings->value(key));
            }
        }
    }
    if (settings && settings->contains(QStringLiteral("MPE/A"))) {
        QString text = settings->value(QStringLiteral("MPE/A")).toString() + QLatin1Char(',') +
                       settings->value(QStringLiteral("MPE/K")).toString();
        if (settings->contains(QStringLiteral("MPE/B"))) {
            text += QLatin1Char(',') + settings->value(QStringLiteral("MPE/B")).toString();
        }
        QString error;
        // A damaged MPE is no MPE: nothing is judged against numbers nobody entered. What was
        // written stays, for the user to see and mend.
        if (!TMpe::Parse(text, &loaded.mpe, &error)) {
            loaded.mpe = TMpe();
            loaded.unused_mpe_texts =
                QStringList{Stored_Text(settings->value(QStringLiteral("MPE/A"))),
                            Stored_Text(settings->value(QStringLiteral("MPE/K"))),
                            Stored_Text(settings->value(QStringLiteral("MPE/B")))};
        }
    }
    return loaded;
}

void TPersistence::Load_Measurements(TMeasurementData *data)
{
    Q_ASSERT(data);
    if (!readable || !QFileInfo::exists(Measurement_File())) {
        return;
    }
#ifdef __GLIBC__
    // The file's DOM, several times the size of the records, is built and freed on a thread
    // of its own, so that its memory lies in that thread's arena and not among the window's.
    // Giving it back to the system, instead of keeping it for as long as the program runs,
    // takes a quarter of a second at 100,000 records; the thread does that while the caller
    // goes on. The caller takes a copy that shares no memory with the thread's store, so
    // that none of its allocations ever waits for that arena.
    if (reader.joinable()) {
        reader.join();
    }
    struct TRead {
        bool loaded;
        const TMeasurementData *data;
    };
    std::promise<TRead> reading;
    std::future<TRead> read = reading.get_future();
    std::promise<void> taking;
    reader = std::thread(
        [file = Measurement_File()](std::promise<TRead> result, std::future<void> taken) {
            {
                TMeasurementData store;
                const bool loaded = store.Load_Data(file);
                result.set_value(TRead{loaded, &store});
                taken.wait();
            }
            malloc_trim(0);
        },
        std::move(reading), taking.get_future());
    const TRead outcome = read.get();
    *data = outcome.data->Unshared_Copy();
    taking.set_value();
    const bool loaded = outcome.loaded;
#else
    const bool loaded = data->Load_Data(Measurement_File());
#endif
    const QStringList notes = data->Load_Notes();
    if (loaded && notes.isEmpty()) {
        revision_on_disk = data->Revision();
        measurements_known = true;
        return;
    }
    QStringList problems;
    if (!loaded) {
        problems << data->Last_Error();
    }
    problems += notes;
    load_problem = TMessageText::Limit(problems).join(QLatin1Char('\n'));
    Keep_Unreadable_Measurement_File();
}

// Moves the measurement file that did not load completely to the first free name
// "measurements.xml.bak", "measurements.xml.bak.1", ...; when that fails, the file is never
// replaced.
void TPersistence::Keep_Unreadable_Measurement_File()
{
    const QString file = Measurement_File();
    QString kept = file + QStringLiteral(".bak");
    for (int number = 1; QFileInfo::exists(kept) || QFileInfo(kept).isSymLink(); ++number) {
        kept = file + QStringLiteral(".bak.%1").arg(number);
    }
    if (!writable || !QFile::rename(file, kept)) {
        measurement_file_blocked = true;
        qWarning().noquote() << tr("Curvalo: '%1' could not be read completely nor "
                                   "kept under another name; the measurements will "
                                   "not be saved over it.")
                                    .arg(file);
        return;
    }
    kept_file = kept;
    qWarning().noquote() << tr("Curvalo: '%1' could not be read completely; it was "
                               "kept as '%2' before saving the measurements.")
                                .arg(file, kept);
}

bool TPersistence::Save(const TSettings &settings, const TMeasurementData &data, bool force)
{
    TSaveJob job;
    Begin_Save(settings, data, force, &job);
    job.Write();
    return Finish_Save(&job);
}

void TPersistence::Begin_Save(const TSettings &settings, const TMeasurementData &data, bool force,
                              TSaveJob *job)
{
    Q_ASSERT(job);
    *job = TSaveJob();
    previous_error = last_error;
    last_error.clear();
    if (!writable) {
        last_error = unsaved_reason;
        begun_ok = false;
        return;
    }
    if (force) {
        settings_known = false;
        measurements_known = false;
    }
    if (!settings_known || settings != settings_on_disk) {
        job->settings_needed = true;
        job->settings_file = Settings_File();
        job->settings = settings;
    }
    bool needed = false;
    begun_ok = Measurements_Writable(data, &needed);
    if (needed) {
        job->needed = true;
        job->file = Measurement_File();
        job->records = data.Snapshot();
        job->revision = data.Revision();
    }
}

void TPersistence::TSaveJob::Write()
{
    if (settings_needed) {
        settings_written = Write_Settings(settings_file, settings, &settings_error);
    }
    if (needed && records) {
        written = TMeasurementData::Save_Records(file, *records, &error);
    }
}

bool TPersistence::Finish_Save(TSaveJob *job)
{
    Q_ASSERT(job);
    if (!writable) {
        *job = TSaveJob();
        return false;
    }
    bool saved = begun_ok;
    if (job->settings_needed && job->settings_written) {
        ++files_written;
        settings_known = true;
        settings_on_disk = job->settings;
    } else if (job->settings_needed) {
        // The settings come first in the reason, as they are written first.
        last_error.prepend(job->settings_error);
        saved = false;
    }
    if (job->needed && job->written) {
        ++files_written;
        measurements_known = true;
        revision_on_disk = job->revision;
    } else if (job->needed) {
        last_error += tr("the measurements were not saved: %1\n").arg(job->error);
        saved = false;
    }
    *job = TSaveJob();
    last_error = last_error.trimmed();
    // A save that keeps failing for the same reason is reported once.
    if (!last_error.isEmpty() && last_error != previous_error) {
        for (const QString &line : last_error.split(QLatin1Char('\n'))) {
            qWarning().noquote() << QStringLiteral("Curvalo: %1").arg(line);
        }
    }
    return saved;
}

bool TPersistence::Write_Settings(const QString &file, const TSettings &values, QString *error)
{
    Q_ASSERT(error);
    // Writing through a link would turn whatever it points at into a settings file.
    const QFileInfo link(file);
    if (link.isSymLink() && link.exists() && !Is_Settings_File(link.symLinkTarget())) {
        *error = tr("the settings were not written: '%1' is a link to '%2', which is not a "
                    "Curvalo settings file, and Curvalo does not write through it\n")
                     .arg(file, link.symLinkTarget());
        return false;
    }
    QString reason;
    const QByteArray content = Settings_Content(
        file,
        [&values](QSettings *settings) {
            Write(settings, KEY_POSITION, values.window_position);
            Write(settings, KEY_SIZE, values.window_size);
            const auto number = [&values](int i, const double &value) {
                const QString &unused = values.unused_texts[size_t(i)];
                return unused.isEmpty() ? QVariant(value) : QVariant(unused);
            };
            for (int i = 0; i < 4; ++i) {
                Write(settings, parameter_keys[i], number(i, values.parameters[i]));
            }
            Write(settings, KEY_RANGE_Y, number(4, values.range_y));
            Write(settings, KEY_RANGE_Z, number(5, values.range_z));
            Write(settings, KEY_MODEL, values.deflection_model);
            settings->remove(QStringLiteral("MPE"));
            if (values.unused_mpe_texts.size() == 3) {
                const char *const keys[3] = {"MPE/A", "MPE/K", "MPE/B"};
                for (int i = 0; i < 3; ++i) {
                    if (!values.unused_mpe_texts[i].isEmpty()) {
                        settings->setValue(QLatin1String(keys[i]), values.unused_mpe_texts[i]);
                    }
                }
            } else if (values.mpe.Is_Set()) {
                settings->setValue(QStringLiteral("MPE/A"), TNumberText::Shortest(values.mpe.A()));
                settings->setValue(QStringLiteral("MPE/K"), TNumberText::Shortest(values.mpe.K()));
                if (values.mpe.Has_B()) {
                    settings->setValue(QStringLiteral("MPE/B"),
                                       TNumberText::Shortest(values.mpe.B()));
                }
            }
            settings->remove(QStringLiteral("View"));
            if (values.exaggeration != 1) {
                settings->setValue(QStringLiteral("View/Exaggeration"), values.exaggeration);
            }
            if (!values.window_layout.isEmpty()) {
                settings->setValue(QStringLiteral("View/Layout"), values.window_layout);
            }
            settings->remove(QStringLiteral("Model_Parameters"));
            for (auto entry = values.model_parameters.cbegin();
                 entry != values.model_parameters.cend(); ++entry) {
                settings->setValue(QStringLiteral("Model_Parameters/") + entry.key(),
                                   entry.value());
            }
            settings->remove(QStringLiteral("Conditions"));
            for (auto entry = values.conditions.cbegin(); entry != values.conditions.cend();
                 ++entry) {
                settings->setValue(QStringLiteral("Conditions/") + entry.key(), entry.value());
            }
            settings->remove(QStringLiteral("Recent"));
            if (!values.recent_tests.isEmpty()) {
                settings->setValue(QStringLiteral("Recent/Tests"), values.recent_tests);
            }
            settings->remove(QStringLiteral("Test"));
            if (!values.test_file.isEmpty()) {
                settings->setValue(QStringLiteral("Test/File"), values.test_file);
                if (values.test_modified) {
                    settings->setValue(QStringLiteral("Test/Modified"), true);
                }
            }
            settings->remove(QStringLiteral("Report"));
            const std::pair<const char *, const QString *> report[] = {
                {"Report/Title", &values.report_title},
                {"Report/Machine", &values.report_machine},
                {"Report/Operator", &values.report_operator},
                {"Report/Notes", &values.report_notes},
                {"Report/Serial_Number", &values.report_serial_number},
                {"Report/Manufacturer", &values.report_manufacturer},
                {"Report/Location", &values.report_location},
                {"Report/Customer", &values.report_customer},
                {"Report/Test_Date", &values.report_test_date},
                {"Report/Procedure", &values.report_procedure}};
            for (const auto &entry : report) {
                if (!entry.second->isEmpty()) {
                    settings->setValue(QLatin1String(entry.first), *entry.second);
                }
            }
        },
        &reason);
    if (content.isEmpty() || TFileWriter::Write(file, content, &reason) != TFileWriter::WRITTEN) {
        *error = tr("the settings could not be written to '%1': %2\n").arg(file, reason);
        return false;
    }
    return true;
}

bool TPersistence::Write_Fit(const QString &file_name, const TFit &fit, QString *reason)
{
    Q_ASSERT(reason);
    const QByteArray content = Settings_Content(
        file_name,
        [&fit](QSettings *settings) {
            for (int i = 0; i < 4; ++i) {
                Write(settings, parameter_keys[i], fit.parameters[i]);
            }
            if (fit.model >= 0) {
                Write(settings, KEY_MODEL, fit.model);
            }
            if (fit.range_y > 0.0) {
                Write(settings, KEY_RANGE_Y, fit.range_y);
            }
            if (fit.range_z > 0.0) {
                Write(settings, KEY_RANGE_Z, fit.range_z);
            }
        },
        reason);
    return !content.isEmpty() &&
           TFileWriter::Write(file_name, content, reason) == TFileWriter::WRITTEN;
}

bool TPersistence::Measurements_Writable(const TMeasurementData &data, bool *needed)
{
    *needed = false;
    if (measurement_file_blocked) {
        last_error += tr("'%1' could not be read completely nor kept under another "
                         "name; the measurements are not saved over it.\n")
                          .arg(Measurement_File());
        return false;
    }
    // The records' revision, not the file's text, is compared: building the text of a long
    // list costs far more, and the same records always give the same text. Records changed and
    // changed back write the same file again.
    *needed = !measurements_known || data.Revision() != revision_on_disk;
    return true;
}
