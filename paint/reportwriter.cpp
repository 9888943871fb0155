// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportwriter.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextFrameFormat>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "conformance.h"
#include "deflectionmodel.h"
#include "errorchartpainter.h"
#include "filewriter.h"
#include "modelcatalog.h"
#include "numbertext.h"
#include "pictureexporter.h"
#include "resultsfile.h"
#include "resultsmodel.h"
#include "scenepainter.h"
#include "testdocument.h"

namespace
{
QString Escaped(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

QByteArray Png(const QImage &image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// The resolution a document is laid out in before it is scaled to a printer.
const double screen_dpi = 96.0;

// The columns of the results table, in the report's order.
const int report_columns[] = {TResultsModel::COLUMN_ID,
                              TResultsModel::COLUMN_NOMINAL,
                              TResultsModel::COLUMN_DIRECTION,
                              TResultsModel::COLUMN_ACTUAL,
                              TResultsModel::COLUMN_ERROR,
                              TResultsModel::COLUMN_MEASURED,
                              TResultsModel::COLUMN_MEASURED_ERROR,
                              TResultsModel::COLUMN_RESIDUAL,
                              TResultsModel::COLUMN_MPE,
                              TResultsModel::COLUMN_VERDICT,
                              TResultsModel::COLUMN_MEASURED_VERDICT};
const int verdict_cell = 9;
const int measured_verdict_cell = 10;

// True for a verdict cell that says "fail", which the record marks.
bool Fails(const TEvaluation::TResult &result, int cell)
{
    return (cell == verdict_cell && result.verdict == TEvaluation::FAIL) ||
           (cell == measured_verdict_cell && result.measured_verdict == TEvaluation::FAIL);
}

// A row the machine fails, measured: tinted as the window tints it.
bool Row_Fails(const TEvaluation::TResult &result)
{
    return result.measured_verdict == TEvaluation::FAIL ||
           result.range_verdict == TEvaluation::FAIL;
}

QString Row(const QString &label, const QString &value)
{
    return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
        .arg(Escaped(label), Escaped(value));
}
} // namespace

TReportWriter::TReportWriter(const TInfo &info_, const std::vector<TEvaluation::TResult> &results_,
                             const std::vector<QString> &directions_, const QImage &picture_,
                             const QImage &chart_)
    : info(info_)
    , results(results_)
    , directions(directions_)
    , picture(picture_)
    , chart(chart_)
{
    Q_ASSERT(directions.size() == results.size());
}

std::unique_ptr<TReportWriter> TReportWriter::Of_Test(const TTestDocument &document,
                                                      const double &exaggeration, const QFont &font,
                                                      const QString &version)
{
    const TTestDocument::TReportDetails &details = document.Report_Details();
    const TDeflectionModel *model = document.Model();
    TInfo info;
    info.title = details.title.isEmpty() ? tr("Length test") : details.title;
    info.machine = details.machine;
    info.operator_name = details.operator_name;
    info.notes = details.notes;
    info.created = QDateTime::currentDateTime();
    info.version = version;
    info.range_y = model ? model->Range_Y() : document.Field_Value(TTestDocument::FIELD_RANGE_Y);
    info.range_z = model ? model->Range_Z() : document.Field_Value(TTestDocument::FIELD_RANGE_Z);
    info.mpe = document.Mpe();
    const TModelCatalog::TModel *entry = TModelCatalog::Find(document.Model_Type());
    info.model_name = entry ? TModelCatalog::Name(*entry) : tr("none");
    if (entry && model) {
        const double parameters[4] = {model->Parameter1(), model->Parameter2(), model->Parameter3(),
                                      model->Parameter4()};
        info.parameters = TModelCatalog::Parameter_Lines(*entry, parameters);
    }
    const TTestConditions &conditions = document.Conditions();
    const std::vector<TEvaluation::TResult> results =
        TEvaluation::Evaluate_All(model, document.Measurement_Data(), document.Mpe(), conditions);
    const TConformance::TStatement statement =
        TConformance::Judge(results, document.Mpe().Is_Set(), conditions);
    info.conformance = TConformance::Text(statement);
    info.rule = TConformance::Rule_Text(statement);
    info.exaggeration = exaggeration;
    info.test_date = details.test_date;
    const std::pair<QString, QString> details_shown[] = {
        {tr("Serial number"), details.serial_number},
        {tr("Manufacturer and type"), details.manufacturer},
        {tr("Location"), details.location},
        {tr("Customer"), details.customer},
        {tr("Procedure"), details.procedure}};
    for (const auto &detail : details_shown) {
        if (!detail.second.isEmpty()) {
            info.details.push_back(detail);
        }
    }
    if (conditions.has_uncertainty) {
        info.conditions << (conditions.has_ku
                                ? tr("Test uncertainty U = %1 + L/%2 \u00b5m, L in mm")
                                      .arg(TNumberText::Shortest(conditions.u0),
                                           TNumberText::Shortest(conditions.ku))
                                : tr("Test uncertainty U = %1 \u00b5m")
                                      .arg(TNumberText::Shortest(conditions.u0)));
    }
    if (conditions.has_r0) {
        info.conditions << tr("MPE of the repeatability range R0 = %1 \u00b5m")
                               .arg(TNumberText::Shortest(conditions.r0));
    }
    if (conditions.has_temperature) {
        info.conditions
            << tr("Gauge temperature %1 °C").arg(TNumberText::Shortest(conditions.temperature));
    }
    if (conditions.has_cte) {
        info.conditions << tr("Expansion coefficient %1 \u00b7 10\u207b\u2076/K; measured lengths "
                              "corrected to 20 °C as L\u2082\u2080 = L \u00b7 (1 \u2212 "
                              "\u03b1 \u00b7 (t \u2212 20 °C))")
                               .arg(TNumberText::Shortest(conditions.cte));
    }
    std::vector<QString> directions;
    directions.reserve(results.size());
    for (const TEvaluation::TResult &result : results) {
        directions.push_back(TEvaluation::Direction_Label(TEvaluation::Direction_Name(
            result.axis, model ? model->Range_Y() : 1000.0, model ? model->Range_Z() : 1000.0)));
    }
    const std::vector<TScenePainter::TLengthMeasurement> gauges =
        TScenePainter::Gauges_Of(document.Measurement_Data());
    const QImage picture = TPictureExporter::Image(
        TScenePainter::TScene{model, exaggeration, &gauges}, QSize(700, 700), font, 2);
    QImage chart(QSize(900, 500) * 2, QImage::Format_ARGB32);
    chart.setDevicePixelRatio(2);
    chart.fill(Qt::white);
    {
        QPainter painter(&chart);
        painter.setFont(font);
        TErrorChartPainter().Paint(&painter, QSize(900, 500), results, directions, document.Mpe());
    }
    return std::make_unique<TReportWriter>(info, results, directions, picture, chart);
}

TReportWriter::~TReportWriter() = default;

QString TReportWriter::Front_Html(bool inline_images) const
{
    const auto image = [inline_images](const QImage &source, const QString &name, int width) {
        const QString address = inline_images ? QStringLiteral("data:image/png;base64,") +
                                                    QString::fromLatin1(Png(source).toBase64())
                                              : name;
        return QStringLiteral("<p><img src=\"%1\" width=\"%2\"></p>").arg(address).arg(width);
    };

    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                                  "<title>%1</title>"
                                  "<style>body{font-family:sans-serif;font-size:10pt}"
                                  "table.results{border-collapse:collapse}"
                                  "table.results td,table.results th{border:1px solid #999;"
                                  "padding:1px 2px;text-align:right;font-size:7pt;"
                                  "white-space:nowrap}"
                                  "tr.failrow td{background:#ffdede}"
                                  "td.fail{color:#960000;font-weight:bold}"
                                  "h2{page-break-after:avoid}</style>"
                                  "</head><body>\n")
                       .arg(Escaped(info.title));
    html += QStringLiteral("<h1>%1</h1>\n").arg(Escaped(info.title));
    // What the record is for comes first: whether the machine conforms, and who signs it.
    html += QStringLiteral("<h2>%1</h2>\n").arg(TReportWriter::tr("Conformance"));
    html += QStringLiteral("<p><b>%1</b></p>\n")
                .arg(Escaped(info.conformance.isEmpty()
                                 ? TReportWriter::tr("No statement: the test has no MPE or no "
                                                     "measured length.")
                                 : info.conformance));
    html +=
        QStringLiteral("<p>%1</p>\n").arg(Escaped(TReportWriter::tr("Rule: %1.").arg(info.rule)));
    if (!info.conditions.isEmpty()) {
        html += QStringLiteral("<table>");
        for (const QString &condition : info.conditions) {
            html += Row(QString(), condition);
        }
        html += QStringLiteral("</table>\n");
    }
    html += QStringLiteral("<table width=\"100%\" cellpadding=\"6\"><tr>"
                           "<td>%1 ____________________________</td>"
                           "<td>%2 ______________</td></tr><tr>"
                           "<td>%3 ____________________________</td>"
                           "<td>%2 ______________</td></tr></table>\n")
                .arg(Escaped(TReportWriter::tr("Tested by:")), Escaped(TReportWriter::tr("Date:")),
                     Escaped(TReportWriter::tr("Approved by:")));
    html += QStringLiteral("<h2>%1</h2>\n<table>").arg(TReportWriter::tr("Machine and test"));
    html += Row(TReportWriter::tr("Machine"), info.machine);
    for (const auto &detail : info.details) {
        html += Row(detail.first, detail.second);
    }
    html += Row(TReportWriter::tr("Operator"), info.operator_name);
    html += Row(TReportWriter::tr("Date of the test"),
                info.test_date.isEmpty() ? TReportWriter::tr("not given") : info.test_date);
    html += Row(TReportWriter::tr("Report made"), info.created.toString(Qt::ISODate));
    html += Row(TReportWriter::tr("Program"), QStringLiteral("Curvalo ") + info.version);
    html += Row(TReportWriter::tr("Deflection model"), info.model_name);
    for (const QString &parameter : info.parameters) {
        html += Row(QString(), parameter);
    }
    html += Row(TReportWriter::tr("Y range"),
                TNumberText::Fixed(info.range_y, 3) + QStringLiteral(" mm"));
    html += Row(TReportWriter::tr("Z range"),
                TNumberText::Fixed(info.range_z, 3) + QStringLiteral(" mm"));
    html += Row(TReportWriter::tr("MPE"),
                info.mpe.Is_Set()
                    ? (info.mpe.Has_B() ? TReportWriter::tr("min(%1 + L/%2, %3) \u00b5m, L in mm")
                                              .arg(TNumberText::Shortest(info.mpe.A()),
                                                   TNumberText::Shortest(info.mpe.K()),
                                                   TNumberText::Shortest(info.mpe.B()))
                                        : TReportWriter::tr("%1 + L/%2 \u00b5m, L in mm")
                                              .arg(TNumberText::Shortest(info.mpe.A()),
                                                   TNumberText::Shortest(info.mpe.K())))
                    : TReportWriter::tr("none"));
    html += QStringLiteral("</table>\n");
    if (!info.notes.isEmpty()) {
        html += QStringLiteral("<h2>%1</h2><p>%2</p>\n")
                    .arg(TReportWriter::tr("Notes"), Escaped(info.notes));
    }

    html += QStringLiteral("<h2>%1</h2>\n").arg(TReportWriter::tr("Summary"));
    html += QStringLiteral("<p>%1</p>\n")
                .arg(Escaped(
                    TEvaluation::Summary_Text(TEvaluation::Summarise(results), info.mpe.Is_Set())));
    // Each picture begins a page of its own, so that its heading never stands alone at the
    // foot of the page before; the first page is the record's statement and details.
    html += QStringLiteral("<h2 style=\"page-break-before: always\">%1</h2>\n")
                .arg(TReportWriter::tr("The deflected volume"));
    html += image(picture, QStringLiteral("picture.png"), 450);
    html += QStringLiteral("<p>%1</p>\n")
                .arg(Escaped(TReportWriter::tr("Deflections drawn %1 times enlarged.")
                                 .arg(TNumberText::Shortest(info.exaggeration))));
    html += QStringLiteral("<h2 style=\"page-break-before: always\">%1</h2>\n")
                .arg(TReportWriter::tr("Error against length"));
    html += image(chart, QStringLiteral("chart.png"), 600);

    return html;
}

QStringList TReportWriter::Row_Cells(size_t row) const
{
    const TEvaluation::TResult &result = results[row];
    const bool measured = result.has_measured_length;
    return {QString::number(result.id),
            TNumberText::Shown(result.nominal_length, 4),
            directions[row],
            TNumberText::Shown(result.actual_length, 4),
            TNumberText::Shown(result.error, 2),
            measured ? TNumberText::Shown(result.measured_length, 4) : QString(),
            measured ? TNumberText::Shown(result.measured_error, 2) : QString(),
            measured ? TNumberText::Shown(result.residual, 2) : QString(),
            result.has_mpe ? TNumberText::Shown(result.mpe, 2) : QString(),
            TEvaluation::Verdict_Label(result.verdict),
            TEvaluation::Verdict_Label(result.measured_verdict)};
}

QString TReportWriter::Html(bool inline_images) const
{
    QString html = Front_Html(inline_images);
    html += QStringLiteral("<h2>%1</h2>\n").arg(TReportWriter::tr("Results"));
    html += QStringLiteral("<table class=\"results\" width=\"100%\" border=\"1\" "
                           "cellspacing=\"0\" cellpadding=\"2\" style=\"font-size:7pt\">\n"
                           "<thead><tr>");
    for (const int column : report_columns) {
        html += QStringLiteral("<th>%1</th>").arg(Escaped(TResultsModel::Column_Title(column)));
    }
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (size_t row = 0; row < results.size(); ++row) {
        const QStringList cells = Row_Cells(row);
        html += Row_Fails(results[row]) ? QStringLiteral("<tr class=\"failrow\">")
                                        : QStringLiteral("<tr>");
        for (int column = 0; column < cells.size(); ++column) {
            const QString cell = Escaped(cells[column]);
            html += Fails(results[row], column)
                        ? QStringLiteral("<td class=\"fail\">%1</td>").arg(cell)
                        : QStringLiteral("<td>%1</td>").arg(cell);
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</tbody></table>\n</body></html>\n");
    return html;
}

bool TReportWriter::Paint_Results(QPainter *painter, QPagedPaintDevice *device, const QRectF &body,
                                  const QFont &font, const TProgress &progress, int first_page,
                                  int page_count) const
{
    const double margin = 2.0 / 2.54 * device->logicalDpiY();
    const QRectF area = body.adjusted(margin, margin, -margin, -margin);
    const TTableLayout layout = Table_Layout(device, area, font);
    const QFont &heading_font = layout.heading_font;
    const QFont &cell_font = layout.cell_font;
    const QStringList &titles = layout.titles;
    const std::vector<double> &widths = layout.widths;
    const double padding = layout.padding;
    const double row_height = layout.row_height;
    const int count = int(titles.size());
    const QPen border(QColor(0x99, 0x99, 0x99), 0.0);
    const QColor fail(0x96, 0x00, 0x00);

    double y = area.top();
    int page = first_page;
    const auto draw_row = [&](const QStringList &cells, bool header,
                              const TEvaluation::TResult *result) {
        double x = area.left();
        for (int column = 0; column < count; ++column) {
            const QRectF cell(x, y, widths[size_t(column)], row_height);
            if (result && Row_Fails(*result)) {
                painter->fillRect(cell, QColor(255, 222, 222));
            }
            painter->setPen(border);
            painter->drawRect(cell);
            QFont cell_text_font = cell_font;
            const bool fails = result && Fails(*result, column);
            cell_text_font.setBold(header || fails);
            painter->setFont(cell_text_font);
            painter->setPen(fails ? fail : QColor(Qt::black));
            const Qt::Alignment alignment =
                (header ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter;
            painter->drawText(cell.adjusted(padding, 0.0, -padding, 0.0), int(alignment),
                              cells[column]);
            x += widths[size_t(column)];
        }
        y += row_height;
    };

    painter->setFont(heading_font);
    painter->setPen(Qt::black);
    const double heading_height = layout.heading_height;
    painter->drawText(QRectF(area.left(), y, area.width(), heading_height),
                      Qt::AlignLeft | Qt::AlignVCenter, TReportWriter::tr("Results"));
    y += heading_height;
    draw_row(titles, true, nullptr);
    const int total = int(results.size());
    for (int row = 0; row < total; ++row) {
        if (y + row_height > area.bottom()) {
            Paint_Page_Number(painter, body, margin, font, page++, page_count);
            device->newPage();
            y = area.top();
            draw_row(titles, true, nullptr);
        }
        draw_row(Row_Cells(size_t(row)), false, &results[size_t(row)]);
        if (progress && (row % 100 == 99 || row == total - 1) && !progress(row + 1, total)) {
            painter->end();
            return false;
        }
    }
    Paint_Page_Number(painter, body, margin, font, page, page_count);
    return true;
}

TReportWriter::TTableLayout TReportWriter::Table_Layout(QPagedPaintDevice *device,
                                                        const QRectF &area, const QFont &font) const
{
    TTableLayout layout;
    layout.heading_font = font;
    layout.heading_font.setBold(true);
    layout.heading_font.setPointSizeF(font.pointSizeF() * 1.5);
    layout.cell_font = font;
    layout.cell_font.setPointSizeF(7.0);
    for (const int column : report_columns) {
        layout.titles << TResultsModel::Column_Title(column);
    }
    QFont &cell_font = layout.cell_font;
    const QStringList &titles = layout.titles;
    std::vector<double> &widths = layout.widths;
    double &padding = layout.padding;
    // Each column as wide as its widest text; the font shrinks until the table fits the page,
    // so that no number is ever broken over two lines.
    const int count = int(titles.size());
    for (int attempt = 0; attempt < 8; ++attempt) {
        QFont bold = cell_font;
        bold.setBold(true);
        const QFontMetricsF header_metrics(bold, device);
        const QFontMetricsF metrics(cell_font, device);
        padding = metrics.height() * 0.25;
        widths.assign(size_t(count), 0.0);
        for (int column = 0; column < count; ++column) {
            widths[size_t(column)] = header_metrics.horizontalAdvance(titles[column]);
        }
        for (size_t row = 0; row < results.size(); ++row) {
            const QStringList cells = Row_Cells(row);
            for (int column = 0; column < count; ++column) {
                widths[size_t(column)] =
                    std::max(widths[size_t(column)], metrics.horizontalAdvance(cells[column]));
            }
        }
        double total = 0.0;
        for (double &width : widths) {
            width += 2.0 * padding + 1.0;
            total += width;
        }
        if (total <= area.width()) {
            break;
        }
        cell_font.setPointSizeF(cell_font.pointSizeF() * area.width() / total);
    }
    layout.row_height = QFontMetricsF(cell_font, device).height() + 2.0 * padding;
    layout.heading_height = QFontMetricsF(layout.heading_font, device).height() * 1.6;
    return layout;
}

int TReportWriter::Result_Pages(QPagedPaintDevice *device, const QRectF &area,
                                const QFont &font) const
{
    const TTableLayout layout = Table_Layout(device, area, font);
    // As Paint_Results fills them: the heading and the header row on the first page, the
    // header row on every other.
    const int first =
        std::max(0, int(std::floor((area.height() - layout.heading_height - layout.row_height) /
                                   layout.row_height)));
    const int others =
        std::max(1, int(std::floor((area.height() - layout.row_height) / layout.row_height)));
    const int rest = std::max(0, int(results.size()) - first);
    return 1 + (rest + others - 1) / others;
}

void TReportWriter::Paint_Page_Number(QPainter *painter, const QRectF &body, const double &margin,
                                      const QFont &font, int page, int pages)
{
    painter->save();
    painter->setFont(font);
    painter->setPen(Qt::black);
    const QFontMetricsF metrics(font, painter->device());
    const QString text = TReportWriter::tr("page %1 of %2").arg(page).arg(pages);
    painter->drawText(QPointF(body.width() - margin - metrics.horizontalAdvance(text),
                              body.height() - margin + metrics.ascent() +
                                  5.0 * painter->device()->logicalDpiY() / 72.0),
                      text);
    painter->restore();
}

bool TReportWriter::Print(QPagedPaintDevice *device, const TProgress &progress) const
{
    Q_ASSERT(device);
    // The record is laid out as on the screen and scaled to the device, on pages of its paint
    // rectangle with margins of 2 cm, as QTextDocument::print does for a paginated document.
    const QRectF body(0, 0, device->width(), device->height());
    const double margin = 2.0 / 2.54 * device->logicalDpiY();
    const double scale = device->logicalDpiY() / screen_dpi;
    const QSizeF page_size = body.size() / scale;
    QTextDocument front;
    front.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("picture.png")), picture);
    front.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("chart.png")), chart);
    front.setHtml(Front_Html(false) + QStringLiteral("</body></html>\n"));
    QTextFrameFormat frame = front.rootFrame()->frameFormat();
    frame.setMargin(margin / scale);
    front.rootFrame()->setFrameFormat(frame);
    front.setPageSize(page_size);

