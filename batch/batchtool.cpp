// SPDX-License-Identifier: GPL-3.0-or-later
#include "batchtool.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QPainter>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <unistd.h>

#include "conformance.h"
#include "deflectionmodel.h"
#include "errorchartpainter.h"
#include "evaluation.h"
#include "filewriter.h"
#include "fitjson.h"
#include "measurementdata.h"
#include "measurementsetfile.h"
#include "messagetext.h"
#include "modelcatalog.h"
#include "modelcomparison.h"
#include "numbertext.h"
#include "parameterfit.h"
#include "pictureexporter.h"
#include "reportwriter.h"
#include "resultsfile.h"
#include "scenepainter.h"
#include "testdocument.h"
#include "testfile.h"
#include "testplan.h"

namespace
{
QString Tr(const char *text)
{
    return QCoreApplication::translate("TBatchTool", text);
}

const char *const overview =
    QT_TRANSLATE_NOOP("TBatchTool", "Computes what Curvalo shows, from the command line.\n\n"
                                    "Commands:\n"
                                    "  evaluate   the results of all measurements as CSV or JSON\n"
                                    "  plan       a length test plan as a measurement file\n"
                                    "  fit        the model parameters that explain the measured "
                                    "lengths\n"
                                    "  render     the drawing of the display as PNG, SVG or PDF\n"
                                    "  report     the calibration record as PDF, HTML or CSV\n\n"
                                    "'curvalo-batch COMMAND --help' describes a command.");

// Comma-separated finite numbers; false when any part is not one.
bool Read_Numbers(const QString &text, std::vector<double> *numbers)
{
    numbers->clear();
    for (const QString &part : text.split(QLatin1Char(','))) {
        double value = 0.0;
        if (!TNumberText::Read_Finite(part, &value)) {
            return false;
        }
        numbers->push_back(value);
    }
    return true;
}

// The same file, also through a link or another spelling of its path.
bool Same_File(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}
} // namespace

TBatchTool::TBatchTool(QTextStream *out_, QTextStream *err_)
    : out(out_)
    , err(err_)
{
}

TBatchTool::~TBatchTool() = default;

QString TBatchTool::Default_File(const QString &name)
{
    // As the window does: without a home there is no settings folder, not one in "/".
    if (qEnvironmentVariableIsEmpty("HOME")) {
        return QString();
    }
    return QDir::homePath() + QStringLiteral("/.curvalo/") + name;
}

bool TBatchTool::Open_In_A_Window(const QString &file)
{
    const QString settings = Default_File(QStringLiteral("settings.ini"));
    if (settings.isEmpty() || !QFileInfo(settings).isFile()) {
        return false;
    }
    const QString open = TPersistence::Read_Settings_File(settings).test_file;
    if (open.isEmpty() || !Same_File(open, file)) {
        return false;
    }
    // The window that left the file named there may have ended; then its lock is stale. A
    // lock this tool holds itself is no window's.
    const QString lock_file =
        QFileInfo(settings).absoluteDir().filePath(QStringLiteral("curvalo.lock"));
    if (locked_files.contains(lock_file)) {
        return false;
    }
    QLockFile lock(lock_file);
    lock.setStaleLockTime(0);
    return !lock.tryLock(0) && lock.error() == QLockFile::LockFailedError;
}

int TBatchTool::No_Home()
{
    return Input_Error(Tr("no home folder is set (HOME is empty), so there is no settings folder; "
                          "name the files with --settings and --measurements"));
}

int TBatchTool::Claim_Target(const QString &file, bool updates_input)
{
    for (const QString &input : inputs) {
        if (!updates_input && Same_File(file, input)) {
            return Usage_Error(Tr("--output names the input '%1'; nothing was written").arg(file),
                               help_text);
        }
    }
    if (Open_In_A_Window(file)) {
        return Input_Error(Tr("the test '%1' is open in a Curvalo window; close it there first. "
                              "Nothing was written.")
                               .arg(file));
    }
    const QFileInfo target(file);
    const QDir folder = target.absoluteDir();
    const QString lock_file = folder.filePath(QStringLiteral("curvalo.lock"));
    const bool settings_folder = QFileInfo::exists(lock_file) ||
                                 QFileInfo::exists(folder.filePath(QStringLiteral("settings.ini")));
    if (!settings_folder) {
        return -1;
    }
    if (locked_files.contains(lock_file)) {
        return -1;
    }
    auto lock = std::make_unique<QLockFile>(lock_file);
    // Only a lock whose program is gone is stale, however old it is.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() == QLockFile::LockFailedError) {
            return Input_Error(Tr("the settings folder '%1' is in use by a Curvalo window; close "
                                  "it first. Nothing was written.")
                                   .arg(QDir::toNativeSeparators(folder.absolutePath())));
        }
        // No lock can be made there (a read-only folder); the write itself will tell.
        return -1;
    }
    locks.push_back(std::move(lock));
    locked_files << lock_file;
    return -1;
}

