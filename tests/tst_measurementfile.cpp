// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "filesizelimit.h"
#include "measurementdata.h"
#include "testfiles.h"
#include "xmlfile.h"

using TMeasurement = TMeasurementData::TMeasurement;

Q_DECLARE_METATYPE(TVector3)
Q_DECLARE_METATYPE(std::vector<TMeasurement>)

namespace
{
// Qt 6's XML parser counts the column of a broken-off document one less than Qt 5's does; the
// message gives what the parser reports.
const int broken_column = QT_VERSION >= QT_VERSION_CHECK(6, 0, 0) ? 3 : 4;

const QByteArray example = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                           "<Curvalo_Measurement_Data File_Version=\"1\">\n"
                           "    <Measurement>\n"
                           "        <Id>1</Id>\n"
                           "        <Nominal_Length>1000.000000</Nominal_Length>\n"
                           "        <Position>0.000000,0.000000,0.000000</Position>\n"
                           "        <Axis>0.000000000000,0.000000000000,1.000000000000</Axis>\n"
                           "    </Measurement>\n"
                           "    <Measurement>\n"
                           "        <Id>3</Id>\n"
                           "        <Nominal_Length>500.000000</Nominal_Length>\n"
                           "        <Position>100.000000,250.500000,-20.000000</Position>\n"
                           "        <Axis>0.000000000000,0.707106781187,0.707106781187</Axis>\n"
                           "    </Measurement>\n"
                           "</Curvalo_Measurement_Data>\n";

// A file with one record per (id, nominal, position, axis) quadruple of texts.
QByteArray File_With(const QList<QStringList> &records, const QByteArray &version = "1")
{
    QByteArray content =
        "<?xml version=\"1.0\"?>\n<Curvalo_Measurement_Data File_Version=\"" + version + "\">\n";
    for (const QStringList &record : records) {
        content += "<Measurement><Id>" + record[0].toUtf8() + "</Id><Nominal_Length>" +
                   record[1].toUtf8() + "</Nominal_Length><Position>" + record[2].toUtf8() +
                   "</Position><Axis>" + record[3].toUtf8() + "</Axis></Measurement>\n";
    }
    return content + "</Curvalo_Measurement_Data>\n";
}

std::vector<int> Ids(const TMeasurementData &store)
{
    return store.Get_Measurement_Ids();
}
} // namespace

class TTestMeasurementFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void Writes_The_Example();
    void Empty_Store();
    void Written_As_Its_Document_data();
    void Written_As_Its_Document();
    void Reader_Rules_data();
    void Reader_Rules();
    void Reader_Values_data();
    void Reader_Values();
    void Missing_File();
    void Round_Trip_Of_Random_Stores();
    void Write_Protected_File_Kept();
    void Failed_Write_Keeps_Old_File();
    void Damaged_Files_Never_Crash();
    void Measured_Length_Round_Trip_data();
    void Measured_Length_Round_Trip();
    void Measured_Length_That_Is_Not_A_Number_data();
    void Measured_Length_That_Is_Not_A_Number();

private:
    QTemporaryDir directory;
    QString path;
};

void TTestMeasurementFile::init()
{
    QVERIFY(directory.isValid());
    path = directory.filePath("measurements.xml");
    QFile::remove(path);
}

void TTestMeasurementFile::Writes_The_Example()
{
    TMeasurementData store;
    store.Add_Measurement(TMeasurement{1, TVector3(0, 0, 0), TVector3(0, 0, 1), 1000.0});
    TVector3 diagonal(0, 1, 1);
    diagonal.Normal();
    store.Add_Measurement(TMeasurement{3, TVector3(100, 250.5, -20), diagonal, 500.0});

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const bool saved = store.Save_Data(path);
    QLocale::setDefault(QLocale::c());
    QVERIFY(saved);
    QCOMPARE(Read(path), example);

    TMeasurementData loaded;
    QVERIFY(loaded.Load_Data(path));
    QCOMPARE(Ids(loaded), (std::vector<int>{1, 3}));
    TMeasurement record{};
    QVERIFY(loaded.Get_Measurement(3, &record));
    QCOMPARE(record.position.y, 250.5);
    QCOMPARE(record.nominal_length, 500.0);
    QVERIFY(std::fabs(record.axis.y - diagonal.y) < 1e-12);
}

