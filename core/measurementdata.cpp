// SPDX-License-Identifier: GPL-3.0-or-later
#include "measurementdata.h"

#include <atomic>

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "messagetext.h"
#include "numbertext.h"
#include "xmlfile.h"

namespace
{
const QString identification = QStringLiteral("Curvalo_Measurement_Data");

// A number of the file: finite and of a size a field could hold; anything else reads as 0.
bool Read_Number(const QString &text, double *value)
{
    *value = 0.0;
    return TNumberText::Read_Finite(text, value);
}

// The three comma-separated parts of a value; empty or non-numeric parts read as 0 and clear
// *all_numbers. Raw parts are read as they are, nan and inf included.
bool Read_Triple(const QString &text, double *values, bool *all_numbers, bool raw = false)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3) {
        return false;
    }
    *all_numbers = true;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        if (raw) {
            // An axis keeps what it reads: one that is not finite has no direction.
            values[i] = parts[i].toDouble(&ok);
        } else {
            ok = Read_Number(parts[i], &values[i]);
        }
        *all_numbers = ok && *all_numbers;
    }
    return true;
}

// The elements a measurement record may hold, in the order of field_names; anything else
// would be lost on the next save.
enum TField {
    FIELD_ID,
    FIELD_NOMINAL_LENGTH,
    FIELD_POSITION,
    FIELD_AXIS,
    FIELD_MEASURED_LENGTH,
    FIELD_GAUGE_TEMPERATURE,
    FIELD_RETEST_OF,
    FIELD_COUNT
};
const char *const field_names[FIELD_COUNT] = {"Id",       "Nominal_Length",  "Position",
                                              "Axis",     "Measured_Length", "Gauge_Temperature",
                                              "Retest_Of"};

// The field an element of a record holds; FIELD_COUNT for one the format does not have.
int Field_Of(const QString &name)
{
    int field = 0;
    while (field < FIELD_COUNT && name != QLatin1String(field_names[field])) {
        ++field;
    }
    return field;
}

// Elements, comments and text would not survive a save; blanks between elements are layout.
bool Would_Be_Lost(const QDomNode &node)
{
    if (node.isText()) {
        return !node.nodeValue().trimmed().isEmpty();
    }
    return node.isElement() || node.isComment() || node.isCDATASection() ||
           node.isProcessingInstruction() || node.isEntityReference();
}

QString Node_Name(const QDomNode &node)
{
    if (node.isElement()) {
        return TMeasurementData::tr("element \"%1\"").arg(node.nodeName());
    }
    return node.isComment() ? TMeasurementData::tr("a comment") : TMeasurementData::tr("text");
}
} // namespace

namespace
{
// Revisions are handed out from one counter for all lists, so that two lists never share one
// unless one is a copy of the other.
std::atomic<quint64> last_revision{0};
} // namespace

TMeasurementData::TMeasurementData()
    : list(std::make_shared<std::vector<TMeasurement>>())
    , free_from(1)
    , dropped_records(0)
    , revision(++last_revision)
{
}

TMeasurementData TMeasurementData::Unshared_Copy() const
{
    const auto own_text = [](const QString &text) {
        return QString(text.constData(), text.size());
    };
    TMeasurementData copy(*this);
    copy.list = std::make_shared<std::vector<TMeasurement>>(*list);
    copy.last_error = own_text(last_error);
    copy.load_notes.clear();
    for (const QString &note : load_notes) {
        copy.load_notes << own_text(note);
    }
    return copy;
}

void TMeasurementData::Changing()
{
    revision = ++last_revision;
    // Copies of the store, and snapshots a writer still holds, keep the list as it was.
    if (list.use_count() > 1) {
        list = std::make_shared<std::vector<TMeasurement>>(*list);
    }
}

