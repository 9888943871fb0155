// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "evaluation.h"
#include "measurementsetfile.h"
#include "messagetext.h"
#include "resultsfile.h"
#include "testfiles.h"

Q_DECLARE_METATYPE(std::vector<int>)

// Measurement sets read from CSV and XML files, and added to the store.
class TTestMeasurementSetFile : public QObject
{
    Q_OBJECT

private slots:
    void Good_Csv_data();
    void Good_Csv();
    void Bad_Csv_Imports_Nothing_data();
    void Bad_Csv_Imports_Nothing();
    void Error_List_Is_Limited();
    void Csv_Round_Trip();
    void Xml_File();
    void Add_Keeps_Free_Ids();
    void Temperatures_And_Retests();
    void Retests_Follow_Their_Results_data();
    void Retests_Follow_Their_Results();
};

void TTestMeasurementSetFile::Good_Csv_data()
{
    QTest::addColumn<QByteArray>("content");
    // Any column order, quoted cells, columns we do not know, an empty line.
    QTest::newRow("commas") << QByteArray(
        "axis_z,comment,position_y_mm,nominal_length_mm,axis_y,position_z_mm,measured_length_mm\r\n"
        "0,\"first\",500,1000,1,500,999.98\r\n"
        "\r\n"
        "3,x,250.5,\"300\",4,100,\r\n");
    // As a spreadsheet writes it in a German locale.
    QTest::newRow("semicolons and decimal commas") << QByteArray(
        "axis_z;comment;position_y_mm;nominal_length_mm;axis_y;position_z_mm;measured_length_mm\r\n"
        "0;\"first\";500;1000;1;500;999,98\r\n"
        "\r\n"
        "3;x;250,5;\"300\";4;100;\r\n");
}

void TTestMeasurementSetFile::Good_Csv()
{
    QFETCH(QByteArray, content);
    const TMeasurementSetFile::TImport import = TMeasurementSetFile::Read_Csv(content);
    QVERIFY2(import.ok, qPrintable(import.errors.join('\n')));
    QCOMPARE(import.measurements.size(), size_t(2));
    const TMeasurementData::TMeasurement &first = import.measurements[0];
    QCOMPARE(first.id, 0);
    QCOMPARE(first.nominal_length, 1000.0);
    QCOMPARE(first.position.y, 500.0);
    QCOMPARE(first.axis.y, 1.0);
    QVERIFY(first.has_measured_length);
    QCOMPARE(first.measured_length, 999.98);
    const TMeasurementData::TMeasurement &second = import.measurements[1];
    QCOMPARE(second.position.y, 250.5);
    QCOMPARE(second.axis.y, 0.8);
    QCOMPARE(second.axis.z, 0.6);
    QVERIFY(!second.has_measured_length);
}

void TTestMeasurementSetFile::Bad_Csv_Imports_Nothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("errors");
    const QByteArray header = "nominal_length_mm,position_y_mm,position_z_mm,axis_y,axis_z\n";
    QTest::newRow("not a number") << header + "100,1,2,1,0\n100,abc,2,1,0\n"
                                  << QStringList{
                                         "line 3: \"position_y_mm\" is not a number: \"abc\""};
    QTest::newRow("axis of zero length") << header + "100,1,2,0,0\n"
                                         << QStringList{"line 2: the axis has no length"};
    QTest::newRow("wrong column count")
        << header + "100,1,2,1\n100,1,2,1,0,7\n"
        << QStringList{"line 2: 4 columns instead of 5", "line 3: 6 columns instead of 5"};
    QTest::newRow("not finite") << header + "inf,1,2,1,0\n"
                                << QStringList{"line 2: \"nominal_length_mm\" is not a number: "
                                               "\"inf\""};
    QTest::newRow("missing column")
        << QByteArray("nominal_length_mm,position_y_mm,axis_y,axis_z\n100,1,1,0\n")
        << QStringList{"line 1: the header has no column \"position_z_mm\""};
    QTest::newRow("bad id") << "id," + header + "-2,100,1,2,1,0\n"
                            << QStringList{"line 2: \"id\" is not a positive whole number: \"-2\""};
    QTest::newRow("empty") << QByteArray("\n\n") << QStringList{"The file is empty."};
    QTest::newRow("a NUL byte") << header + "100,1,2,1,0\n100,1,2,1,0\n" + QByteArray(1, '\0') +
                                       "100,1,2,1,0\n100,1,2,1,0\n"
                                << QStringList{"line 4: a NUL byte: this is not a text file"};
    QTest::newRow("a column named twice")
        << "axis_y," + header + "0,100,1,2,1,0\n"
        << QStringList{"line 1: the header names the column \"axis_y\" twice"};
    QTest::newRow("a zero length") << header + "0,1,2,1,0\n"
                                   << QStringList{"line 2: \"nominal_length_mm\" must be greater "
                                                  "than 0: \"0\""};
    QTest::newRow("a negative length") << header + "-200,1,2,1,0\n"
                                       << QStringList{"line 2: \"nominal_length_mm\" must be "
                                                      "greater than 0: \"-200\""};
    QTest::newRow("tabs between the columns")
        << QByteArray("nominal_length_mm\tposition_y_mm\tposition_z_mm\taxis_y\taxis_z\n")
        << QStringList{"line 1: the header separates its columns with \"\\t\"; a CSV file "
                       "takes \",\" or \";\""};
    QTest::newRow("a megabyte cell")
        << header + "100," + QByteArray(1 << 20, '7') + "x,2,1,0\n"
        << QStringList{"line 2: \"position_y_mm\" is not a number: \"" + QString(79, '7') +
                       QChar(0x2026) + "\""};
    const QByteArray extended =
        "id,nominal_length_mm,position_y_mm,position_z_mm,axis_y,axis_z,gauge_temperature_c,"
        "retest_of\n";
    QTest::newRow("a temperature that is not one")
        << extended + "1,100,1,2,1,0,warm,\n"
        << QStringList{"line 2: \"gauge_temperature_c\" is not a usable temperature: \"warm\""};
    QTest::newRow("below absolute zero")
        << extended + "1,100,1,2,1,0,-280,\n"
        << QStringList{"line 2: \"gauge_temperature_c\" is not a usable temperature: \"-280\""};
    QTest::newRow("a retest of no id")
        << extended + "1,100,1,2,1,0,,first\n2,100,1,2,1,0,,0\n"
        << QStringList{"line 2: \"retest_of\" is not the id of a measurement: \"first\"",
                       "line 3: \"retest_of\" is not the id of a measurement: \"0\""};
    QTest::newRow("beyond any field") << header + "100,1e308,2,1,0\n"
                                      << QStringList{"line 2: \"position_y_mm\" is not a "
                                                     "number: \"1e308\""};
}