void TTestMeasurementFile::Empty_Store()
{
    TMeasurementData store;
    QVERIFY(store.Save_Data(path));
    QCOMPARE(Read(path), QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                    "<Curvalo_Measurement_Data File_Version=\"1\"/>\n"));
    store.Add_Measurement();
    QVERIFY(store.Load_Data(path));
    QVERIFY(Ids(store).empty());
}

void TTestMeasurementFile::Written_As_Its_Document_data()
{
    QTest::addColumn<std::vector<TMeasurement>>("records");

    const auto with = [](TMeasurement record, bool measured, bool temperature, int retest_of) {
        record.has_measured_length = measured;
        record.measured_length = record.nominal_length + 0.0013;
        record.has_temperature = temperature;
        record.temperature = 20.25;
        record.retest_of = retest_of;
        return record;
    };
    const TMeasurement plain{7, TVector3(1.5, -250.25, 3), TVector3(0, 0.6, 0.8), 650.0};
    QTest::newRow("no records") << std::vector<TMeasurement>();
    QTest::newRow("one") << std::vector<TMeasurement>{plain};
    QTest::newRow("every optional element")
        << std::vector<TMeasurement>{with(plain, true, false, 0), with(plain, false, true, 0),
                                     with(plain, false, false, 3), with(plain, true, true, 2)};
    // Numbers at the edges of what the digits show: signs, rounding, sizes, and values a
    // hostile file may have left in the store.
    const double edges[] = {-0.0,
                            5e-7,
                            -5e-7,
                            4.9999995e-7,
                            0.1234565,
                            999999.9999995,
                            1e300,
                            -1e300,
                            std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
    std::vector<TMeasurement> edge_records;
    int id = 1;
    for (const double &edge : edges) {
        TMeasurement record = with(
            TMeasurement{id++, TVector3(edge, 1, edge), TVector3(0, edge, 1), edge}, true, true, 0);
        record.measured_length = edge;
        record.temperature = -edge;
        edge_records.push_back(record);
    }
    QTest::newRow("edges") << edge_records;
    edge_records.back().id = std::numeric_limits<int>::max();
    edge_records.back().retest_of = std::numeric_limits<int>::max() - 1;
    QTest::newRow("the largest ids") << edge_records;

    QRandomGenerator random(31);
    std::vector<TMeasurement> random_records;
    for (int i = 1; i <= 2000; ++i) {
        const auto value = [&random]() {
            return (random.generateDouble() - 0.5) * std::pow(10.0, random.bounded(-9, 9));
        };
        random_records.push_back(with(TMeasurement{i, TVector3(value(), value(), value()),
                                                   TVector3(value(), value(), value()), value()},
                                      random.bounded(2) == 1, random.bounded(2) == 1,
                                      random.bounded(3) == 0 ? random.bounded(1, 2000) : 0));
        random_records.back().measured_length = value();
        random_records.back().temperature = value();
    }
    QTest::newRow("2000 random") << random_records;
}

// The file's bytes are the ones its document (built with the XML file's nodes and saved as
// that class saves) gives, whatever the records hold.
void TTestMeasurementFile::Written_As_Its_Document()
{
    QFETCH(std::vector<TMeasurement>, records);

    TXmlFile document;
    document.Reset("Curvalo_Measurement_Data", 1);
    for (const TMeasurement &record : records) {
        QDomElement node = document.Create_Node(document.Root_Node(), "Measurement");
        const auto add = [&document, &node](const QString &name, const QString &text) {
            QDomElement element = document.Create_Node(&node, name);
            document.Write_Text_Node(&element, text);
        };
        const auto fixed = [](const double &value, int decimals) {
            return QString::number(value, 'f', decimals);
        };
        const auto triple = [&fixed](const TVector3 &vector, int decimals) {
            return fixed(vector.x, decimals) + ',' + fixed(vector.y, decimals) + ',' +
                   fixed(vector.z, decimals);
        };
        add("Id", QString::number(record.id));
        add("Nominal_Length", fixed(record.nominal_length, 6));
        add("Position", triple(record.position, 6));
        add("Axis", triple(record.axis, 12));
        if (record.has_measured_length) {
            add("Measured_Length", fixed(record.measured_length, 6));
        }
        if (record.has_temperature) {
            add("Gauge_Temperature", fixed(record.temperature, 6));
        }
        if (record.retest_of > 0) {
            add("Retest_Of", QString::number(record.retest_of));
        }
    }
    QByteArray expected;
    document.Write_Data(&expected);

    QCOMPARE(TMeasurementData::File_Text(records), expected);
    QString error;
    QVERIFY2(TMeasurementData::Save_Records(path, records, &error), qPrintable(error));
    QCOMPARE(Read(path), expected);
}

void TTestMeasurementFile::Reader_Rules_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QVector<int>>("ids");
    QTest::addColumn<int>("dropped");

    const QStringList good{"1", "10", "0,0,0", "0,0,1"};
    QTest::newRow("declaration and empty root")
        << QByteArray("<?xml version=\"1.0\"?>\n<Curvalo_Measurement_Data File_Version=\"1\"/>")
        << true << "" << QVector<int>{} << 0;
    QTest::newRow("version 2") << File_With({good}, "2") << false
                               << "ERR:  File version not recognized" << QVector<int>{} << 0;
    QTest::newRow("version in letters")
        << File_With({good}, "one") << false << "ERR:  File version not recognized"
        << QVector<int>{} << 0;
    QTest::newRow("no version") << QByteArray("<Curvalo_Measurement_Data/>") << false
                                << "ERR:  The 'File_Version' attribute is missing."
                                << QVector<int>{} << 0;
    QTest::newRow("other root") << QByteArray("<Other File_Version=\"1\"/>") << false
                                << "ERR:  Identification 'Curvalo_Measurement_Data' does not "
                                   "match 'Other'"
                                << QVector<int>{} << 0;
    QTest::newRow("second position has two values")
        << File_With({good, {"2", "10", "1,2", "0,0,1"}}) << false
        << "ERR:  Measurement position must have three values" << QVector<int>{1} << 0;
    QTest::newRow("position with semicolons")
        << File_With({{"1", "10", "1;2;3", "0,0,1"}}) << false
        << "ERR:  Measurement position must have three values" << QVector<int>{} << 0;
    QTest::newRow("axis with four values")
        << File_With({{"1", "10", "0,0,0", "0,0,1,0"}}) << false
        << "ERR:  Measurement axis must have three values" << QVector<int>{} << 0;
    QTest::newRow("axis of zeros") << File_With({{"1", "10", "0,0,0", "0,0,0"}}) << false
                                   << "ERR:  Measurement axis not specified" << QVector<int>{} << 0;
    QTest::newRow("axis along x only")
        << File_With({{"1", "10", "0,0,0", "1,0,0"}}) << false
        << "ERR:  Measurement axis not specified" << QVector<int>{} << 0;
    QTest::newRow("axis not a number")
        << File_With({{"1", "10", "0,0,0", "0,nan,1"}}) << false
        << "ERR:  Measurement axis not specified" << QVector<int>{} << 0;
    QTest::newRow("axis infinite") << File_With({{"1", "10", "0,0,0", "0,inf,0"}}) << false
                                   << "ERR:  Measurement axis not specified" << QVector<int>{} << 0;
    QTest::newRow("repeated id") << File_With({good, {"1", "20", "0,0,0", "0,1,0"}}) << true << ""
                                 << QVector<int>{1} << 1;
    QTest::newRow("ids zero, negative, letters") << File_With({{"0", "1", "0,0,0", "0,0,1"},
                                                               {"-3", "1", "0,0,0", "0,0,1"},
                                                               {"abc", "1", "0,0,0", "0,0,1"},
                                                               {"4", "1", "0,0,0", "0,0,1"}})
                                                 << true << "" << QVector<int>{4} << 3;
    QTest::newRow("missing axis")
        << QByteArray("<Curvalo_Measurement_Data File_Version=\"1\"><Measurement><Id>1</Id>"
                      "<Nominal_Length>1</Nominal_Length><Position>0,0,0</Position>"
                      "</Measurement></Curvalo_Measurement_Data>")
        << false << "ERR:  Node 'Axis' is missing from node 'Measurement' and not optional."
        << QVector<int>{} << 0;
    QTest::newRow("missing nominal length, axis before it")
        << QByteArray("<Curvalo_Measurement_Data File_Version=\"1\"><Measurement><Id>1</Id>"
                      "<Axis>0,0,1</Axis><Position>0,0,0</Position><Retest_Of>1</Retest_Of>"
                      "</Measurement></Curvalo_Measurement_Data>")
        << false
        << "ERR:  Node 'Nominal_Length' is missing from node 'Measurement' and not optional."
        << QVector<int>{} << 0;
    QTest::newRow("empty id") << File_With({{"", "1", "0,0,0", "0,0,1"}}) << false
                              << "ERR:  Node Text for 'Id' is not optional." << QVector<int>{} << 0;
    QTest::newRow("comment ahead of the text")
        << File_With({{"<!-- x -->1", "1", "0,0,0", "0,0,1"}}) << false
        << "ERR:  Node Text for 'Id' is not optional." << QVector<int>{} << 0;
    QTest::newRow("any order, strangers ignored")
        << QByteArray("<Curvalo_Measurement_Data File_Version=\"1\" extra=\"x\"><Note/>"
                      "<Measurement kind=\"q\"><Axis>9,0,2</Axis><Position>1,2,3</Position>"
                      "<Remark>r</Remark><Id>5</Id><Nominal_Length>7</Nominal_Length>"
                      "<Id>6</Id></Measurement><Other><Measurement/></Other>"
                      "</Curvalo_Measurement_Data>")
        << true << "" << QVector<int>{5} << 0;
    QTest::newRow("breaks off") << QByteArray("<Curvalo_Measurement_Data File_Version=\"1\">\n<Me")
                                << false
                                << "ERR:  Reference file XML parse error at line 2 column " +
                                       QString::number(broken_column) + ": "
                                << QVector<int>{} << 0;
}

