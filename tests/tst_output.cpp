// SPDX-License-Identifier: GPL-3.0-or-later
#include <QImage>
#include <QProcess>
#include <QSlider>
#include <QStandardPaths>
#include <QToolButton>
#include <QXmlStreamReader>
#include <QtTest>

#include "numbertext.h"
#include "reportwriter.h"
#include "testdocument.h"
#include "testfiles.h"
#include "windowfixture.h"

namespace
{
// The text of a PDF file, page by page, through pdftotext; empty when it is not installed.
QStringList Pdf_Pages(const QString &file)
{
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty()) {
        return {};
    }
    QProcess process;
    process.start(tool, {"-layout", file, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
}
} // namespace

// Pictures, reports and measurement sets written and read by the window.
class TTestOutput : public QObject, protected TWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void Png_Is_The_Display_Pixel_For_Pixel();
    void Svg_And_Pdf_Keep_Text();
    void Report_Across_Pages();
    void Import_Good_And_Bad_Files();
    void Export_And_Import_Round_Trip();

private:
    QString File(const QString &name) const { return Home_File(name); }
    void Prepare_Drawing();
    void Import_Plan(int count);
};

void TTestOutput::init()
{
    New_Home();
    Start();
}

void TTestOutput::cleanup()
{
    window.reset();
}

void TTestOutput::Prepare_Drawing()
{
    Action("Init")->trigger();
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
        Type(Editor()->findChild<QLineEdit *>("position_y_edit"), QString::number(200 + 250 * i));
        Type(Editor()->findChild<QLineEdit *>("nominal_length_edit"), "400");
    }
    window->findChild<QSlider *>("exaggeration_slider")->setValue(700);
}

// count measurements of a plan along Y, imported from CSV.
void TTestOutput::Import_Plan(int count)
{
    QByteArray csv = "id,nominal_length_mm,position_y_mm,position_z_mm,axis_y,axis_z,"
                     "measured_length_mm\n";
    for (int i = 1; i <= count; ++i) {
        csv += QByteArray::number(i) + "," + QByteArray::number(100 + i) + ",500," +
               QByteArray::number(i * 4) + ",1,0," + QByteArray::number(100 + i + 0.001) + "\n";
    }
    Write(File("plan.csv"), csv);
    QStringList errors;
    QVERIFY2(window->Import_Measurements(File("plan.csv"), true, &errors),
             qPrintable(errors.join('\n')));
}

void TTestOutput::Png_Is_The_Display_Pixel_For_Pixel()
{
    Prepare_Drawing();
    // The selection's highlight belongs to the window, not to the picture.
    List()->clearSelection();
    QImage shown(Display()->size(), QImage::Format_ARGB32);
    shown.fill(Qt::white);
    Display()->render(&shown, QPoint(), QRegion(), QWidget::RenderFlags());

    QString error;
    QVERIFY2(window->Export_Picture(File("picture.png"), Display()->size(), 1, &error),
             qPrintable(error));
    const QImage exported = QImage(File("picture.png")).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(exported.size(), shown.size());
    QVERIFY(exported == shown);

    QVERIFY(window->Export_Picture(File("print.png"), Display()->size(), 2, &error));
    QCOMPARE(QImage(File("print.png")).size(), Display()->size() * 2);

    QVERIFY(!window->Export_Picture(File("picture.gif"), Display()->size(), 1, &error));
    QVERIFY(error.contains(".png, .svg or .pdf"));
    QVERIFY(!QFile::exists(File("picture.gif")));
}

void TTestOutput::Svg_And_Pdf_Keep_Text()
{
    Prepare_Drawing();
    QString error;
    QVERIFY2(window->Export_Picture(File("picture.svg"), QSize(700, 600), 1, &error),
             qPrintable(error));
    QXmlStreamReader svg(Read(File("picture.svg")));
    QStringList texts;
    while (!svg.atEnd()) {
        if (svg.readNext() == QXmlStreamReader::Characters && !svg.isWhitespace()) {
            texts << svg.text().toString().trimmed();
        }
    }
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
    QVERIFY(texts.contains("Y Axis"));
    QVERIFY(texts.contains("Z Lengths mm"));

    QVERIFY2(window->Export_Picture(File("picture.pdf"), QSize(700, 600), 1, &error),
             qPrintable(error));
    QVERIFY(Read(File("picture.pdf")).startsWith("%PDF"));
    const QStringList pages = Pdf_Pages(File("picture.pdf"));
    if (pages.isEmpty()) {
        QSKIP("pdftotext is not installed (the test command installs it)");
    }
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages[0].contains("Y Axis"));
    QVERIFY(pages[0].contains("Y Lengths mm"));
}