int TBatchTool::Run(const QStringList &arguments)
{
    const int code = Run_Command(arguments);
    out->flush();
    if (out->status() != QTextStream::Ok && code == SUCCESS) {
        return Input_Error(Tr("cannot write to standard output"));
    }
    return code;
}

int TBatchTool::Run_Command(const QStringList &arguments)
{
    const QString command = arguments.value(1);
    if (command == QLatin1String("evaluate")) {
        return Evaluate(arguments.mid(1));
    }
    if (command == QLatin1String("plan")) {
        return Plan(arguments.mid(1));
    }
    if (command == QLatin1String("fit")) {
        return Fit(arguments.mid(1));
    }
    if (command == QLatin1String("render")) {
        return Render(arguments.mid(1));
    }
    if (command == QLatin1String("report")) {
        return Report(arguments.mid(1));
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(Tr(overview));
    parser.addPositionalArgument(QStringLiteral("command"),
                                 Tr("evaluate, plan, fit, render or report"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (command.isEmpty() || command.startsWith(QLatin1Char('-'))) {
        if (parser.parse(arguments) && parser.isSet(help)) {
            *out << parser.helpText();
            return SUCCESS;
        }
        if (parser.isSet(version)) {
            *out << QCoreApplication::applicationName() << ' '
                 << QCoreApplication::applicationVersion() << '\n';
            return SUCCESS;
        }
    }
    return Usage_Error(command.isEmpty() ? Tr("a command is missing")
                                         : Tr("unknown command \"%1\"").arg(command),
                       parser.helpText());
}

void TBatchTool::Add_Common_Options(QCommandLineParser *parser, bool with_model) const
{
    parser->addOptions({
        {QStringLiteral("settings"), Tr("The settings file (default ~/.curvalo/settings.ini)."),
         Tr("file")},
        {QStringLiteral("test"),
         Tr("A test file (.curvalo) to read the whole test from, instead of the settings and "
            "measurement files; other options still replace single values."),
         Tr("file")},
        {QStringLiteral("range-y"), Tr("The volume's range in Y (mm)."), Tr("mm")},
        {QStringLiteral("range-z"), Tr("The volume's range in Z (mm)."), Tr("mm")},
        {QStringLiteral("output"), Tr("Write to this file instead of standard output."),
         Tr("file")},
    });
    if (with_model) {
        parser->addOptions({
            {QStringLiteral("measurements"),
             Tr("The measurement file (default ~/.curvalo/measurements.xml)."), Tr("file")},
            {QStringLiteral("model"),
             Tr("The deflection model: generic, renishaw or lk (fit also takes all, to compare "
                "them)."),
             Tr("name")},
            {QStringLiteral("parameters"), Tr("The model's four parameters."), Tr("p1,p2,p3,p4")},
            {QStringLiteral("mpe"), Tr("The MPE: A + L/K µm, capped at B µm."), Tr("A,K[,B]")},
            {QStringLiteral("uncertainty"),
             Tr("The test uncertainty U0 + L/KU µm (U0 alone: constant); verdicts then follow "
                "ISO 14253-1 and may read \"undecided\"."),
             Tr("U0[,KU]")},
            {QStringLiteral("mpe-r0"), Tr("The MPE of the repeatability range R, in µm."),
             Tr("R0")},
            {QStringLiteral("gauge-temperature"),
             Tr("The gauges' temperature in °C; with --gauge-cte, measured lengths are "
                "corrected to 20 °C."),
             Tr("t")},
            {QStringLiteral("gauge-cte"), Tr("The gauges' expansion coefficient in 10⁻⁶/K."),
             Tr("alpha")},
        });
    }
}

int TBatchTool::Parse(QCommandLineParser *parser, const QStringList &arguments,
                      const QString &command)
{
    const QCommandLineOption help = parser->addHelpOption();
    const QCommandLineOption version = parser->addVersionOption();
    parser->addPositionalArgument(command, QString(), command);
    help_text = parser->helpText();
    if (!parser->parse(arguments)) {
        return Usage_Error(parser->errorText(), help_text);
    }
    if (parser->isSet(help)) {
        *out << help_text;
        return SUCCESS;
    }
    if (parser->isSet(version)) {
        *out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
             << '\n';
        return SUCCESS;
    }
    if (!parser->positionalArguments().isEmpty()) {
        return Usage_Error(
            Tr("unexpected argument \"%1\"").arg(parser->positionalArguments().first()), help_text);
    }
    if (parser->isSet(QStringLiteral("output")) &&
        parser->value(QStringLiteral("output")).isEmpty()) {
        return Usage_Error(Tr("--output needs a file name"), help_text);
    }
    return -1;
}

int TBatchTool::Read_Whole_Number(const QCommandLineParser &parser, const QString &option,
                                  int minimum, int maximum, int *value)
{
    if (!parser.isSet(option)) {
        return -1;
    }
    bool ok = false;
    *value = parser.value(option).toInt(&ok);
    if (!ok || *value < minimum || *value > maximum) {
        return Usage_Error(Tr("--%1 must be a whole number from %2 to %3: \"%4\"")
                               .arg(option)
                               .arg(minimum)
                               .arg(maximum)
                               .arg(parser.value(option)),
                           help_text);
    }
    return -1;
}

int TBatchTool::Usage_Error(const QString &message, const QString &help)
{
    *err << QCoreApplication::applicationName() << ": " << message << "\n\n" << help;
    return USAGE_ERROR;
}

int TBatchTool::Input_Error(const QString &message)
{
    *err << QCoreApplication::applicationName() << ": " << message << '\n';
    return INPUT_ERROR;
}

int TBatchTool::Read_Settings(const QCommandLineParser &parser, TNeeds needs,
                              TTestDocument *document)
{
    QString file;
    if (parser.isSet(QStringLiteral("test"))) {
        file = parser.value(QStringLiteral("test"));
        QString error;
        if (!TTestFile::Read(file, document, &error)) {
            return Input_Error(Tr("cannot read the test '%1': %2").arg(file, error));
        }
        inputs << file;
    } else {
        file = Settings_File(parser);
        if (file.isEmpty()) {
            return INPUT_ERROR;
        }
        if (parser.isSet(QStringLiteral("settings")) && !QFileInfo(file).isFile()) {
            return Input_Error(Tr("cannot read the settings file '%1'").arg(file));
        }
        inputs << file;
        document->Load_Settings(TPersistence::Read_Settings_File(file));
    }

    // The model first: a new model takes what the fields hold, and the options below then
    // replace single values.
    const bool with_model = needs != NEEDS_RANGES;
    if (with_model && parser.isSet(QStringLiteral("model"))) {
        const TModelCatalog::TModel *model =
            TModelCatalog::Find_Key(parser.value(QStringLiteral("model")));
        if (!model) {
            return Usage_Error(Tr("--model must be generic, renishaw or lk: \"%1\"")
                                   .arg(parser.value(QStringLiteral("model"))),
                               help_text);
        }
        for (int index = 0; index < TModelCatalog::Model_Count(); ++index) {
            if (TModelCatalog::Model_At(index).type == model->type) {
                document->Set_Model_Index(index);
            }
        }
    }
    const char *const range_options[2] = {"range-y", "range-z"};
    for (int i = 0; i < 2; ++i) {
        const QString option = QLatin1String(range_options[i]);
        if (parser.isSet(option)) {
            double range = 0.0;
            if (!TNumberText::Read(parser.value(option), &range) || !std::isfinite(range) ||
                !(range > 1.0)) {
                return Usage_Error(Tr("--%1 must be a number of millimetres greater than 1: \"%2\"")
                                       .arg(option, parser.value(option)),
                                   help_text);
            }
            document->Set_Field(TTestDocument::FIELD_RANGE_Y + i, parser.value(option), range);
        }
    }
    if (with_model && parser.isSet(QStringLiteral("parameters"))) {
        std::vector<double> values;
        if (!Read_Numbers(parser.value(QStringLiteral("parameters")), &values) ||
            values.size() != 4) {
            return Usage_Error(Tr("--parameters must be four numbers: \"%1\"")
                                   .arg(parser.value(QStringLiteral("parameters"))),
                               help_text);
        }
        for (int i = 0; i < 4; ++i) {
            document->Set_Field(i, TNumberText::Shortest(values[size_t(i)]), values[size_t(i)]);
        }
    }
    if (with_model && parser.isSet(QStringLiteral("mpe"))) {
        TMpe mpe;
        QString error;
        if (!TMpe::Parse(parser.value(QStringLiteral("mpe")), &mpe, &error)) {
            return Usage_Error(QStringLiteral("--mpe: ") + error, help_text);
        }
        document->Set_Mpe(
            mpe, QStringList{TNumberText::Shortest(mpe.A()), TNumberText::Shortest(mpe.K()),
                             mpe.Has_B() ? TNumberText::Shortest(mpe.B()) : QString()});
    }

    if (with_model) {
        TTestConditions conditions = document->Conditions();
        const std::pair<const char *, const char *> condition_options[] = {
            {"uncertainty", "Uncertainty"},
            {"mpe-r0", "MPE_R0"},
            {"gauge-temperature", "Gauge_Temperature"},
            {"gauge-cte", "Gauge_CTE"}};
        bool given = false;
        for (const auto &option : condition_options) {
            const QString name = QLatin1String(option.first);
            if (!parser.isSet(name)) {
                continue;
            }
            QString reason;
            if (!conditions.Set(QLatin1String(option.second), parser.value(name), &reason)) {
                return Usage_Error(QStringLiteral("--%1: %2").arg(name, reason), help_text);
            }
            given = true;
        }
        if (given) {
            document->Set_Conditions(conditions);
        }
    }

    // A stored value the window would show marked and not use is not computed with either.
    QStringList refused;
    const TModelCatalog::TModel *model = TModelCatalog::Find(document->Model_Type());
    const int parameters_used = with_model && model ? model->parameter_count : 0;
    for (int field = 0; field < TTestDocument::FIELD_COUNT; ++field) {
        const bool used = field >= TTestDocument::FIELD_RANGE_Y || field < parameters_used;
        if (used && !document->Unused_Stored_Value(field).isEmpty()) {
            refused << document->Unused_Stored_Value(field);
        }
    }
    if (needs == NEEDS_MODEL_AND_MPE && !document->Unused_Stored_Mpe().isEmpty()) {
        refused << document->Unused_Stored_Mpe();
    }
    if (needs == NEEDS_MODEL_AND_MPE) {
        refused << document->Unused_Stored_Conditions();
    }
    if (!refused.isEmpty()) {
        return Input_Error(Tr("the settings file '%1' holds values that cannot be used: %2; "
                              "correct them or give them on the command line")
                               .arg(file, refused.join(QStringLiteral(", "))));
    }
    return -1;
}

QString TBatchTool::Settings_File(const QCommandLineParser &parser)
{
    if (parser.isSet(QStringLiteral("settings"))) {
        return parser.value(QStringLiteral("settings"));
    }
    QString file = Default_File(QStringLiteral("settings.ini"));
    if (file.isEmpty()) {
        No_Home();
    }
    return file;
}

int TBatchTool::Read_Measurements(const QCommandLineParser &parser, TTestDocument *document)
{
    const bool named = parser.isSet(QStringLiteral("measurements"));
    // A test brings its own measurements, unless others are named.
    if (!named && parser.isSet(QStringLiteral("test"))) {
        return -1;
    }
    const QString file = named ? parser.value(QStringLiteral("measurements"))
                               : Default_File(QStringLiteral("measurements.xml"));
    if (file.isEmpty()) {
        return No_Home();
    }
    if (!named && !QFileInfo::exists(file)) {
        return -1;
    }
    inputs << file;
    TMeasurementData data;
    // The CSV form of a measurement set, as File ▸ Export Measurements writes it.
    if (file.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
        const TMeasurementSetFile::TImport import = TMeasurementSetFile::Read(file);
        if (!import.ok) {
            return Input_Error(
                Tr("cannot read '%1':\n%2").arg(file, import.errors.join(QLatin1Char('\n'))));
        }
        TMeasurementSetFile::Add(import.measurements, true, &data);
        document->Set_Measurements(data.Measurements());
        return -1;
    }
    if (!data.Load_Data(file)) {
        return Input_Error(Tr("cannot read '%1': %2").arg(file, data.Last_Error()));
    }
    // What the window would not load as it stands is not computed with either.
    if (!data.Load_Notes().isEmpty()) {
        return Input_Error(
            Tr("cannot read '%1' completely:\n%2")
                .arg(file, TMessageText::Limit(data.Load_Notes()).join(QLatin1Char('\n'))));
    }
    document->Set_Measurements(data.Measurements());
    return -1;
}

int TBatchTool::Read_Test(const QCommandLineParser &parser, TNeeds needs, TTestDocument *document)
{
    const int code = Read_Settings(parser, needs, document);
    return code >= 0 ? code : Read_Measurements(parser, document);
}

int TBatchTool::Deliver(const QCommandLineParser &parser, const QByteArray &data)
{
    QString reason;
    if (!parser.isSet(QStringLiteral("output"))) {
        out->flush();
        QFile standard_output;
        if (!standard_output.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
            !TFileWriter::Write_All(&standard_output, data, &reason)) {
            return Input_Error(Tr("cannot write to standard output: %1")
                                   .arg(reason.isEmpty() ? standard_output.errorString() : reason));
        }
        return SUCCESS;
    }
    const QString file = parser.value(QStringLiteral("output"));
    const int code = Claim_Target(file);
    if (code >= 0) {
        return code;
    }
    if (TFileWriter::Write(file, data, &reason) != TFileWriter::WRITTEN) {
        return Input_Error(Tr("cannot write '%1': %2").arg(file, reason));
    }
    return SUCCESS;
}

int TBatchTool::Evaluate(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Tr("Writes the results of all measurements as CSV, or as JSON when the output file "
           "ends in \".json\"."));
    Add_Common_Options(&parser, true);
    int code = Parse(&parser, arguments, QStringLiteral("evaluate"));
    if (code >= 0) {
        return code;
    }
    TTestDocument document;
    if ((code = Read_Test(parser, NEEDS_MODEL_AND_MPE, &document)) >= 0) {
        return code;
    }
    const std::vector<TEvaluation::TResult> results = TEvaluation::Evaluate_All(
        document.Model(), document.Measurement_Data(), document.Mpe(), document.Conditions());
    const bool json = parser.value(QStringLiteral("output"))
                          .endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
    // A test judged by the standard's rules gets their columns and its statement; any other
    // gets what it always got.
    if (TResultsFile::Judged_By_Conditions(document)) {
        const TConformance::TStatement statement =
            TConformance::Judge(results, document.Mpe().Is_Set(), document.Conditions());
        return Deliver(parser, json ? TResultsFile::Json(results, statement)
                                    : TResultsFile::Csv(results, true));
    }
    return Deliver(parser, json ? TResultsFile::Json(results) : TResultsFile::Csv(results));
}

int TBatchTool::Plan(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Tr("Writes a length test plan for the volume of the settings as a measurement file: "
           "lines along Y, along Z and the two diagonals through the volume's centre."));
    Add_Common_Options(&parser, false);
    parser.addOptions({
        {QStringLiteral("lengths"),
         Tr("The test lengths in mm, the same on every line (default: five per line, from 10 "
            "% to 90 % of its length)."),
         Tr("l1,l2,...")},
        {QStringLiteral("repeats"), Tr("Measurements per gauge (default 3)."), Tr("n")},
        {QStringLiteral("y-lines-at"),
         Tr("Further lines along Y, away from the centre, at these Z positions in mm."),
         Tr("z1,z2,...")},
        {QStringLiteral("z-lines-at"),
         Tr("Further lines along Z, away from the centre, at these Y positions in mm."),
         Tr("y1,y2,...")},
    });
    int code = Parse(&parser, arguments, QStringLiteral("plan"));
    if (code >= 0) {
        return code;
    }
    if (!parser.isSet(QStringLiteral("output"))) {
        return Usage_Error(Tr("plan needs --output FILE"), help_text);
    }
    std::vector<double> lengths;
    if (parser.isSet(QStringLiteral("lengths")) &&
        (!Read_Numbers(parser.value(QStringLiteral("lengths")), &lengths) ||
         std::any_of(lengths.begin(), lengths.end(), [](double length) {
             // The file keeps six decimals: a length that would be stored as 0 is no length.
             return !(TNumberText::Fixed(length, 6).toDouble() > 0.0);
         }))) {
        return Usage_Error(Tr("--lengths must be positive numbers of millimetres: \"%1\"")
                               .arg(parser.value(QStringLiteral("lengths"))),
                           help_text);
    }
    int repeats = 3;
    if ((code = Read_Whole_Number(parser, QStringLiteral("repeats"), 1, 100, &repeats)) >= 0) {
        return code;
    }
    TTestDocument document;
    if ((code = Read_Settings(parser, NEEDS_RANGES, &document)) >= 0) {
        return code;
    }

    TTestPlan plan(document.Field_Value(TTestDocument::FIELD_RANGE_Y),
                   document.Field_Value(TTestDocument::FIELD_RANGE_Z));
    std::vector<double> positions[2];
    const char *const line_options[2] = {"y-lines-at", "z-lines-at"};
    for (int i = 0; i < 2; ++i) {
        const QString option = QLatin1String(line_options[i]);
        if (parser.isSet(option) &&
            (!Read_Numbers(parser.value(option), &positions[i]) ||
             std::any_of(positions[i].begin(), positions[i].end(),
                         [](double position) { return !(position >= 0.0); }))) {
            return Usage_Error(Tr("--%1 must be positions in mm, 0 or more: \"%2\"")
                                   .arg(option, parser.value(option)),
                               help_text);
        }
    }
    plan.Set_Off_Centre_Lines(positions[0], positions[1]);
    QStringList left_out;
    const std::vector<TMeasurementData::TMeasurement> measurements =
        plan.Measurements(lengths, repeats, &left_out);
    for (const QString &line : left_out) {
        *err << QCoreApplication::applicationName() << ": " << line << '\n';
    }
    if (measurements.empty()) {
        return Input_Error(Tr("no test length fits the volume; nothing was written"));
    }
    TMeasurementData data;
    TTestPlan::Append(measurements, &data);
    // A plan written as a test file is a new test: the volume, model and MPE it was made
    // for, and its measurements.
    if (parser.value(QStringLiteral("output")).endsWith(QLatin1String(".curvalo"))) {
        document.Set_Measurements(data.Measurements());
        return Deliver(parser, TTestFile::Data(document));
    }
    const QByteArray content = data.File_Data();
    if (content.isEmpty()) {
        return Input_Error(data.Last_Error());
    }
    return Deliver(parser, content);
}

int TBatchTool::Fit(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Tr("Finds the parameters of the model that explain the measured lengths and writes the "
           "result as one JSON object."));
    Add_Common_Options(&parser, true);
    parser.addOptions({
        {QStringLiteral("free"),
         Tr("The parameters to fit (default: those the model uses, LK 2 and 4, without those "
            "the measurements determine only poorly). With --model all every model is fitted "
            "and compared."),
         Tr("n1,n2,...")},
        {QStringLiteral("write-settings"),
         Tr("Store the fitted parameters in the settings file, as the window's Apply does.")},
        {QStringLiteral("write-test"),
         Tr("Store the fitted model and parameters in the test file named with --test.")},
    });
    int code = Parse(&parser, arguments, QStringLiteral("fit"));
    if (code >= 0) {
        return code;
    }
    const bool write_test = parser.isSet(QStringLiteral("write-test"));
    if (write_test && !parser.isSet(QStringLiteral("test"))) {
        return Usage_Error(Tr("--write-test needs --test FILE"), help_text);
    }
    if (parser.value(QStringLiteral("model")) == QLatin1String("all")) {
        return Compare_Models(parser);
    }
    TTestDocument document;
    if ((code = Read_Settings(parser, NEEDS_MODEL, &document)) >= 0) {
        return code;
    }
    if (document.Model_Index() < 0) {
        return Input_Error(Tr("no deflection model is chosen in the settings; name one with "
                              "--model"));
    }
    const TModelCatalog::TModel &model = TModelCatalog::Model_At(document.Model_Index());
    std::vector<int> free = TParameterFit::Default_Free(model.type);
    if (parser.isSet(QStringLiteral("free"))) {
        free.clear();
        for (const QString &part : parser.value(QStringLiteral("free")).split(QLatin1Char(','))) {
            bool ok = false;
            const int number = part.trimmed().toInt(&ok);
            if (!ok || number < 1 || number > model.parameter_count) {
                return Usage_Error(Tr("--free takes parameter numbers from 1 to %1: \"%2\"")
                                       .arg(model.parameter_count)
                                       .arg(parser.value(QStringLiteral("free"))),
                                   help_text);
            }
            free.push_back(number);
        }
    }
    if ((code = Read_Measurements(parser, &document)) >= 0) {
        return code;
    }

    const double parameters[4] = {document.Field_Value(TTestDocument::FIELD_PARAMETER1),
                                  document.Field_Value(TTestDocument::FIELD_PARAMETER2),
                                  document.Field_Value(TTestDocument::FIELD_PARAMETER3),
                                  document.Field_Value(TTestDocument::FIELD_PARAMETER4)};
    // Measured lengths at 20 °C, as the results judge them.
    const TMeasurementData data = document.Fit_Data();
    // Unless told which, the fit leaves out what the measurements determine only poorly.
    std::vector<TParameterFit::TPoorlyDetermined> held;
    if (!parser.isSet(QStringLiteral("free"))) {
        const TParameterFit::TIdentifiability start =
            TParameterFit::Identifiability(model.type, parameters, document.Model()->Range_Y(),
                                           document.Model()->Range_Z(), data, free);
        held = start.poorly_determined;
        free = TParameterFit::Without_Poorly_Determined(free, start);
    }
    const TParameterFit::TResult result =
        TParameterFit::Fit(model.type, parameters, document.Model()->Range_Y(),
                           document.Model()->Range_Z(), data, free);
    if (!result.fitted) {
        return Input_Error(result.error + Tr(" Nothing was written."));
    }

    // What the window's Apply writes: each parameter at the decimals its controller takes.
    double controller[4];
    std::copy(result.parameters, result.parameters + 4, controller);
    for (const int number : result.free) {
        controller[number - 1] = TParameterFit::Controller_Value(
            result.parameters[number - 1], model.parameters[number - 1].decimals);
    }
    const double controller_rms = TParameterFit::Residual_Rms(
        model.type, controller, document.Model()->Range_Y(), document.Model()->Range_Z(), data);
    const QString json =
        TFitJson::Of_Fit(result, held, controller, controller_rms, document.Mpe().Is_Set(),
                         TParameterFit::Predict(result, data, document.Mpe()),
                         TParameterFit::Lines(result, data, document.Model()->Range_Y(),
                                              document.Model()->Range_Z()));

    // Both targets are claimed before anything is written; then the output first and the
    // settings last, so that when the output cannot be written the settings stay as they were.
    const bool write_settings = parser.isSet(QStringLiteral("write-settings"));
    if (write_settings && (code = Claim_Target(Settings_File(parser), true)) >= 0) {
        return code;
    }
    const QString test_file = parser.value(QStringLiteral("test"));
    if (write_test && (code = Claim_Target(test_file, true)) >= 0) {
        return code;
    }
    if ((code = Deliver(parser, json.toUtf8())) != SUCCESS) {
        return code;
    }
    if (write_settings) {
        const QString file = Settings_File(parser);
        TPersistence::TFit fit;
        std::copy(controller, controller + 4, fit.parameters);
        // What the fit used and the file does not already say.
        fit.model = parser.isSet(QStringLiteral("model")) ? document.Model_Index() : -1;
        fit.range_y = parser.isSet(QStringLiteral("range-y")) ? document.Model()->Range_Y() : 0.0;
        fit.range_z = parser.isSet(QStringLiteral("range-z")) ? document.Model()->Range_Z() : 0.0;
        QString reason;
        if (!TPersistence::Write_Fit(file, fit, &reason)) {
            return Input_Error(Tr("cannot write the settings file '%1': %2").arg(file, reason));
        }
    }
    if (write_test) {
        // The whole test with the fitted parameters, replacing the file all at once.
        for (const int number : result.free) {
            const double value = controller[number - 1];
            document.Set_Field(number - 1, TNumberText::Shortest(value), value);
        }
        QString reason;
        if (TFileWriter::Write(test_file, TTestFile::Data(document), &reason) !=
            TFileWriter::WRITTEN) {
            return Input_Error(Tr("cannot write the test '%1': %2").arg(test_file, reason));
        }
    }
    return SUCCESS;
}