void TTestMeasurementFile::Reader_Rules()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, result);
    QFETCH(QString, error);
    QFETCH(QVector<int>, ids);
    QFETCH(int, dropped);

    Write(path, content);
    TMeasurementData store;
    store.Add_Measurement();
    store.Add_Measurement();
    QCOMPARE(store.Load_Data(path), result);
    if (error.endsWith(": ")) {
        QVERIFY2(store.Last_Error().startsWith(error), qPrintable(store.Last_Error()));
    } else {
        QCOMPARE(store.Last_Error(), error);
    }
    const std::vector<int> loaded = Ids(store);
    QCOMPARE(QVector<int>(loaded.begin(), loaded.end()), ids);
    QCOMPARE(store.Dropped_Records(), dropped);
    QCOMPARE(Read(path), content); // a load never touches the file
}

void TTestMeasurementFile::Reader_Values_data()
{
    QTest::addColumn<QString>("nominal");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("axis");
    QTest::addColumn<TVector3>("expected_position");
    QTest::addColumn<TVector3>("expected_axis");
    QTest::addColumn<double>("expected_nominal");
    QTest::newRow("3-4-5 axis") << "10"
                                << "1,2,3"
                                << "0,3,4" << TVector3(1, 2, 3) << TVector3(0, 0.6, 0.8) << 10.0;
    QTest::newRow("first axis value ignored") << "10"
                                              << "0,0,0"
                                              << "3,0,4" << TVector3() << TVector3(0, 0, 1) << 10.0;
    QTest::newRow("trailing comma") << "10"
                                    << "1,2,"
                                    << "0,0,1" << TVector3(1, 2, 0) << TVector3(0, 0, 1) << 10.0;
    QTest::newRow("letters read as zero")
        << "abc"
        << "x,2,y"
        << "0,-5,0" << TVector3(0, 2, 0) << TVector3(0, -1, 0) << 0.0;
}

