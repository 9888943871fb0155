// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportwriter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

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
    const std::vector<TEvaluation::TResult> results =
        TEvaluation::Evaluate_All(model, document.Measurement_Data(), document.Mpe());
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

QString TReportWriter::Html(bool inline_images) const
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
                                  "padding:1px 2px;text-align:right;font-size:7pt}"
                                  "td.fail{color:#960000;font-weight:bold}</style>"
                                  "</head><body>\n")
                       .arg(Escaped(info.title));
    html += QStringLiteral("<h1>%1</h1>\n<table>").arg(Escaped(info.title));
    html += Row(TReportWriter::tr("Machine"), info.machine);
    html += Row(TReportWriter::tr("Operator"), info.operator_name);
    html += Row(TReportWriter::tr("Date and time"), info.created.toString(Qt::ISODate));
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
    html += QStringLiteral("<h2>%1</h2>\n").arg(TReportWriter::tr("The deflected volume"));
    html += image(picture, QStringLiteral("picture.png"), 450);
    html += QStringLiteral("<h2>%1</h2>\n").arg(TReportWriter::tr("Error against length"));
    html += image(chart, QStringLiteral("chart.png"), 600);

    html += QStringLiteral("<h2>%1</h2>\n").arg(TReportWriter::tr("Results"));
    html += QStringLiteral("<table class=\"results\" width=\"100%\" border=\"1\" "
                           "cellspacing=\"0\" cellpadding=\"2\" style=\"font-size:7pt\">\n"
                           "<thead><tr>");
    const int columns[] = {TResultsModel::COLUMN_ID,
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
    QStringList headers;
    for (const int column : columns) {
        headers << TResultsModel::Column_Title(column);
    }
    for (const QString &header : headers) {
        html += QStringLiteral("<th>%1</th>").arg(Escaped(header));
    }
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (size_t i = 0; i < results.size(); ++i) {
        const TEvaluation::TResult &result = results[i];
        const bool measured = result.has_measured_length;
        const auto verdict = [](TEvaluation::TVerdict value) {
            const QString text = TEvaluation::Verdict_Label(value);
            return value == TEvaluation::FAIL
                       ? QStringLiteral("<td class=\"fail\">%1</td>").arg(text)
                       : QStringLiteral("<td>%1</td>").arg(text);
        };
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td>"
                               "<td>%6</td><td>%7</td><td>%8</td><td>%9</td>")
                    .arg(QString::number(result.id), TNumberText::Fixed(result.nominal_length, 4),
                         Escaped(directions[i]), TNumberText::Fixed(result.actual_length, 4),
                         TNumberText::Fixed(result.error, 2),
                         measured ? TNumberText::Fixed(result.measured_length, 4) : QString(),
                         measured ? TNumberText::Fixed(result.measured_error, 2) : QString(),
                         measured ? TNumberText::Fixed(result.residual, 2) : QString(),
                         result.has_mpe ? TNumberText::Fixed(result.mpe, 2) : QString());
        html +=
            verdict(result.verdict) + verdict(result.measured_verdict) + QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</tbody></table>\n</body></html>\n");
    return html;
}

std::unique_ptr<QTextDocument> TReportWriter::Document() const
{
    auto document = std::make_unique<QTextDocument>();
    document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("picture.png")),
                          picture);
    document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("chart.png")), chart);
    document->setHtml(Html(false));
    return document;
}

void TReportWriter::Print(QPagedPaintDevice *device) const
{
    Q_ASSERT(device);
    Document()->print(device);
}

bool TReportWriter::Export(const QString &file_name, QString *error) const
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
        Print(&writer);
    } else {
        *error = TReportWriter::tr("'%1' does not end in .pdf, .html or .csv").arg(file_name);
        return false;
    }
    return TFileWriter::Export(file_name, data, error);
}