// fit --model all: each model fitted to the same measured lengths, side by side.
int TBatchTool::Compare_Models(const QCommandLineParser &parser)
{
    for (const char *option : {"free", "parameters", "write-settings", "write-test"}) {
        if (parser.isSet(QLatin1String(option))) {
            return Usage_Error(
                Tr("--model all compares the models as they stand; --%1 does not go with it")
                    .arg(QLatin1String(option)),
                help_text);
        }
    }
    TTestDocument document;
    int code = Read_Settings(parser, NEEDS_RANGES, &document);
    if (code >= 0 || (code = Read_Measurements(parser, &document)) >= 0) {
        return code;
    }
    const TModelComparison::TComparison comparison = TModelComparison::Compare(document);
    if (comparison.best < 0) {
        return Input_Error(comparison.entries.empty()
                               ? Tr("No model could be fitted. Nothing was written.")
                               : comparison.entries.front().fit.error +
                                     Tr(" Nothing was written."));
    }
    return Deliver(parser, TFitJson::Of_Comparison(comparison).toUtf8());
}

int TBatchTool::Render(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Tr("Draws the display's picture for the settings and measurements as PNG (white "
           "background), SVG or PDF, chosen by the output file's ending."));
    Add_Common_Options(&parser, true);
    parser.addOptions({
        {QStringLiteral("size"), Tr("The picture's size in pixels (default 1000x1000)."),
         Tr("WxH")},
        {QStringLiteral("exaggeration"), Tr("The exaggeration of the corrections (default 1)."),
         Tr("n")},
    });
    int code = Parse(&parser, arguments, QStringLiteral("render"));
    if (code >= 0) {
        return code;
    }
    TPictureExporter::TFormat format = TPictureExporter::FORMAT_PNG;
    if (!parser.isSet(QStringLiteral("output")) ||
        !TPictureExporter::Format_Of(parser.value(QStringLiteral("output")), &format)) {
        return Usage_Error(Tr("render needs --output FILE ending in .png, .svg or .pdf"),
                           help_text);
    }
    QSize size(1000, 1000);
    if (parser.isSet(QStringLiteral("size"))) {
        const QStringList parts = parser.value(QStringLiteral("size")).split(QLatin1Char('x'));
        bool width_ok = false;
        bool height_ok = false;
        if (parts.size() == 2) {
            size = QSize(parts[0].toInt(&width_ok), parts[1].toInt(&height_ok));
        }
        if (!width_ok || !height_ok || size.width() < 1 || size.height() < 1 ||
            size.width() > 20000 || size.height() > 20000) {
            return Usage_Error(Tr("--size must be WIDTHxHEIGHT in pixels, each 1 to 20000: \"%1\"")
                                   .arg(parser.value(QStringLiteral("size"))),
                               help_text);
        }
    }
    int exaggeration = 1;
    if ((code = Read_Whole_Number(parser, QStringLiteral("exaggeration"), 1, 1000000,
                                  &exaggeration)) >= 0) {
        return code;
    }
    TTestDocument document;
    if ((code = Read_Test(parser, NEEDS_MODEL, &document)) >= 0) {
        return code;
    }
    const std::vector<TScenePainter::TLengthMeasurement> gauges =
        TScenePainter::Gauges_Of(document.Measurement_Data());
    QString error;
    if ((code = Claim_Target(parser.value(QStringLiteral("output")))) >= 0) {
        return code;
    }
    if (!TPictureExporter::Export(
            parser.value(QStringLiteral("output")),
            TScenePainter::TScene{document.Model(), double(exaggeration), &gauges}, size,
            QGuiApplication::font(), 1, &error)) {
        return Input_Error(error);
    }
    return SUCCESS;
}