void TTestMeasurementFile::Reader_Values()
{
    QFETCH(QString, nominal);
    QFETCH(QString, position);
    QFETCH(QString, axis);
    QFETCH(TVector3, expected_position);
    QFETCH(TVector3, expected_axis);
    QFETCH(double, expected_nominal);

    Write(path, File_With({{"2", nominal, position, axis}}));
    TMeasurementData store;
    QVERIFY(store.Load_Data(path));
    TMeasurement record{};
    QVERIFY(store.Get_Measurement(2, &record));
    QCOMPARE(record.nominal_length, expected_nominal);
    QCOMPARE(record.position.x, expected_position.x);
    QCOMPARE(record.position.y, expected_position.y);
    QCOMPARE(record.position.z, expected_position.z);
    QCOMPARE(record.axis.x, expected_axis.x);
    QCOMPARE(record.axis.y, expected_axis.y);
    QCOMPARE(record.axis.z, expected_axis.z);
}

void TTestMeasurementFile::Missing_File()
{
    TMeasurementData store;
    store.Add_Measurement();
    QVERIFY(!store.Load_Data(path));
    QVERIFY(Ids(store).empty());
    QCOMPARE(store.Last_Error(), QString("ERR:  Cannot open file '%1' for reading.").arg(path));
}

void TTestMeasurementFile::Round_Trip_Of_Random_Stores()
{
    QRandomGenerator random(4711);
    for (int round = 0; round < 50; ++round) {
        TMeasurementData store;
        const int count = random.bounded(12);
        for (int i = 0; i < count; ++i) {
            TVector3 axis(random.bounded(2.0) - 1, random.bounded(2.0) - 1,
                          random.bounded(2.0) - 1);
            if (std::sqrt(axis.y * axis.y + axis.z * axis.z) < 1e-3) {
                axis.z = 1;
            }
            axis.Normal();
            store.Add_Measurement(
                TMeasurement{1 + random.bounded(1000),
                             TVector3(random.bounded(4000.0) - 2000, random.bounded(4000.0) - 2000,
                                      random.bounded(4000.0) - 2000),
                             axis, random.bounded(3000.0)});
        }
        QVERIFY(store.Save_Data(path));
        TMeasurementData loaded;
        QVERIFY(loaded.Load_Data(path));
        QCOMPARE(Ids(loaded), Ids(store));

        for (const int id : Ids(store)) {
            TMeasurement saved{};
            TMeasurement read{};
            QVERIFY(store.Get_Measurement(id, &saved));
            QVERIFY(loaded.Get_Measurement(id, &read));
            const auto rounded = [](const double &value, int decimals) {
                return QString::number(value, 'f', decimals).toDouble();
            };
            QCOMPARE(read.nominal_length, rounded(saved.nominal_length, 6));
            QCOMPARE(read.position.x, rounded(saved.position.x, 6));
            QCOMPARE(read.position.y, rounded(saved.position.y, 6));
            QCOMPARE(read.position.z, rounded(saved.position.z, 6));
            // The axis loses its X and is scaled to unit length again.
            TVector3 axis(0, rounded(saved.axis.y, 12), rounded(saved.axis.z, 12));
            axis.Normal();
            QCOMPARE(read.axis.x, 0.0);
            QCOMPARE(read.axis.y, axis.y);
            QCOMPARE(read.axis.z, axis.z);
        }
    }
}

