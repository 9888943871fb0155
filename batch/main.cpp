// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>

#include "batchtool.h"

int main(int argc, char **argv)
{
    // Beyond the file size limit a write fails with its reason instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    // With standard output closed, the first file the tool opens would become it; a read-only
    // /dev/null there makes every write to standard output fail, as it should.
    if (fcntl(STDOUT_FILENO, F_GETFD) == -1) {
        open("/dev/null", O_RDONLY);
    }
    // Drawing needs Qt's GUI; without a display it draws on the offscreen platform.
    const bool draws =
        argc > 1 && (std::strcmp(argv[1], "render") == 0 || std::strcmp(argv[1], "report") == 0);
    if (draws && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    std::unique_ptr<QCoreApplication> application(draws ? new QGuiApplication(argc, argv)
                                                        : new QCoreApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("curvalo-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CURVALO_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    TBatchTool tool(&out, &err);
    return tool.Run(QCoreApplication::arguments());
}
