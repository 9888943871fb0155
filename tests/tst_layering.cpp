// SPDX-License-Identifier: GPL-3.0-or-later
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "testfiles.h"

// The headless library stands on its own: a program that links it alone reads a measurement
// file and computes what the deflected machine reports, and needs neither Qt Gui nor Widgets.
class TTestLayering : public QObject
{
    Q_OBJECT

private slots:
    void Headless_Program_Computes_Actual_Length();
    void Headless_Program_Needs_No_Gui();
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

QTEST_GUILESS_MAIN(TTestLayering)
#include "tst_layering.moc"
