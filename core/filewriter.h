// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TFILEWRITER_H
#define TFILEWRITER_H

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class QFileDevice;

// Replaces a file's content all at once: the new bytes go to a temporary file beside it that
// is renamed over the old one only when everything was written, so a crash or a full disk
// leaves either the old file or the new one, never a mix.
class TFileWriter
{
    Q_DECLARE_TR_FUNCTIONS(TFileWriter)

public:
    enum TResult {
        WRITTEN,
        PROTECTED,   // the target exists and is write-protected; nothing was tried
        WRITE_FAILED // a link to nowhere, or opening, writing or committing failed; the old
                     // file is untouched
    };

    // The reason of a failure in the system's words ("No space left on device") goes to
    // *reason.
    static TResult Write(const QString &file_name, const QByteArray &data, QString *reason);
    // Write for an export the user asked for: false, with "'file' could not be written:
    // reason" in *error, on any failure.
    static bool Export(const QString &file_name, const QByteArray &data, QString *error);
    // Writes into an open file as it is, for standard output and for targets that are not
    // regular files; false, with the system's reason, when not everything was written.
    static bool Write_All(QFileDevice *file, const QByteArray &data, QString *reason);

private:
    static TResult Write_In_Place(const QString &file_name, const QByteArray &data,
                                  QString *reason);
};

#endif
