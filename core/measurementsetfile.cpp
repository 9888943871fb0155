// SPDX-License-Identifier: GPL-3.0-or-later
#include "measurementsetfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <cmath>

#include "messagetext.h"
#include "numbertext.h"
#include "testconditions.h"

namespace
{
// A cell as a spreadsheet writes it: blanks around, and quotes around the text, go.
QString Cell(const QString &text)
{
    QString cell = text.trimmed();
    if (cell.size() >= 2 && cell.startsWith(QLatin1Char('"')) && cell.endsWith(QLatin1Char('"'))) {
        cell = cell.mid(1, cell.size() - 2).trimmed();
    }
    return cell;
}

void Add_Error(TMeasurementSetFile::TImport *import, int line, const QString &reason)
{
    import->errors << TMeasurementSetFile::tr("line %1: %2").arg(line).arg(reason);
}

// The list as the user sees it: the first twenty, then how many more there are.
void Limit_Errors(TMeasurementSetFile::TImport *import)
{
    import->errors = TMessageText::Limit(import->errors);
}
} // namespace

TMeasurementSetFile::TImport TMeasurementSetFile::Read(const QString &file_name)
{
    return Read_File(file_name, false);
}

TMeasurementSetFile::TImport TMeasurementSetFile::Read_Measured_Lengths(const QString &file_name)
{
    return Read_File(file_name, true);
}

TMeasurementSetFile::TImport TMeasurementSetFile::Read_File(const QString &file_name,
                                                            bool lengths_only)
{
    TImport import{false, {}, {}};
    const QFileInfo info(file_name);
    if (!info.isFile()) {
        import.errors
            << TMeasurementSetFile::tr("'%1' is not a file that can be read.").arg(file_name);
        return import;
    }
    QFile file(file_name);
    if (!file.open(QIODevice::ReadOnly)) {
        import.errors << TMeasurementSetFile::tr("'%1' cannot be read: %2")
                             .arg(file_name, file.errorString());
        return import;
    }
    const QByteArray content = file.readAll();
    const bool csv = file_name.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ||
                     !content.trimmed().startsWith('<');
    if (csv) {
        return Read_Csv(content, lengths_only);
    }
    TMeasurementData data;
    if (!data.Load_Data(file_name)) {
        import.errors << data.Last_Error();
        return import;
    }
    import.errors = data.Load_Notes();
    if (!import.errors.isEmpty()) {
        Limit_Errors(&import);
        return import;
    }
    import.measurements = data.Measurements();
    import.ok = true;
    return import;
}

