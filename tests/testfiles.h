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

#endif
