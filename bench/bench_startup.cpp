// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <algorithm>
#include <vector>

#include "lengthtesthome.h"

// Times start-up to the first paint: Curvalo with an empty ~/.curvalo and with 1,000
// measurements, against a bare main window with a menu bar, a tool bar and an empty central
// widget. All three are started as processes, interleaved, 15 times each; each ends itself
// right after its first paint. Then start-up to the first paint with 100,000 measurements,
// within 2 s, and the memory the window holds once it has settled with them against none: at
// most about 1 KiB a measurement. The measurements are a length test's.
class TBenchStartup : public QObject
{
    Q_OBJECT

private slots:
    void Ratios();

private:
    // Launch to exit after the first paint (ns); the home folder is HOME for the process.
    static qint64 Run(const QString &program, const QString &home);
    // The resident memory (KiB) of the program started on the home folder once it has
    // settled: it changed by less than 1 % over two seconds, at most half a minute after start.
    static qint64 Settled_Memory_KiB(const QString &program, const QString &home);
    static qint64 Resident_KiB(qint64 pid);
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

qint64 TBenchStartup::Resident_KiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    return -1;
}

qint64 TBenchStartup::Settled_Memory_KiB(const QString &program, const QString &home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    if (!environment.contains(QStringLiteral("DISPLAY"))) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    process.setProcessEnvironment(environment);
    process.start(program, QStringList());
    if (!process.waitForStarted()) {
        qFatal("%s did not start", qPrintable(program));
    }
    std::vector<qint64> samples;
    QElapsedTimer timer;
    timer.start();
    const size_t window = 8; // samples 250 ms apart
    while (timer.elapsed() < 30000) {
        QThread::msleep(250);
        samples.push_back(Resident_KiB(process.processId()));
        if (samples.back() < 0) {
            qFatal("%s ended before its memory settled", qPrintable(program));
        }
        if (timer.elapsed() > 1000 && samples.size() >= window) {
            const auto last = samples.end() - std::ptrdiff_t(window);
            const auto [low, high] = std::minmax_element(last, samples.end());
            if (*high - *low < *high / 100) {
                break;
            }
        }
    }
    process.kill();
    process.waitForFinished();
    return samples.back();
}

void TBenchStartup::Ratios()
{
    const QString directory = QCoreApplication::applicationDirPath();
    const QString bare = directory + QStringLiteral("/barewindow");
    const QString curvalo = QStringLiteral(CURVALO_EXECUTABLE);

    QTemporaryDir empty_home;
    const auto full_home = Length_Test_Home(1000);

    std::vector<qint64> times[3];
    for (int round = 0; round < 16; ++round) {
        QTemporaryDir bare_home;
        QTemporaryDir fresh_home;
        const qint64 figures[3] = {Run(bare, bare_home.path()), Run(curvalo, fresh_home.path()),
                                   Run(curvalo, full_home->path())};
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
    qInfo().noquote() << QStringLiteral("ratios to the bare window: empty %1, 1,000 "
                                        "measurements %2")
                             .arg(double(medians[1]) / medians[0], 0, 'f', 2)
                             .arg(double(medians[2]) / medians[0], 0, 'f', 2);

    // The window with a long test is shown within 2 s.
    const auto long_home = Length_Test_Home(100000);
    std::vector<qint64> long_times;
    for (int round = 0; round < 6; ++round) {
        const qint64 time = Run(curvalo, long_home->path());
        if (round > 0) {
            long_times.push_back(time);
        }
    }
    std::sort(long_times.begin(), long_times.end());
    qInfo().noquote() << QStringLiteral("Curvalo, 100,000 measurements: median %1 ms, minimum %2 "
                                        "ms (goal < 2000)")
                             .arg(long_times[long_times.size() / 2] / 1e6, 0, 'f', 1)
                             .arg(long_times.front() / 1e6, 0, 'f', 1);

    QTemporaryDir no_home;
    const qint64 empty_kib = Settled_Memory_KiB(curvalo, no_home.path());
    const qint64 long_kib = Settled_Memory_KiB(curvalo, long_home->path());
    qInfo().noquote() << QStringLiteral("memory once settled: empty ~/.curvalo %1 MiB, 100,000 "
                                        "measurements %2 MiB: %3 KiB a measurement (goal about 1)")
                             .arg(empty_kib / 1024.0, 0, 'f', 1)
                             .arg(long_kib / 1024.0, 0, 'f', 1)
                             .arg((long_kib - empty_kib) / 100000.0, 0, 'f', 2);
}

QTEST_GUILESS_MAIN(TBenchStartup)
#include "bench_startup.moc"