void TTestMeasurementSetFile::Bad_Csv_Imports_Nothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, errors);
    const TMeasurementSetFile::TImport import = TMeasurementSetFile::Read_Csv(content);
    QVERIFY(!import.ok);
    QVERIFY(import.measurements.empty());
    QCOMPARE(import.errors, errors);
}

void TTestMeasurementSetFile::Error_List_Is_Limited()
{
    QByteArray content = "nominal_length_mm,position_y_mm,position_z_mm,axis_y,axis_z\n";
    for (int i = 0; i < 25; ++i) {
        content += "x,1,2,1,0\n";
    }
    const TMeasurementSetFile::TImport import = TMeasurementSetFile::Read_Csv(content);
    QCOMPARE(import.errors.size(), TMessageText::problem_limit + 1);
    QVERIFY(import.errors.first().startsWith("line 2: "));
    QCOMPARE(import.errors.last(), QString("and 5 more"));
}

void TTestMeasurementSetFile::Csv_Round_Trip()
{
    TMeasurementData data;
    TMeasurementData::TMeasurement measurement{7, TVector3(0, 123.456789, -20.5),
                                               TVector3(0, 0.6, 0.8), 333.333};
    measurement.has_measured_length = true;
    measurement.measured_length = 333.3317;
    data.Add_Measurement(measurement);
    data.Add_Measurement(
        TMeasurementData::TMeasurement{2, TVector3(0, 1, 2), TVector3(0, 0, 1), 50.0});
    const QByteArray csv = TResultsFile::Csv(TEvaluation::Evaluate_All(nullptr, data, TMpe()));

    const TMeasurementSetFile::TImport import = TMeasurementSetFile::Read_Csv(csv);
    QVERIFY2(import.ok, qPrintable(import.errors.join('\n')));
    QCOMPARE(import.measurements.size(), size_t(2));
    const TMeasurementData::TMeasurement &read = import.measurements[0];
    // The shortest round-trip texts give back every bit.
    QCOMPARE(read.id, 7);
    QCOMPARE(read.nominal_length, 333.333);
    QCOMPARE(read.position.y, 123.456789);
    QCOMPARE(read.position.z, -20.5);
    QCOMPARE(read.axis.y, 0.6);
    QCOMPARE(read.axis.z, 0.8);
    QCOMPARE(read.measured_length, 333.3317);
    QVERIFY(!import.measurements[1].has_measured_length);
}

void TTestMeasurementSetFile::Xml_File()
{
    QTemporaryDir folder;
    const QString good = folder.filePath("set.xml");
    TMeasurementData data;
    data.Add_Measurement(
        TMeasurementData::TMeasurement{4, TVector3(0, 10, 20), TVector3(0, 1, 0), 100.0});
    QVERIFY(data.Save_Data(good));
    TMeasurementSetFile::TImport import = TMeasurementSetFile::Read(good);
    QVERIFY(import.ok);
    QCOMPARE(import.measurements.size(), size_t(1));
    QCOMPARE(import.measurements[0].id, 4);

    const QString bad = folder.filePath("bad.xml");
    Write(bad, Read(good).replace("<Nominal_Length>100.000000", "<Nominal_Length>1OO"));
    import = TMeasurementSetFile::Read(bad);
    QVERIFY(!import.ok);
    QVERIFY(import.measurements.empty());
    QVERIFY2(import.errors.first().contains("\"Nominal_Length\" is not a number"),
             qPrintable(import.errors.join('\n')));
    QVERIFY(!TMeasurementSetFile::Read(folder.filePath("missing.csv")).ok);
}

