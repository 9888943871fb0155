// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TREPORTWRITER_H
#define TREPORTWRITER_H

#include <QCoreApplication>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "evaluation.h"
#include "mpe.h"

class QFont;
class QFontMetricsF;
class QPagedPaintDevice;
class QPainter;
class QRectF;
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
        // The conformance statement and its rule, the conditions in words, the date of the
        // test as entered, the other details given, and the picture's exaggeration.
        QString conformance;
        QString rule;
        QStringList conditions;
        QString test_date;
        std::vector<std::pair<QString, QString>> details;
        double exaggeration = 1.0;
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
    // Told how many result rows are on the pages so far, of how many; false stops the record.
    using TProgress = std::function<bool(int done, int total)>;

    // Prints onto a printer or a PDF writer, on as many pages as the results need: the record
    // through the document above, then the results table painted row by row with its header
    // row on every page, so that the time grows with the rows and no more. False when the
    // progress stopped it.
    bool Print(QPagedPaintDevice *device, const TProgress &progress = TProgress()) const;
    // .pdf (A4), .html or .csv by the name's ending; written all at once; false, with the
    // reason, when it could not be written or the progress stopped it.
    bool Export(const QString &file_name, QString *error,
                const TProgress &progress = TProgress()) const;

private:
    // The record without the results table, for printing before it.
    QString Front_Html(bool inline_images) const;
    // The texts of one row of the results table, in the columns the report shows.
    QStringList Row_Cells(size_t row) const;
    // Paints the results table from the painter's current page on, that page being number
    // first_page; false when stopped.
    bool Paint_Results(QPainter *painter, QPagedPaintDevice *device, const QRectF &body,
                       const QFont &font, const TProgress &progress, int first_page,
                       int page_count) const;
    // How the results table is laid out on the device's pages.
    struct TTableLayout {
        QFont heading_font;
        QFont cell_font;
        QStringList titles;
        std::vector<double> widths;
        double padding = 0.0;
        double row_height = 0.0;
        double heading_height = 0.0;
    };
    TTableLayout Table_Layout(QPagedPaintDevice *device, const QRectF &area,
                              const QFont &font) const;
    // The pages the results table takes in the area of a page.
    int Result_Pages(QPagedPaintDevice *device, const QRectF &area, const QFont &font) const;
    // "page N of M" at its foot, where QTextDocument::print puts the number.
    static void Paint_Page_Number(QPainter *painter, const QRectF &body, const double &margin,
                                  const QFont &font, int page, int pages);

    TInfo info;
    std::vector<TEvaluation::TResult> results;
    std::vector<QString> directions;
    QImage picture;
    QImage chart;
};

#endif