void TTestMeasurementFile::Write_Protected_File_Kept()
{
    if (geteuid() == 0) {
        QSKIP("root may write a read-only file, so the refusal cannot be provoked as root");
    }
    Write(path, "old content");
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
    TMeasurementData store;
    store.Add_Measurement();
    QVERIFY(!store.Save_Data(path));
    QCOMPARE(store.Last_Error(), QString("ERR:  Cannot open file '%1' for writing").arg(path));
    QCOMPARE(Read(path), QByteArray("old content"));
}

void TTestMeasurementFile::Failed_Write_Keeps_Old_File()
{
    Write(path, example);
    TMeasurementData store;
    for (int i = 0; i < 200; ++i) {
        store.Add_Measurement();
    }

    // Let the write fail for real: files may not grow beyond 64 bytes during the save.
    bool saved = true;
    {
        const TFileSizeLimit limit(64);
        saved = store.Save_Data(path);
    }

    QVERIFY(!saved);
    QVERIFY2(
        store.Last_Error().startsWith(QString("ERR:  Cannot write file '%1'.  Reason: ").arg(path)),
        qPrintable(store.Last_Error()));
    QCOMPARE(Read(path), example);
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files), QStringList{"measurements.xml"});

    // Afterwards the same save goes through.
    QVERIFY(store.Save_Data(path));
    TMeasurementData loaded;
    QVERIFY(loaded.Load_Data(path));
    QCOMPARE(Ids(loaded).size(), size_t(200));
}