void TTestMeasurementSetFile::Add_Keeps_Free_Ids()
{
    TMeasurementData data;
    data.Add_Measurement(TMeasurementData::TMeasurement{1, TVector3(), TVector3(0, 0, 1), 10.0});
    const std::vector<TMeasurementData::TMeasurement> incoming{
        {1, TVector3(), TVector3(0, 1, 0), 20.0},
        {5, TVector3(), TVector3(0, 1, 0), 30.0},
        {0, TVector3(), TVector3(0, 1, 0), 40.0}};
    QCOMPARE(TMeasurementSetFile::Add(incoming, false, &data), (std::vector<int>{2, 5, 3}));
    QCOMPARE(data.Get_Measurement_Ids(), (std::vector<int>{1, 2, 5, 3}));
    QCOMPARE(TMeasurementSetFile::Add(incoming, true, &data), (std::vector<int>{1, 5, 2}));
    QCOMPARE(data.Measurements().size(), size_t(3));
}

// What the results CSV writes with conditions reads back: each gauge's own temperature (a
// column a spreadsheet may add) and which result a retest repeats.
void TTestMeasurementSetFile::Temperatures_And_Retests()
{
    const TMeasurementSetFile::TImport import = TMeasurementSetFile::Read_Csv(
        "id;nominal_length_mm;position_y_mm;position_z_mm;axis_y;axis_z;gauge_temperature_c;"
        "retest_of\n"
        "4;100;1;2;1;0;21,35;\n"
        "9;100;1;2;1;0;;4\n");
    QVERIFY2(import.ok, qPrintable(import.errors.join('\n')));
    QCOMPARE(import.measurements.size(), size_t(2));
    QVERIFY(import.measurements[0].has_temperature);
    QCOMPARE(import.measurements[0].temperature, 21.35);
    QCOMPARE(import.measurements[0].retest_of, 0);
    QVERIFY(!import.measurements[1].has_temperature);
    QCOMPARE(import.measurements[1].temperature, 20.0);
    QCOMPARE(import.measurements[1].retest_of, 4);

    TMeasurementData data;
    TMeasurementData::TMeasurement retest{3, TVector3(), TVector3(0, 0, 1), 100.0};
    retest.retest_of = 1;
    data.Add_Measurement(retest);
    const QByteArray csv =
        TResultsFile::Csv(TEvaluation::Evaluate_All(nullptr, data, TMpe()), true);
    const TMeasurementSetFile::TImport again = TMeasurementSetFile::Read_Csv(csv);
    QVERIFY2(again.ok, qPrintable(again.errors.join('\n')));
    QCOMPARE(again.measurements[0].retest_of, 1);
}

void TTestMeasurementSetFile::Retests_Follow_Their_Results_data()
{
    QTest::addColumn<bool>("replace");
    QTest::addColumn<std::vector<int>>("ids");
    QTest::addColumn<std::vector<int>>("retest_of");
    // Added to a store that holds 1 and 2: the file's 1 and 2 get 3 and 4, and their retests
    // follow them; a retest of 7, which the file does not hold, keeps its id.
    QTest::newRow("added") << false << std::vector<int>{3, 4, 5, 6, 8}
                           << std::vector<int>{0, 0, 3, 4, 7};
    QTest::newRow("replacing") << true << std::vector<int>{1, 2, 5, 6, 8}
                               << std::vector<int>{0, 0, 1, 2, 7};
}

void TTestMeasurementSetFile::Retests_Follow_Their_Results()
{
    QFETCH(bool, replace);
    QFETCH(std::vector<int>, ids);
    QFETCH(std::vector<int>, retest_of);
    TMeasurementData data;
    data.Add_Measurement(TMeasurementData::TMeasurement{1, TVector3(), TVector3(0, 0, 1), 10.0});
    data.Add_Measurement(TMeasurementData::TMeasurement{2, TVector3(), TVector3(0, 0, 1), 10.0});
    std::vector<TMeasurementData::TMeasurement> incoming;
    const int file_ids[] = {1, 2, 5, 6, 8};
    const int file_retests[] = {0, 0, 1, 2, 7};
    for (int i = 0; i < 5; ++i) {
        incoming.push_back({file_ids[i], TVector3(), TVector3(0, 1, 0), 20.0});
        incoming.back().retest_of = file_retests[i];
    }
    QCOMPARE(TMeasurementSetFile::Add(incoming, replace, &data), ids);
    for (size_t i = 0; i < ids.size(); ++i) {
        TMeasurementData::TMeasurement added;
        QVERIFY(data.Get_Measurement(ids[i], &added));
        QCOMPARE(added.retest_of, retest_of[i]);
    }
}

QTEST_GUILESS_MAIN(TTestMeasurementSetFile)
#include "tst_measurementsetfile.moc"
