// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TTESTFILE_H
#define TTESTFILE_H

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class TTestDocument;

// One length test as a file of its own, "Curvalo_Test" version 1: the machine and the test,
// the model with the parameters and ranges in use, the MPE, and the measurements with their
// measured lengths. Every number is written in the shortest form that reads back as the same
// double, so that a test reopens exactly. A file is read whole or not at all: an element
// this version does not know (one a newer Curvalo wrote) refuses the file rather than being
// dropped at the next save.
class TTestFile
{
    Q_DECLARE_TR_FUNCTIONS(TTestFile)

public:
    static const char *const identification;

    // The file's bytes for the test as it stands.
    static QByteArray Data(const TTestDocument &document);
    // Reads the file into the document, replacing the test it held; false, with "file:
    // line N: what" in *error, and the document as it was, when the file cannot be read.
    static bool Read(const QString &file_name, TTestDocument *document, QString *error);
    // True when the data begin as a test file does, for telling it from a measurement file.
    static bool Is_Test_File(const QByteArray &data);
};

#endif
