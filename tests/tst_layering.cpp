// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

#include "testfiles.h"

// The headless library stands on its own: a program that links it alone reads a measurement
// file and computes what the deflected machine reports, and needs neither Qt Gui nor Widgets.
class TTestLayering : public QObject
{
    Q_OBJECT

private slots:
    void Headless_Program_Computes_Actual_Length();
    void Headless_Program_Needs_No_Gui();
    void Includes_Stay_In_Their_Layer_data();
    void Includes_Stay_In_Their_Layer();
};

void TTestLayering::Headless_Program_Computes_Actual_Length()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString file = folder.filePath("measurements.xml");
    Write(file, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                "<Curvalo_Measurement_Data File_Version=\"1\">\n"
                "    <Measurement>\n"
                "        <Id>4</Id>\n"
                "        <Nominal_Length>1000.000000</Nominal_Length>\n"
                "        <Position>0.000000,500.000000,500.000000</Position>\n"
                "        <Axis>0.000000000000,1.000000000000,0.000000000000</Axis>\n"
                "    </Measurement>\n"
                "</Curvalo_Measurement_Data>\n");

    QProcess probe;
    probe.start(QStringLiteral(CURVALO_LAYERING_PROBE), {file});
    QVERIFY(probe.waitForFinished(30000));
    QCOMPARE(probe.exitCode(), 0);
    const QStringList fields =
        QString::fromUtf8(probe.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
    QCOMPARE(fields.size(), 2);
    QCOMPARE(fields[0], QStringLiteral("4"));
    // The worked example: the Generic model's Init presets on a 1000 mm volume.
    QVERIFY2(qAbs(fields[1].toDouble() - 999.982501751972) < 1e-9, qPrintable(fields[1]));
}

void TTestLayering::Headless_Program_Needs_No_Gui()
{
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"),
                  {QStringLiteral("-d"), QStringLiteral(CURVALO_LAYERING_PROBE)});
    if (!readelf.waitForStarted()) {
        QSKIP("readelf is not installed");
    }
    QVERIFY(readelf.waitForFinished());
    QCOMPARE(readelf.exitCode(), 0);

    const QString output = QString::fromLocal8Bit(readelf.readAllStandardOutput());
    QStringList needed;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral(R"(\(NEEDED\)\s+Shared library: \[([^\]]*)\])"))
            .globalMatch(output);
    while (it.hasNext()) {
        needed << it.next().captured(1);
    }
    const QString core = QStringLiteral("libQt%1Core.so.%1").arg(QT_VERSION_MAJOR);
    QVERIFY2(needed.contains(core), qPrintable(needed.join(' ')));
    for (const QString &library : needed) {
        QVERIFY2(!library.contains(QStringLiteral("Gui")) &&
                     !library.contains(QStringLiteral("Widgets")),
                 qPrintable(library));
    }
}

void TTestLayering::Includes_Stay_In_Their_Layer_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("below");
    QTest::newRow("headless") << "core" << QStringList();
    QTest::newRow("painting") << "paint" << QStringList{"core"};
    QTest::newRow("undo commands") << "commands" << QStringList{"core"};
    QTest::newRow("widgets") << "widgets" << QStringList{"core", "paint", "commands"};
    QTest::newRow("program") << "src" << QStringList{"core", "paint", "commands", "widgets"};
    QTest::newRow("batch tool") << "batch" << QStringList{"core", "paint"};
}

// Every header a folder's files include lies in that folder or in a layer below it. The
// include paths of the CMake targets enforce the same, so that a header from above does not
// even compile; this names the offending line.
void TTestLayering::Includes_Stay_In_Their_Layer()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, below);
    const QDir root(QStringLiteral(CURVALO_SOURCE_DIR));
    const QStringList allowed = QStringList{folder} + below;
    const QDir own(root.filePath(folder));
    const QStringList files = own.entryList({"*.h", "*.cpp"}, QDir::Files);
    QVERIFY(!files.isEmpty());
    const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s+"([^"]+)")re"));
    for (const QString &name : files) {
        QFile file(own.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        int number = 0;
        while (!file.atEnd()) {
            ++number;
            const QRegularExpressionMatch match = include.match(QString::fromUtf8(file.readLine()));
            if (!match.hasMatch()) {
                continue;
            }
            const QString header = match.captured(1);
            const bool found =
                std::any_of(allowed.begin(), allowed.end(), [&root, &header](const QString &dir) {
                    return QFileInfo::exists(root.filePath(dir + QLatin1Char('/') + header));
                });
            QVERIFY2(found, qPrintable(QStringLiteral("%1/%2:%3 includes \"%4\" from above")
                                           .arg(folder, name)
                                           .arg(number)
                                           .arg(header)));
        }
    }
}

QTEST_GUILESS_MAIN(TTestLayering)
#include "tst_layering.moc"
