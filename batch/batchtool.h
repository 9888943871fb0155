// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TBATCHTOOL_H
#define TBATCHTOOL_H

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QCommandLineParser;
class QLockFile;
class QTextStream;
class TTestDocument;

// curvalo-batch: what the window computes, from a script. Data go to standard output or to
// --output FILE, messages to standard error. Exit codes: 0 done, 1 an input could not be read
// or used, 2 the command line is wrong. Nothing is written when anything fails.
class TBatchTool
{
public:
    enum TExitCode { SUCCESS = 0, INPUT_ERROR = 1, USAGE_ERROR = 2 };

    TBatchTool(QTextStream *out, QTextStream *err);
    ~TBatchTool();
    TBatchTool(const TBatchTool &) = delete;
    TBatchTool &operator=(const TBatchTool &) = delete;

    // The arguments as the program got them, its name first.
    int Run(const QStringList &arguments);

private:
    int Run_Command(const QStringList &arguments);
    int Evaluate(const QStringList &arguments);
    int Plan(const QStringList &arguments);
    int Fit(const QStringList &arguments);
    int Compare_Models(const QCommandLineParser &parser);
    int Render(const QStringList &arguments);
    int Report(const QStringList &arguments);
    // What of the test a command uses: a stored value it needs and cannot use is refused.
    enum TNeeds { NEEDS_RANGES, NEEDS_MODEL, NEEDS_MODEL_AND_MPE };

    // The settings and measurements of a command that computes; -1 to go on, or the exit code.
    int Read_Test(const QCommandLineParser &parser, TNeeds needs, TTestDocument *document);
    // The settings file the command reads; empty without one (no home folder).
    QString Settings_File(const QCommandLineParser &parser);

    // The options every subcommand takes, with those of the model when asked for.
    void Add_Common_Options(QCommandLineParser *parser, bool with_model) const;
    // The steps below return -1 to go on, or the exit code to end with (after telling why).
    // Parses, and handles --help and --version.
    int Parse(QCommandLineParser *parser, const QStringList &arguments, const QString &command);
    // The settings file and the overrides of the command line, by the rules the window keeps.
    int Read_Settings(const QCommandLineParser &parser, TNeeds needs, TTestDocument *document);
    int Read_Measurements(const QCommandLineParser &parser, TTestDocument *document);
    // An option that takes a whole number within the bounds; *value keeps its default when
    // the option is not given.
    int Read_Whole_Number(const QCommandLineParser &parser, const QString &option, int minimum,
                          int maximum, int *value);
    int Usage_Error(const QString &message, const QString &help);
    int Input_Error(const QString &message);
    // Writes the data to --output (all at once) or to standard output.
    int Deliver(const QCommandLineParser &parser, const QByteArray &data);
    // Before anything is written to the file: it must not be one of the inputs (unless the
    // command updates that input), and in a settings folder the tool takes the folder's lock
    // (and keeps it until it ends), or refuses while a window holds it. -1 to go on, or the
    // exit code.
    int Claim_Target(const QString &file, bool updates_input = false);
    // A file under ~/.curvalo; empty when there is no home folder.
    QString Default_File(const QString &name);
    // Tells that there is no home folder, and gives the exit code.
    int No_Home();
    // True when a running window works on this test file (its settings folder names it and
    // its lock is held).
    bool Open_In_A_Window(const QString &file);

    QTextStream *out;
    QTextStream *err;
    QString help_text;
    // The files the command has read, which no output may replace.
    QStringList inputs;
    // The settings folders' locks the tool holds, and their files.
    std::vector<std::unique_ptr<QLockFile>> locks;
    QStringList locked_files;
};

#endif