TMeasurementSetFile::TImport TMeasurementSetFile::Read_Csv(const QByteArray &content,
                                                           bool lengths_only)
{
    TImport import{false, {}, {}};
    // A text file holds no NUL byte; reading on past one would lose the rest of the file.
    const int nul = content.indexOf('\0');
    if (nul >= 0) {
        Add_Error(&import, content.left(nul).count('\n') + 1,
                  TMeasurementSetFile::tr("a NUL byte: this is not a text file"));
        return import;
    }
    const QStringList lines = QString::fromUtf8(content).split(QLatin1Char('\n'));
    int header_line = 0;
    while (header_line < lines.size() && lines[header_line].trimmed().isEmpty()) {
        ++header_line;
    }
    if (header_line == lines.size()) {
        import.errors << TMeasurementSetFile::tr("The file is empty.");
        return import;
    }
    QHash<QString, int> columns;
    // A spreadsheet in a German locale writes ";" between the cells and a decimal comma.
    const QString &header_text = lines[header_line];
    const bool semicolons = header_text.contains(QLatin1Char(';'));
    if (!semicolons && !header_text.contains(QLatin1Char(','))) {
        const QRegularExpression other(QStringLiteral("[\\t|:]"));
        const QRegularExpressionMatch found = other.match(header_text);
        Add_Error(&import, header_line + 1,
                  found.hasMatch()
                      ? TMeasurementSetFile::tr("the header separates its columns with \"%1\"; "
                                                "a CSV file takes \",\" or \";\"")
                            .arg(found.captured() == QLatin1String("\t") ? QStringLiteral("\\t")
                                                                         : found.captured())
                      : TMeasurementSetFile::tr("the header has only one column; a CSV file "
                                                "separates them with \",\" or \";\""));
        return import;
    }
    const QChar separator = semicolons ? QLatin1Char(';') : QLatin1Char(',');
    const QStringList header = header_text.split(separator);
    for (int i = 0; i < header.size(); ++i) {
        const QString name = Cell(header[i]).toLower();
        if (!name.isEmpty() && columns.contains(name)) {
            Add_Error(
                &import, header_line + 1,
                TMeasurementSetFile::tr("the header names the column \"%1\" twice").arg(name));
        }
        columns.insert(name, i);
    }
    // The columns of a measurement, or of a measured length alone.
    const QStringList required =
        lengths_only ? QStringList()
                     : QStringList{QStringLiteral("nominal_length_mm"),
                                   QStringLiteral("position_y_mm"), QStringLiteral("position_z_mm"),
                                   QStringLiteral("axis_y"), QStringLiteral("axis_z")};
    const QStringList needed =
        lengths_only ? QStringList{QStringLiteral("id"), QStringLiteral("measured_length_mm")}
                     : required;
    for (const QString &name : needed) {
        if (!columns.contains(name)) {
            Add_Error(&import, header_line + 1,
                      TMeasurementSetFile::tr("the header has no column \"%1\"").arg(name));
        }
    }
    if (!import.errors.isEmpty()) {
        return import;
    }

    for (int index = header_line + 1; index < lines.size(); ++index) {
        const int line = index + 1;
        if (lines[index].trimmed().isEmpty()) {
            continue;
        }
        QStringList cells = lines[index].split(separator);
        if (semicolons) {
            for (QString &cell : cells) {
                cell.replace(QLatin1Char(','), QLatin1Char('.'));
            }
        }
        if (cells.size() != header.size()) {
            Add_Error(&import, line,
                      TMeasurementSetFile::tr("%1 columns instead of %2")
                          .arg(cells.size())
                          .arg(header.size()));
            continue;
        }
        bool good = true;
        double values[5] = {0, 0, 0, 0, 0};
        for (int i = 0; i < required.size(); ++i) {
            const QString text = Cell(cells[columns.value(required[i])]);
            if (!TNumberText::Read_Finite(text, &values[i])) {
                Add_Error(&import, line,
                          TMeasurementSetFile::tr("\"%1\" is not a number: \"%2\"")
                              .arg(required[i], TMessageText::Quote(text)));
                good = false;
            }
        }
        if (good && !lengths_only && !(values[0] > 0.0)) {
            Add_Error(&import, line,
                      TMeasurementSetFile::tr("\"nominal_length_mm\" must be greater than 0: "
                                              "\"%1\"")
                          .arg(TMessageText::Quote(Cell(cells[columns.value(required[0])]))));
            good = false;
        }
        TMeasurementData::TMeasurement measurement{0, TVector3(0, values[1], values[2]),
                                                   TVector3(0, values[3], values[4]), values[0]};
        if (good && !lengths_only && !TMeasurementData::Is_Usable_Axis(measurement.axis)) {
            Add_Error(&import, line, TMeasurementSetFile::tr("the axis has no length"));
            good = false;
        }
        if (columns.contains(QStringLiteral("id"))) {
            const QString text = Cell(cells[columns.value(QStringLiteral("id"))]);
            // An update names the measurement it updates.
            bool ok = text.isEmpty() && !lengths_only;
            if (!ok) {
                measurement.id = text.toInt(&ok);
                ok = ok && measurement.id > 0;
            }
            if (!ok) {
                Add_Error(&import, line,
                          TMeasurementSetFile::tr("\"id\" is not a positive whole number: \"%1\"")
                              .arg(TMessageText::Quote(text)));
                good = false;
            }
        }
        if (columns.contains(QStringLiteral("measured_length_mm"))) {
            const QString text = Cell(cells[columns.value(QStringLiteral("measured_length_mm"))]);
            if (!text.isEmpty()) {
                measurement.has_measured_length =
                    TNumberText::Read_Finite(text, &measurement.measured_length);
                if (!measurement.has_measured_length) {
                    Add_Error(
                        &import, line,
                        TMeasurementSetFile::tr("\"measured_length_mm\" is not a number: \"%1\"")
                            .arg(TMessageText::Quote(text)));
                    good = false;
                }
            }
        }
        if (columns.contains(QStringLiteral("gauge_temperature_c"))) {
            const QString text = Cell(cells[columns.value(QStringLiteral("gauge_temperature_c"))]);
            QString reason;
            TTestConditions check;
            if (!text.isEmpty() &&
                (!TNumberText::Read_Finite(text, &measurement.temperature) ||
                 !check.Set(QStringLiteral("Gauge_Temperature"), text, &reason))) {
                Add_Error(&import, line,
                          TMeasurementSetFile::tr("\"gauge_temperature_c\" is not a usable "
                                                  "temperature: \"%1\"")
                              .arg(TMessageText::Quote(text)));
                good = false;
            }
            measurement.has_temperature = !text.isEmpty() && good;
            if (!measurement.has_temperature) {
                measurement.temperature = 20.0;
            }
        }
        if (columns.contains(QStringLiteral("retest_of"))) {
            const QString text = Cell(cells[columns.value(QStringLiteral("retest_of"))]);
            bool ok = text.isEmpty();
            if (!ok) {
                measurement.retest_of = text.toInt(&ok);
                ok = ok && measurement.retest_of > 0;
            }
            if (!ok) {
                measurement.retest_of = 0;
                Add_Error(&import, line,
                          TMeasurementSetFile::tr("\"retest_of\" is not the id of a measurement: "
                                                  "\"%1\"")
                              .arg(TMessageText::Quote(text)));
                good = false;
            }
        }
        if (good) {
            if (!lengths_only) {
                measurement.axis.Normal();
            }
            import.measurements.push_back(measurement);
        }
    }
    if (!import.errors.isEmpty()) {
        import.measurements.clear();
        Limit_Errors(&import);
        return import;
    }
    import.ok = true;
    return import;
}

