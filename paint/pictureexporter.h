// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TPICTUREEXPORTER_H
#define TPICTUREEXPORTER_H

#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include "scenepainter.h"

// The drawing of the display as a file: PNG (white background, optionally at twice the size
// for print), or SVG and PDF, which stay vector with the texts as text. The picture is the
// scene painter's, laid out for the given size exactly as the display lays it out.
class TPictureExporter
{
    Q_DECLARE_TR_FUNCTIONS(TPictureExporter)

public:
    enum TFormat { FORMAT_PNG, FORMAT_SVG, FORMAT_PDF };

    // By the file name's ending; false for any other.
    static bool Format_Of(const QString &file_name, TFormat *format);
    // The picture over white; scale 2 draws it twice as fine.
    static QImage Image(const TScenePainter::TScene &scene, const QSize &size, const QFont &font,
                        int scale = 1);
    // Writes the file all at once; false, with the reason, when it could not be written.
    static bool Export(const QString &file_name, const TScenePainter::TScene &scene,
                       const QSize &size, const QFont &font, int png_scale, QString *error);
};

#endif
