// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <vector>

#include "measurementdata.h"

// Times start-up to the first paint: Curvalo with an empty ~/.curvalo and with 1,000
// measurements, against a bare main window with a menu bar, a tool bar and an empty central
// widget. All three are started as processes, interleaved, 15 times each; each ends itself
// right after its first paint. Goals: at most 1.15 and 1.3 times the bare window.
class TBenchStartup : public QObject
{
    Q_OBJECT

private slots:
    void Ratios();

private:
    // Launch to exit after the first paint (ns); the home folder is HOME for the process.
    static qint64 Run(const QString &program, const QString &home);
};

qint64 TBenchStartup::Run(const QString &program, const QString &home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("CURVALO_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
    if (!environment.contains(QStringLiteral("DISPLAY"))) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(program, QStringList());
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qFatal("%s did not end after its first paint", qPrintable(program));
    }
    return timer.nsecsElapsed();
}

void TBenchStartup::Ratios()
{
    const QString directory = QCoreApplication::applicationDirPath();
    const QString bare = directory + QStringLiteral("/barewindow");
    const QString curvalo = QStringLiteral(CURVALO_EXECUTABLE);

    QTemporaryDir empty_home;
    QTemporaryDir full_home;
    QDir(full_home.path()).mkpath(QStringLiteral(".curvalo"));
    TMeasurementData data;
    QRandomGenerator random(9);
    for (int id = 1; id <= 1000; ++id) {
        data.Add_Measurement(TMeasurementData::TMeasurement{
            id, TVector3(0, random.bounded(1000.0), random.bounded(1000.0)), TVector3(0, 1, 0),
            100.0});
    }
    QVERIFY(data.Save_Data(full_home.filePath(QStringLiteral(".curvalo/measurements.xml"))));

    std::vector<qint64> times[3];
    for (int round = 0; round < 16; ++round) {
        QTemporaryDir bare_home;
        QTemporaryDir fresh_home;
        const qint64 figures[3] = {Run(bare, bare_home.path()), Run(curvalo, fresh_home.path()),
                                   Run(curvalo, full_home.path())};
        // The first round warms the caches and is not counted.
        for (int i = 0; round > 0 && i < 3; ++i) {
            times[i].push_back(figures[i]);
        }
    }
    qint64 medians[3];
    const char *names[3] = {"bare main window", "Curvalo, empty ~/.curvalo",
                            "Curvalo, 1,000 measurements"};
    for (int i = 0; i < 3; ++i) {
        std::sort(times[i].begin(), times[i].end());
        medians[i] = times[i][times[i].size() / 2];
        qInfo().noquote() << QStringLiteral("%1: median %2 ms, minimum %3 ms")
                                 .arg(QLatin1String(names[i]))
                                 .arg(medians[i] / 1e6, 0, 'f', 1)
                                 .arg(times[i].front() / 1e6, 0, 'f', 1);
    }
    qInfo().noquote() << QStringLiteral("ratios to the bare window: empty %1 (goal <= 1.15), "
                                        "1,000 measurements %2 (goal <= 1.3)")
                             .arg(double(medians[1]) / medians[0], 0, 'f', 2)
                             .arg(double(medians[2]) / medians[0], 0, 'f', 2);
}

QTEST_GUILESS_MAIN(TBenchStartup)
#include "bench_startup.moc"