void TTestOutput::Report_Across_Pages()
{
    Import_Plan(200);
    QCOMPARE(Rows(), 200);
    QString error;
    QVERIFY2(window->Export_Report(File("report.html"), &error), qPrintable(error));
    const QString html = QString::fromUtf8(Read(File("report.html")));
    QCOMPARE(html.count("data:image/png;base64,"), 2);
    for (int id = 1; id <= 200; ++id) {
        QVERIFY2(html.contains(QString("<td>%1</td><td>%2.0000</td>").arg(id).arg(100 + id)),
                 qPrintable(QString::number(id)));
    }

    QVERIFY2(window->Export_Report(File("report.pdf"), &error), qPrintable(error));
    const QStringList pages = Pdf_Pages(File("report.pdf"));
    if (pages.isEmpty()) {
        QSKIP("pdftotext is not installed (the test command installs it)");
    }
    QVERIFY(pages.size() >= 4);
    // Every page that carries rows of the results carries the header row too.
    int pages_with_rows = 0;
    for (const QString &page : pages) {
        if (page.contains(QRegularExpression("\\n\\s*\\d+\\s+[1-3]\\d\\d\\.0000"))) {
            ++pages_with_rows;
            QVERIFY2(page.contains("Verdict"), qPrintable(page.left(400)));
        }
    }
    QVERIFY(pages_with_rows >= 3);
    // No number is broken over two lines: each row's id, nominal, actual length and error
    // stand on one line of the page, in the report's order.
    const QString all_pages = pages.join('\n');
    const TTestDocument &document = window->Document();
    const std::vector<TEvaluation::TResult> results = TEvaluation::Evaluate_All(
        document.Model(), document.Measurement_Data(), document.Mpe(), document.Conditions());
    QCOMPARE(int(results.size()), 200);
    for (const TEvaluation::TResult &result : results) {
        const QRegularExpression row(
            QString("^\\s*%1\\s+%2\\s.*\\s%3\\s+%4(\\s|$)")
                .arg(result.id)
                .arg(QRegularExpression::escape(TNumberText::Shown(result.nominal_length, 4)),
                     QRegularExpression::escape(TNumberText::Shown(result.actual_length, 4)),
                     QRegularExpression::escape(TNumberText::Shown(result.error, 2))),
            QRegularExpression::MultilineOption);
        QVERIFY2(row.match(all_pages).hasMatch(), qPrintable(QString::number(result.id)));
    }
    // The record says first whether the machine conforms, and where to sign; every page
    // counts itself among all.
    QVERIFY(pages[0].indexOf("Conformance") < pages[0].indexOf("Machine and test"));
    QVERIFY(pages[0].contains("Approved by:"));
    for (int page = 0; page < pages.size(); ++page) {
        QVERIFY2(pages[page].contains(QString("page %1 of %2").arg(page + 1).arg(pages.size())),
                 qPrintable(QString::number(page + 1)));
    }

    QVERIFY(window->Export_Report(File("report.csv"), &error));
    QCOMPARE(Read(File("report.csv")).count('\n'), 201);

    // The rows report their progress, and stopping it writes nothing.
    const std::unique_ptr<TReportWriter> report =
        TReportWriter::Of_Test(window->Document(), 1.0, window->font(), "2.0");
    int last = 0;
    QVERIFY(!report->Export(File("stopped.pdf"), &error, [&last](int done, int total) {
        last = done;
        return total == 200 && done < 100;
    }));
    QCOMPARE(last, 100);
    QVERIFY(error.contains("cancelled"));
    QVERIFY(!QFileInfo::exists(File("stopped.pdf")));
}

void TTestOutput::Import_Good_And_Bad_Files()
{
    Import_Plan(3);
    Write(File("bad.csv"), "nominal_length_mm,position_y_mm,position_z_mm,axis_y,axis_z\n"
                           "100,1,2,1,0\n"
                           "100,1,2,0,0\n");
    QStringList errors;
    QVERIFY(!window->Import_Measurements(File("bad.csv"), false, &errors));
    QCOMPARE(errors, QStringList{"line 3: the axis has no length"});
    QCOMPARE(Rows(), 3);
    QCOMPARE(window->Measurement_Data().Measurements().size(), size_t(3));

    // Appended, the ids already taken are given new ones.
    QVERIFY(window->Import_Measurements(File("plan.csv"), false, &errors));
    QCOMPARE(Rows(), 6);
    QCOMPARE(Row_Text(5), QString("Measurement 6"));
    QCOMPARE(int(Display()->Length_Measurements().size()), 6);
}

void TTestOutput::Export_And_Import_Round_Trip()
{
    Import_Plan(5);
    QString error;
    QVERIFY(window->Export_Measurements(File("set.xml"), &error));
    QCOMPARE(Read(File("set.xml")), window->Measurement_Data().File_Data());
    QVERIFY(Read(File("set.xml")).contains("<Measured_Length>101.001000</Measured_Length>"));
    QVERIFY(window->Export_Measurements(File("set.csv"), &error));

    const QByteArray before = window->Measurement_Data().File_Data();
    QStringList errors;
    QVERIFY(window->Import_Measurements(File("set.csv"), true, &errors));
    QCOMPARE(window->Measurement_Data().File_Data(), before);
    QVERIFY(window->Import_Measurements(File("set.xml"), true, &errors));
    QCOMPARE(window->Measurement_Data().File_Data(), before);
}

QTEST_MAIN(TTestOutput)
#include "tst_output.moc"