void TTestMeasurementFile::Damaged_Files_Never_Crash()
{
    QRandomGenerator random(1207);
    const QList<QByteArray> tags{"<Measurement>", "</Measurement>", "<Id>",
                                 "</Id>",         "<Axis>",         "</Axis>",
                                 "<Position>",    "</Position>",    "<Nominal_Length>"};
    int failures = 0;
    for (int variant = 0; variant < 3000; ++variant) {
        QByteArray content = example;
        const int damages = 1 + random.bounded(4);
        for (int d = 0; d < damages; ++d) {
            switch (random.bounded(6)) {
            case 0:
                content.truncate(random.bounded(content.size() + 1));
                break;
            case 1:
                if (!content.isEmpty()) {
                    const int at = random.bounded(content.size());
                    content[at] = char(content.at(at) ^ (1 << random.bounded(8)));
                }
                break;
            case 2: {
                const QByteArray tag = tags[random.bounded(tags.size())];
                const int at = content.indexOf(tag);
                if (at >= 0) {
                    content.remove(at, tag.size());
                }
                break;
            }
            case 3: {
                const QByteArray tag = tags[random.bounded(tags.size())];
                const int at = content.indexOf(tag);
                if (at >= 0) {
                    content.insert(at, tag);
                }
                break;
            }
            case 4: {
                const int at = content.indexOf("1000.000000");
                if (at >= 0) {
                    content.replace(at, 11, random.bounded(2) ? QByteArray(400, '9') : "1e999");
                }
                break;
            }
            default: {
                const int at = content.indexOf("0.707106781187");
                if (at >= 0) {
                    content.replace(at, 14, random.bounded(2) ? "nan" : "-inf");
                }
                break;
            }
            }
        }
        Write(path, content);
        TMeasurementData store;
        if (!store.Load_Data(path)) {
            ++failures;
            QVERIFY2(store.Last_Error().startsWith("ERR:  "), qPrintable(store.Last_Error()));
        }
        for (const int id : Ids(store)) {
            QVERIFY(id > 0);
            TMeasurement record{};
            QVERIFY(store.Get_Measurement(id, &record));
            QVERIFY(std::fabs(std::sqrt(record.axis ^ record.axis) - 1.0) < 1e-12);
        }
        QCOMPARE(Read(path), content);
    }
    QVERIFY(failures > 1000);
}

void TTestMeasurementFile::Measured_Length_Round_Trip_data()
{
    QTest::addColumn<bool>("measured");
    QTest::addColumn<double>("length");
    QTest::newRow("not measured") << false << 0.0;
    QTest::newRow("measured") << true << 499.998731;
    QTest::newRow("measured zero") << true << 0.0;
    QTest::newRow("negative") << true << -12.5;
}

void TTestMeasurementFile::Measured_Length_Round_Trip()
{
    QFETCH(bool, measured);
    QFETCH(double, length);
    TMeasurementData store;
    Write(path, example);
    QVERIFY(store.Load_Data(path));
    TMeasurementData::TMeasurement record;
    QVERIFY(store.Get_Measurement(3, &record));
    record.has_measured_length = measured;
    record.measured_length = length;
    QVERIFY(store.Update_Measurement(record));
    QVERIFY(store.Save_Data(path));

    const QByteArray written = Read(path);
    if (!measured) {
        // Without measured lengths the file is exactly what it always was.
        QCOMPARE(written, example);
    } else {
        const QByteArray element = "<Axis>0.000000000000,0.707106781187,0.707106781187</Axis>\n"
                                   "        <Measured_Length>" +
                                   QByteArray::number(length, 'f', 6) +
                                   "</Measured_Length>\n    </Measurement>";
        QVERIFY2(written.contains(element), written.constData());
        QCOMPARE(written.count("<Measured_Length>"), 1);
    }

    TMeasurementData loaded;
    QVERIFY(loaded.Load_Data(path));
    QVERIFY(loaded.Load_Notes().isEmpty());
    TMeasurementData::TMeasurement read;
    QVERIFY(loaded.Get_Measurement(3, &read));
    QCOMPARE(read.has_measured_length, measured);
    QCOMPARE(read.measured_length, length);
    QVERIFY(loaded.Get_Measurement(1, &read));
    QVERIFY(!read.has_measured_length);
}

void TTestMeasurementFile::Measured_Length_That_Is_Not_A_Number_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("letters") << QByteArray("abc");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("not finite") << QByteArray("inf");
}

void TTestMeasurementFile::Measured_Length_That_Is_Not_A_Number()
{
    QFETCH(QByteArray, text);
    Write(path,
          QByteArray(example).replace("</Axis>\n    </Measurement>\n</Curvalo",
                                      "</Axis>\n        <Measured_Length>" + text +
                                          "</Measured_Length>\n    </Measurement>\n</Curvalo"));
    TMeasurementData store;
    QVERIFY(store.Load_Data(path));
    TMeasurementData::TMeasurement read;
    QVERIFY(store.Get_Measurement(3, &read));
    QVERIFY(!read.has_measured_length);
    // Read as not measured, and noted: a save would drop the text.
    QCOMPARE(store.Load_Notes().size(), 1);
    QVERIFY2(store.Load_Notes().first().contains("\"Measured_Length\" is not a number"),
             qPrintable(store.Load_Notes().first()));
}

QTEST_GUILESS_MAIN(TTestMeasurementFile)
#include "tst_measurementfile.moc"
