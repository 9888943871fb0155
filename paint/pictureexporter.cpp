// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictureexporter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <QSvgGenerator>

#include "filewriter.h"

namespace
{
// Paints the scene onto a device the caller has prepared.
void Paint(QPaintDevice *device, const TScenePainter::TScene &scene, const QSize &size,
           const QFont &font)
{
    QPainter painter(device);
    painter.setFont(font);
    TScenePainter scene_painter;
    scene_painter.Mark_Viewport_Dirty();
    scene_painter.Paint(&painter, size, scene);
}
} // namespace

bool TPictureExporter::Format_Of(const QString &file_name, TFormat *format)
{
    const QString name = file_name.toLower();
    if (name.endsWith(QLatin1String(".png"))) {
        *format = FORMAT_PNG;
    } else if (name.endsWith(QLatin1String(".svg"))) {
        *format = FORMAT_SVG;
    } else if (name.endsWith(QLatin1String(".pdf"))) {
        *format = FORMAT_PDF;
    } else {
        return false;
    }
    return true;
}

QImage TPictureExporter::Image(const TScenePainter::TScene &scene, const QSize &size,
                               const QFont &font, int scale)
{
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    // Texts as large as on screen: the display paints with the screen's resolution, which
    // sets how many pixels a point of the font is.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const double dots_per_metre = screen->logicalDotsPerInch() / 0.0254;
        image.setDotsPerMeterX(qRound(dots_per_metre));
        image.setDotsPerMeterY(qRound(dots_per_metre));
    }
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    Paint(&image, scene, size, font);
    return image;
}

bool TPictureExporter::Export(const QString &file_name, const TScenePainter::TScene &scene,
                              const QSize &size, const QFont &font, int png_scale, QString *error)
{
    Q_ASSERT(error);
    TFormat format = FORMAT_PNG;
    if (!Format_Of(file_name, &format)) {
        *error = TPictureExporter::tr("'%1' does not end in .png, .svg or .pdf").arg(file_name);
        return false;
    }
    if (size.width() < 1 || size.height() < 1 || size.width() > 20000 || size.height() > 20000) {
        *error = TPictureExporter::tr("the size must be from 1 x 1 to 20000 x 20000 pixels");
        return false;
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case FORMAT_PNG:
        Image(scene, size, font, png_scale).save(&buffer, "PNG");
        break;
    case FORMAT_SVG: {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle(QStringLiteral("Curvalo"));
        generator.setResolution(96);
        Paint(&generator, scene, size, font);
        break;
    }
    case FORMAT_PDF: {
        QPdfWriter writer(&buffer);
        writer.setResolution(96);
        writer.setPageSize(QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QStringLiteral("Curvalo"));
        writer.setCreator(QStringLiteral("Curvalo"));
        Paint(&writer, scene, size, font);
        break;
    }
    }
    buffer.close();
    if (data.isEmpty()) {
        *error = TPictureExporter::tr("the picture could not be drawn");
        return false;
    }
    return TFileWriter::Export(file_name, data, error);
}
