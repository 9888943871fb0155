#include "filewriter.h"

#include <QFileInfo>
#include <QSaveFile>

TFileWriter::TResult TFileWriter::Write(const QString &file_name, const QByteArray &data,
                                        QString *reason)
{
    Q_ASSERT(reason);
    const QFileInfo info(file_name);
    // Writing through a link whose target is missing would create a file somewhere else.
    if (info.isSymLink() && !info.exists()) {
        *reason =
            QStringLiteral("it is a link to '%1', which does not exist").arg(info.symLinkTarget());
        return WRITE_FAILED;
    }
    // The rename would replace even a write-protected file.
    if (info.exists() && !info.isWritable()) {
        *reason = QStringLiteral("the file is write-protected");
        return PROTECTED;
    }

    QSaveFile file(file_name);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return WRITE_FAILED;
    }
    if (file.write(data) != data.size() || !file.commit()) {
        *reason = file.errorString();
        file.cancelWriting();
        return WRITE_FAILED;
    }
    return WRITTEN;
}