    QPainter painter(device);
    const int front_pages = front.pageCount();
    const int page_count =
        front_pages +
        Result_Pages(device, body.adjusted(margin, margin, -margin, -margin), front.defaultFont());
    for (int page = 0; page < front_pages; ++page) {
        if (page > 0) {
            device->newPage();
        }
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0.0, -page * page_size.height());
        front.drawContents(&painter, QRectF(QPointF(0.0, page * page_size.height()), page_size));
        painter.restore();
        Paint_Page_Number(&painter, body, margin, front.defaultFont(), page + 1, page_count);
    }
    device->newPage();
    return Paint_Results(&painter, device, body, front.defaultFont(), progress, front_pages + 1,
                         page_count);
}

bool TReportWriter::Export(const QString &file_name, QString *error,
                           const TProgress &progress) const
{
    Q_ASSERT(error);
    const QString name = file_name.toLower();
    QByteArray data;
    if (name.endsWith(QLatin1String(".html")) || name.endsWith(QLatin1String(".htm"))) {
        data = Html(true).toUtf8();
    } else if (name.endsWith(QLatin1String(".csv"))) {
        data = TResultsFile::Csv(results);
    } else if (name.endsWith(QLatin1String(".pdf"))) {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(info.title);
        writer.setCreator(QStringLiteral("Curvalo ") + info.version);
        if (!Print(&writer, progress)) {
            *error =
                TReportWriter::tr("the report was cancelled; '%1' was not written").arg(file_name);
            return false;
        }
    } else {
        *error = TReportWriter::tr("'%1' does not end in .pdf, .html or .csv").arg(file_name);
        return false;
    }
    return TFileWriter::Export(file_name, data, error);
}
