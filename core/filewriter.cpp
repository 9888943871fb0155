// SPDX-License-Identifier: GPL-3.0-or-later
#include "filewriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

TFileWriter::TResult TFileWriter::Write(const QString &file_name, const QByteArray &data,
                                        QString *reason)
{
    Q_ASSERT(reason);
    const QFileInfo info(file_name);
    // Writing through a link whose target is missing would create a file somewhere else.
    if (info.isSymLink() && !info.exists()) {
        *reason = tr("it is a link to '%1', which does not exist").arg(info.symLinkTarget());
        return WRITE_FAILED;
    }
    if (info.isDir()) {
        *reason = tr("it is a folder");
        return WRITE_FAILED;
    }
    // The rename would replace even a write-protected file.
    if (info.exists() && !info.isWritable()) {
        *reason = tr("the file is write-protected");
        return PROTECTED;
    }
    // A device, a pipe or a socket (/dev/null, /dev/stdout into a pipe) is written in place:
    // renaming a temporary file over it would put a regular file where the device node was.
    if (info.exists() && !info.isFile()) {
        return Write_In_Place(file_name, data, reason);
    }

    // Unbuffered: a buffered QSaveFile writes its buffer only while committing, and a failure
    // there (a full disk) would go unnoticed and commit a truncated file.
    QSaveFile file(file_name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *reason = file.errorString();
        return WRITE_FAILED;
    }
    if (!Write_All(&file, data, reason)) {
        file.cancelWriting();
        return WRITE_FAILED;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return WRITE_FAILED;
    }
    return WRITTEN;
}

TFileWriter::TResult TFileWriter::Write_In_Place(const QString &file_name, const QByteArray &data,
                                                 QString *reason)
{
    QFile file(file_name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *reason = file.errorString();
        return WRITE_FAILED;
    }
    return Write_All(&file, data, reason) ? WRITTEN : WRITE_FAILED;
}

bool TFileWriter::Write_All(QFileDevice *file, const QByteArray &data, QString *reason)
{
    Q_ASSERT(file && reason);
    // A short write is followed by another one, which then fails with the system's reason
    // ("No space left on device") instead of leaving "Unknown error".
    for (qint64 written = 0; written < data.size();) {
        const qint64 count = file->write(data.constData() + written, data.size() - written);
        if (count <= 0) {
            *reason = file->errorString();
            return false;
        }
        written += count;
    }
    if (!file->flush()) {
        *reason = file->errorString();
        return false;
    }
    return true;
}

bool TFileWriter::Export(const QString &file_name, const QByteArray &data, QString *error)
{
    Q_ASSERT(error);
    QString reason;
    if (Write(file_name, data, &reason) != WRITTEN) {
        *error = tr("'%1' could not be written: %2").arg(file_name, reason);
        return false;
    }
    return true;
}