std::vector<int>
TMeasurementSetFile::Add(const std::vector<TMeasurementData::TMeasurement> &measurements,
                         bool replace, TMeasurementData *data)
{
    Q_ASSERT(data);
    if (replace) {
        data->Clear_Measurements();
    }
    std::vector<int> ids;
    // A retest names the id its result has in the file; where that result gets another id
    // here, the retest follows it.
    QHash<int, int> first_with;
    bool renumbered = false;
    bool retests = false;
    for (TMeasurementData::TMeasurement measurement : measurements) {
        const int given = measurement.id;
        if (measurement.id > 0 && !data->Measurement_Id_Exists(measurement.id)) {
            data->Add_Measurement(measurement);
        } else {
            measurement.id = data->Add_Measurement();
            data->Update_Measurement(measurement);
        }
        // Of an id a file gives twice, a retest means the first.
        if (given > 0 && !first_with.contains(given)) {
            first_with.insert(given, measurement.id);
            renumbered = renumbered || given != measurement.id;
        }
        retests = retests || measurement.retest_of > 0;
        ids.push_back(measurement.id);
    }
    if (retests && renumbered) {
        for (size_t i = 0; i < measurements.size(); ++i) {
            const int of = measurements[i].retest_of;
            TMeasurementData::TMeasurement added;
            if (of > 0 && first_with.value(of, of) != of && data->Get_Measurement(ids[i], &added)) {
                added.retest_of = first_with.value(of);
                data->Update_Measurement(added);
            }
        }
    }
    return ids;
}

bool TMeasurementSetFile::Read_Column(const QString &text,
                                      std::vector<std::pair<bool, double>> *lengths, QString *error)
{
    Q_ASSERT(lengths && error);
    lengths->clear();
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().trimmed().isEmpty()) {
        lines.removeLast();
    }
    for (int i = 0; i < lines.size(); ++i) {
        const QString cell = Cell(lines[i].trimmed().remove(QLatin1Char('\r')));
        double length = 0.0;
        if (cell.isEmpty()) {
            lengths->emplace_back(false, 0.0);
        } else if (TNumberText::Read_Typed(cell, &length)) {
            lengths->emplace_back(true, length);
        } else {
            *error =
                tr("line %1 is not a length: \"%2\"").arg(i + 1).arg(TMessageText::Quote(cell));
            lengths->clear();
            return false;
        }
    }
    return true;
}