namespace
{
bool Same(const TVector3 &a, const TVector3 &b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
} // namespace

bool TMeasurementData::TMeasurement::operator==(const TMeasurement &other) const
{
    return id == other.id && Same(position, other.position) && Same(axis, other.axis) &&
           nominal_length == other.nominal_length &&
           has_measured_length == other.has_measured_length &&
           measured_length == other.measured_length && has_temperature == other.has_temperature &&
           temperature == other.temperature && retest_of == other.retest_of;
}

int TMeasurementData::Free_Id() const
{
    int id = free_from;
    while (Measurement_Id_Exists(id)) {
        ++id;
    }
    return id;
}

int TMeasurementData::Add_Measurement()
{
    const int id = Free_Id();
    free_from = id + 1;
    Add_Measurement(TMeasurement{id, TVector3(0, 0, 0), TVector3(0, 0, 1), 1000.0});
    return id;
}

void TMeasurementData::Add_Measurement(const TMeasurement &measurement)
{
    if (measurement.id <= 0 || Measurement_Id_Exists(measurement.id)) {
        return;
    }
    Changing();
    index.emplace(measurement.id, list->size());
    if (measurement.id == free_from) {
        ++free_from;
    }
    list->push_back(measurement);
}

bool TMeasurementData::Update_Measurement(const TMeasurement &measurement)
{
    const auto found = index.find(measurement.id);
    if (found == index.end()) {
        return false;
    }
    Changing();
    (*list)[found->second] = measurement;
    return true;
}

bool TMeasurementData::Remove_Measurement(int id)
{
    const auto found = index.find(id);
    if (found == index.end()) {
        return false;
    }
    Changing();
    const size_t position = found->second;
    index.erase(found);
    free_from = std::min(free_from, id);
    list->erase(list->begin() + std::ptrdiff_t(position));
    Reindex_From(position);
    return true;
}

void TMeasurementData::Remove_Measurements(const std::vector<int> &ids)
{
    Changing();
    size_t first = list->size();
    for (const int id : ids) {
        const auto found = index.find(id);
        if (found != index.end()) {
            first = std::min(first, found->second);
            index.erase(found);
            free_from = std::min(free_from, id);
        }
    }
    const auto kept =
        std::remove_if(list->begin() + std::ptrdiff_t(first), list->end(),
                       [this](const TMeasurement &stored) { return index.count(stored.id) == 0; });
    list->erase(kept, list->end());
    Reindex_From(first);
}

void TMeasurementData::Clear_Measurements()
{
    Changing();
    list->clear();
    index.clear();
    free_from = 1;
}

void TMeasurementData::Set_Measurements(const std::vector<TMeasurement> &records)
{
    Clear_Measurements();
    list->reserve(records.size());
    for (const TMeasurement &record : records) {
        Add_Measurement(record);
    }
}

void TMeasurementData::Replace_Records(size_t position, size_t count,
                                       const std::vector<TMeasurement> &by)
{
    Q_ASSERT(position + count <= list->size());
    Changing();
    const auto first = list->begin() + std::ptrdiff_t(position);
    for (auto record = first; record != first + std::ptrdiff_t(count); ++record) {
        index.erase(record->id);
        free_from = std::min(free_from, record->id);
    }
    if (count == by.size()) {
        std::copy(by.begin(), by.end(), first);
    } else {
        list->erase(first, first + std::ptrdiff_t(count));
        list->insert(list->begin() + std::ptrdiff_t(position), by.begin(), by.end());
    }
    Reindex_From(position);
}

size_t TMeasurementData::Position_Of(int id) const
{
    const auto found = index.find(id);
    return found == index.end() ? list->size() : found->second;
}

void TMeasurementData::Reindex_From(size_t position)
{
    for (size_t i = position; i < list->size(); ++i) {
        index[(*list)[i].id] = i;
    }
}

bool TMeasurementData::Measurement_Id_Exists(int id) const
{
    return index.count(id) != 0;
}

std::vector<int> TMeasurementData::Get_Measurement_Ids() const
{
    std::vector<int> ids;
    ids.reserve(list->size());
    for (const TMeasurement &stored : (*list)) {
        ids.push_back(stored.id);
    }
    return ids;
}

bool TMeasurementData::Get_Measurement(int id, TMeasurement *measurement) const
{
    Q_ASSERT(measurement);
    const auto found = index.find(id);
    if (found == index.end()) {
        return false;
    }
    *measurement = (*list)[found->second];
    return true;
}

bool TMeasurementData::Is_Usable_Axis(const TVector3 &axis)
{
    const double length = axis.Length();
    // NaN and infinite components give no direction either.
    return length >= 1e-6 && std::isfinite(length);
}

QByteArray TMeasurementData::File_Text(const std::vector<TMeasurement> &records)
{
    // The bytes a DOM of the file saved with an indent of 4 gives, written straight out: the
    // document and its text for 10,000 records took some 200 ms and 50 MB, this about 13 ms,
    // half of it the numbers' texts. Every value is a number, so no text needs escaping.
    QByteArray text;
    text.reserve(int(std::min<size_t>(128 + records.size() * 320, 1u << 30)));
    text += "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    const QByteArray root = identification.toLatin1();
    if (records.empty()) {
        return text + '<' + root + " File_Version=\"1\"/>\n";
    }
    text += '<' + root + " File_Version=\"1\">\n";
    const auto open = [&text](const char *name) {
        text += "        <";
        text += name;
        text += '>';
    };
    const auto close = [&text](const char *name) {
        text += "</";
        text += name;
        text += ">\n";
    };
    const auto fixed = [&](const char *name, const double &value, int decimals) {
        open(name);
        TNumberText::Append_Fixed(&text, value, decimals);
        close(name);
    };
    const auto triple = [&](const char *name, const TVector3 &vector, int decimals) {
        open(name);
        TNumberText::Append_Fixed(&text, vector.x, decimals);
        text += ',';
        TNumberText::Append_Fixed(&text, vector.y, decimals);
        text += ',';
        TNumberText::Append_Fixed(&text, vector.z, decimals);
        close(name);
    };
    const auto integer = [&](const char *name, int value) {
        open(name);
        text += QByteArray::number(value);
        close(name);
    };
    for (const TMeasurement &measurement : records) {
        text += "    <Measurement>\n";
        integer("Id", measurement.id);
        fixed("Nominal_Length", measurement.nominal_length, 6);
        triple("Position", measurement.position, 6);
        triple("Axis", measurement.axis, 12);
        // Optional, so that a file without measured lengths stays what it always was.
        if (measurement.has_measured_length) {
            fixed("Measured_Length", measurement.measured_length, 6);
        }
        if (measurement.has_temperature) {
            fixed("Gauge_Temperature", measurement.temperature, 6);
        }
        if (measurement.retest_of > 0) {
            integer("Retest_Of", measurement.retest_of);
        }
        text += "    </Measurement>\n";
    }
    // Appended, not added: a sum would copy the whole text once more.
    text += "</";
    text += root;
    text += ">\n";
    return text;
}

QByteArray TMeasurementData::File_Data() const
{
    return File_Text(*list);
}

bool TMeasurementData::Save_Data(const QString &file_name) const
{
    return Save_Records(file_name, (*list), &last_error);
}

bool TMeasurementData::Save_Records(const QString &file_name,
                                    const std::vector<TMeasurement> &records, QString *error)
{
    Q_ASSERT(error);
    try {
        TXmlFile::Write_File(file_name, File_Text(records));
    } catch (const TXmlFileException &exception) {
        *error = exception.Message();
        return false;
    }
    return true;
}

bool TMeasurementData::Load_Data(const QString &file_name)
{
    Clear_Measurements();
    dropped_records = 0;
    load_notes.clear();
    try {
        TXmlFile xml_file;
        xml_file.Set_File_Name(file_name);
        int version = 0;
        xml_file.Open(identification, &version, true);
        if (version != 1) {
            throw TXmlFileException(tr("ERR:  File version not recognized"),
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
    // The first element of each field, found in one pass over the record's children: what
    // looking each one up by name gives, without walking the record once for every field.
    QDomElement fields[FIELD_COUNT];
    // A missing field fails as looking it up by name always has.
    const auto text_of = [xml_file, &fields](const QDomElement &measurement, int field) {
        const QDomElement element =
            fields[field].isNull()
                ? xml_file->Get_Node(&measurement, QLatin1String(field_names[field]))
                : fields[field];
        return xml_file->Read_Text_Node(&element);
    };
    // Something of the file the store cannot hold: it is read as the format has it (text that
    // is no number as 0), and noted.
    const auto note = [this](const QDomNode &where, const QString &what) {
        load_notes << tr("line %1: %2").arg(where.lineNumber()).arg(what);
    };
    const auto not_a_number = [&note](const QDomElement &record, const QString &name,
                                      const QString &text) {
        note(record, tr("\"%1\" is not a number: \"%2\"").arg(name, TMessageText::Quote(text)));
    };

    size_t records = 0;
    for (QDomNode child = xml_file->Root_Node()->firstChild(); !child.isNull();
         child = child.nextSibling()) {
        const bool record = child.nodeName() == QLatin1String("Measurement");
        if (record && child.isElement()) {
            ++records;
        }
        if (Would_Be_Lost(child) && !record) {
            note(child,
                 tr("%1 is not part of the format").arg(TMessageText::Quote(Node_Name(child))));
        }
    }
    // Room for every record at once: a list grown by doubling holds up to twice what it needs,
    // a third more for 100,000 records.
    if (list.use_count() == 1) {
        list->reserve(list->size() + records);
    }

    QDomElement node =
        xml_file->Get_Node(xml_file->Root_Node(), QStringLiteral("Measurement"), true);
    while (!node.isNull()) {
        for (QDomElement &element : fields) {
            element.clear();
        }
        for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
            const int field = child.isElement() ? Field_Of(child.nodeName()) : FIELD_COUNT;
            if (field < FIELD_COUNT) {
                if (fields[field].isNull()) {
                    fields[field] = child.toElement();
                }
            } else if (Would_Be_Lost(child)) {
                note(child, tr("%1 is not part of a measurement")
                                .arg(TMessageText::Quote(Node_Name(child))));
            }
        }

        TMeasurement measurement;
        bool ok = false;
        const QString id_text = text_of(node, FIELD_ID);
        measurement.id = id_text.toInt(&ok);
        if (!ok) {
            not_a_number(node, QStringLiteral("Id"), id_text);
        }
        const QString length_text = text_of(node, FIELD_NOMINAL_LENGTH);
        ok = Read_Number(length_text, &measurement.nominal_length);
        if (!ok) {
            not_a_number(node, QStringLiteral("Nominal_Length"), length_text);
        }

        double values[3];
        const QString position_text = text_of(node, FIELD_POSITION);
        if (!Read_Triple(position_text, values, &ok)) {
            throw TXmlFileException(tr("ERR:  Measurement position must have three values"),
                                    TXmlFileException::GENERAL_ERROR);
        }
        if (!ok) {
            not_a_number(node, QStringLiteral("Position"), position_text);
        }
        measurement.position = TVector3(values[0], values[1], values[2]);

        const QString axis_text = text_of(node, FIELD_AXIS);
        if (!Read_Triple(axis_text, values, &ok, true)) {
            throw TXmlFileException(tr("ERR:  Measurement axis must have three values"),
                                    TXmlFileException::GENERAL_ERROR);
        }
        if (!ok) {
            not_a_number(node, QStringLiteral("Axis"), axis_text);
        }
        // Measurements lie in the Y-Z plane: the first component is not read.
        measurement.axis = TVector3(0.0, values[1], values[2]);
        if (!Is_Usable_Axis(measurement.axis)) {
            throw TXmlFileException(tr("ERR:  Measurement axis not specified"),
                                    TXmlFileException::GENERAL_ERROR);
        }
        measurement.axis.Normal();

        const QDomElement &measured = fields[FIELD_MEASURED_LENGTH];
        if (!measured.isNull()) {
            const QString measured_text = xml_file->Read_Text_Node(&measured, true);
            measurement.has_measured_length =
                Read_Number(measured_text, &measurement.measured_length);
            if (!measurement.has_measured_length) {
                not_a_number(node, QStringLiteral("Measured_Length"), measured_text);
            }
        }
        const QDomElement &temperature = fields[FIELD_GAUGE_TEMPERATURE];
        if (!temperature.isNull()) {
            const QString temperature_text = xml_file->Read_Text_Node(&temperature, true);
            measurement.has_temperature = Read_Number(temperature_text, &measurement.temperature);
            if (!measurement.has_temperature) {
                measurement.temperature = 20.0;
                not_a_number(node, QStringLiteral("Gauge_Temperature"), temperature_text);
            }
        }
        const QDomElement &retest = fields[FIELD_RETEST_OF];
        if (!retest.isNull()) {
            const QString retest_text = xml_file->Read_Text_Node(&retest, true);
            measurement.retest_of = retest_text.trimmed().toInt(&ok);
            if (!ok || measurement.retest_of < 0) {
                measurement.retest_of = 0;
                not_a_number(node, QStringLiteral("Retest_Of"), retest_text);
            }
        }

        const size_t before = list->size();
        Add_Measurement(measurement);
        if (list->size() == before) {
            ++dropped_records;
            note(node, tr("the measurement with \"Id\" %1 was left out: identifiers "
                          "must be positive and unique")
                           .arg(TMessageText::Quote(id_text.trimmed())));
        }
        node = xml_file->Get_Sibling_Node(&node, QStringLiteral("Measurement"), true);
    }
}
