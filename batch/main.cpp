#include <QCoreApplication>
#include <QTextStream>

#include "batchtool.h"

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("curvalo-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CURVALO_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    TBatchTool tool(&out, &err);
    return tool.Run(QCoreApplication::arguments());
}
