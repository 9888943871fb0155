// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TREPORTWRITER_H
#define TREPORTWRITER_H

#include <QCoreApplication>
#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "evaluation.h"
#include "mpe.h"

class QFont;
class QPagedPaintDevice;
class QTextDocument;
class TTestDocument;

// The calibration record of a length test: who, what and when, the model with its parameters,
// the volume and the MPE, the picture and the error chart, the results with both verdicts, and
// the summary. Printed or written as PDF (the results table's header row repeated on every
// page), as one self-contained HTML file (pictures embedded), or as CSV (the results alone).
class TReportWriter
{
    Q_DECLARE_TR_FUNCTIONS(TReportWriter)

public:
    struct TInfo {
        QString title;
        QString machine;
        QString operator_name;
        QString notes;
        QDateTime created;
        QString version;
        QString model_name;
        QStringList parameters; // "Tower Rotation: -0.0500 mm/m", one per parameter in use
        double range_y;
        double range_z;
        TMpe mpe;
    };

    TReportWriter(const TInfo &info, const std::vector<TEvaluation::TResult> &results,
                  const std::vector<QString> &directions, const QImage &picture,
                  const QImage &chart);
    ~TReportWriter();

    // The record of a test as it stands, as the window and the batch tool both make it: the
    // report details (an empty title reads "Length test"), the model, volume, MPE and results,
    // the drawing at this exaggeration and the error chart, in this font, created now.
    static std::unique_ptr<TReportWriter> Of_Test(const TTestDocument &document,
                                                  const double &exaggeration, const QFont &font,
                                                  const QString &version);

    // inline_images puts the pictures into the HTML as data; otherwise they are the
    // resources "picture.png" and "chart.png" of a document.
    QString Html(bool inline_images) const;
    // The document for printing, pictures included.
    std::unique_ptr<QTextDocument> Document() const;
    // Prints onto a printer or a PDF writer, on as many pages as the results need.
    void Print(QPagedPaintDevice *device) const;
    // .pdf (A4), .html or .csv by the name's ending; written all at once; false, with the
    // reason, when it could not be written.
    bool Export(const QString &file_name, QString *error) const;

private:
    TInfo info;
    std::vector<TEvaluation::TResult> results;
    std::vector<QString> directions;
    QImage picture;
    QImage chart;
};

#endif
