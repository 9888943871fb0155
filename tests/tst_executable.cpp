// SPDX-License-Identifier: GPL-3.0-or-later
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

// Checks the built program's dynamic section: private libraries may come only from the folder
// beside the executable, never from a folder relative to the working directory.
class TTestExecutable : public QObject
{
    Q_OBJECT

private slots:
    void Library_Search_Path();
};

void TTestExecutable::Library_Search_Path()
{
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"),
                  {QStringLiteral("-d"), QStringLiteral(CURVALO_EXECUTABLE)});
    if (!readelf.waitForStarted()) {
        QSKIP("readelf is not installed");
    }
    QVERIFY(readelf.waitForFinished());
    QCOMPARE(readelf.exitCode(), 0);

    const QString output = QString::fromLocal8Bit(readelf.readAllStandardOutput());
    const QRegularExpression entry(
        QStringLiteral(R"(\((RPATH|RUNPATH)\)\s+Library r\w*path: \[([^\]]*)\])"));
    QStringList paths;
    QRegularExpressionMatchIterator it = entry.globalMatch(output);
    while (it.hasNext()) {
        paths += it.next().captured(2).split(QLatin1Char(':'));
    }
    QCOMPARE(paths, QStringList{QStringLiteral("$ORIGIN/qtlibs")});
    for (const QString &path : paths) {
        QVERIFY2(path.startsWith(QLatin1Char('/')) || path.startsWith(QLatin1String("$ORIGIN")),
                 qPrintable(path));
    }
}

QTEST_GUILESS_MAIN(TTestExecutable)
#include "tst_executable.moc"
