// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TESTFILES_H
#define TESTFILES_H

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

// Whole-file reading and writing for the tests that prepare and check files on disk.
inline QByteArray Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void Write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(content), qint64(content.size()));
}

// A measurement file of two records, in the order 2, 1, as the program writes it.
const QByteArray two_records = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                               "<Curvalo_Measurement_Data File_Version=\"1\">\n"
                               "    <Measurement>\n"
                               "        <Id>2</Id>\n"
                               "        <Nominal_Length>500.000000</Nominal_Length>\n"
                               "        <Position>0.000000,250.000000,400.000000</Position>\n"
                               "        <Axis>0.000000000000,1.000000000000,0.000000000000</Axis>\n"
                               "    </Measurement>\n"
                               "    <Measurement>\n"
                               "        <Id>1</Id>\n"
                               "        <Nominal_Length>300.000000</Nominal_Length>\n"
                               "        <Position>0.000000,500.000000,100.000000</Position>\n"
                               "        <Axis>0.000000000000,0.000000000000,1.000000000000</Axis>\n"
                               "    </Measurement>\n"
                               "</Curvalo_Measurement_Data>\n";

#endif