int TBatchTool::Report(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Tr("Writes the calibration record for the settings and measurements as PDF, HTML or "
           "CSV, chosen by the output file's ending."));
    Add_Common_Options(&parser, true);
    parser.addOptions({
        {QStringLiteral("title"), Tr("The report's title."), Tr("text")},
        {QStringLiteral("machine"), Tr("The machine's name or serial number."), Tr("text")},
        {QStringLiteral("operator"), Tr("Who measured."), Tr("text")},
        {QStringLiteral("exaggeration"),
         Tr("The exaggeration of the picture (default: the window's, from the settings)."),
         Tr("n")},
    });
    int code = Parse(&parser, arguments, QStringLiteral("report"));
    if (code >= 0) {
        return code;
    }
    const QString output = parser.value(QStringLiteral("output")).toLower();
    if (!parser.isSet(QStringLiteral("output")) ||
        !(output.endsWith(QLatin1String(".pdf")) || output.endsWith(QLatin1String(".html")) ||
          output.endsWith(QLatin1String(".csv")))) {
        return Usage_Error(Tr("report needs --output FILE ending in .pdf, .html or .csv"),
                           help_text);
    }
    TTestDocument document;
    if ((code = Read_Test(parser, NEEDS_MODEL_AND_MPE, &document)) >= 0) {
        return code;
    }
    // The record names what the command line gives, never what the window last entered; a
    // test file's own details are the test's, and stay unless an option replaces them.
    TTestDocument::TReportDetails details;
    if (parser.isSet(QStringLiteral("test"))) {
        details = document.Report_Details();
    }
    const std::pair<const char *, QString TTestDocument::TReportDetails::*> options[] = {
        {"title", &TTestDocument::TReportDetails::title},
        {"machine", &TTestDocument::TReportDetails::machine},
        {"operator", &TTestDocument::TReportDetails::operator_name}};
    for (const auto &option : options) {
        if (parser.isSet(QLatin1String(option.first)) || !parser.isSet(QStringLiteral("test"))) {
            details.*option.second = parser.value(QLatin1String(option.first));
        }
    }
    document.Set_Report_Details(details);
    // The picture as the window shows it: deflections at a metre's scale are invisible
    // without the exaggeration.
    int exaggeration = 1;
    if (!parser.isSet(QStringLiteral("test"))) {
        const QString settings = Settings_File(parser);
        if (!settings.isEmpty() && QFileInfo(settings).isFile()) {
            exaggeration = TPersistence::Read_Settings_File(settings).exaggeration;
        }
    }
    if ((code = Read_Whole_Number(parser, QStringLiteral("exaggeration"), 1, 1000000,
                                  &exaggeration)) >= 0) {
        return code;
    }
    if ((code = Claim_Target(parser.value(QStringLiteral("output")))) >= 0) {
        return code;
    }
    QString error;
    if (!TReportWriter::Of_Test(document, double(exaggeration), QGuiApplication::font(),
                                QCoreApplication::applicationVersion())
             ->Export(parser.value(QStringLiteral("output")), &error)) {
        return Input_Error(error);
    }
    return SUCCESS;
}
