// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDockWidget>
#include <QDomDocument>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTableView>
#include <QTextBrowser>
#include <QToolButton>

#include "errorchartpainter.h"
#include "evaluation.h"
#include "translations.h"
#include "userguidedialog.h"
#include "windowfixture.h"

// The window in German: every text of the code has a translation that keeps its placeholders,
// the translations match the texts the code has today, the window and its guide speak German,
// and the files it writes read the same in every language.
class TTestTranslations : public QObject, public TWindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void Every_Text_Is_Translated_data();
    void Every_Text_Is_Translated();
    void Translations_Match_The_Code();
    void Window_Speaks_German_data();
    void Window_Speaks_German();
    void Questions_Use_Qt_Translations();
    void User_Guide_Is_German();
    void German_Window_Fits_The_Fallback_Size();
    void Files_Keep_The_Decimal_Point();
    void Chart_Markers_Follow_The_Labels_data();
    void Chart_Markers_Follow_The_Labels();
    // Last: it installs the translations of other locales.
    void Language_Follows_The_Locale_data();
    void Language_Follows_The_Locale();

private:
    struct TMessage {
        QString context;
        QString source;
        QString translation;
        QString type;
    };
    static QList<TMessage> Messages(const QString &ts_file);
    static QString Read(const QString &file_name);
};

void TTestTranslations::initTestCase()
{
    const QLocale german(QLocale::German, QLocale::Germany);
    QLocale::setDefault(german);
    QCOMPARE(TTranslations::Install(german), QString("de"));
}

void TTestTranslations::init()
{
    New_Home();
}

void TTestTranslations::cleanup()
{
    window.reset();
}

QList<TTestTranslations::TMessage> TTestTranslations::Messages(const QString &ts_file)
{
    QFile file(ts_file);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QDomDocument document;
    if (!document.setContent(&file)) {
        return {};
    }
    QList<TMessage> messages;
    const QDomNodeList contexts = document.elementsByTagName("context");
    for (int i = 0; i < contexts.size(); ++i) {
        const QDomElement context = contexts.at(i).toElement();
        const QString name = context.firstChildElement("name").text();
        for (QDomElement message = context.firstChildElement("message"); !message.isNull();
             message = message.nextSiblingElement("message")) {
            const QDomElement translation = message.firstChildElement("translation");
            messages << TMessage{name, message.firstChildElement("source").text(),
                                 translation.text(), translation.attribute("type")};
        }
    }
    return messages;
}

QString TTestTranslations::Read(const QString &file_name)
{
    QFile file(file_name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void TTestTranslations::Every_Text_Is_Translated_data()
{
    QTest::addColumn<QString>("ts_file");
    QTest::newRow("German") << QString(CURVALO_SOURCE_DIR "/translations/curvalo_de.ts");
}

void TTestTranslations::Every_Text_Is_Translated()
{
    QFETCH(QString, ts_file);
    const QList<TMessage> messages = Messages(ts_file);
    QVERIFY2(messages.size() > 300, qPrintable(ts_file));
    const QRegularExpression placeholder("%\\d");
    const auto placeholders = [&placeholder](const QString &text) {
        QStringList found;
        for (auto match = placeholder.globalMatch(text); match.hasNext();) {
            found << match.next().captured();
        }
        found.sort();
        // Each plural form of a message holds the placeholders once more.
        found.removeDuplicates();
        return found;
    };
    for (const TMessage &message : messages) {
        const QString where = message.context + ": " + message.source;
        QVERIFY2(message.type.isEmpty(), qPrintable(where + " is " + message.type));
        QVERIFY2(!message.translation.trimmed().isEmpty(), qPrintable(where));
        // Every value the code fills in appears in the translation.
        QVERIFY2(placeholders(message.source) == placeholders(message.translation),
                 qPrintable(where));
        // Labels keep their colon, menu entries that open a dialog their ellipsis, and the
        // file reader's messages the prefix that callers look for.
        for (const char *end : {":", "\u2026", "\n"}) {
            QVERIFY2(message.source.endsWith(end) == message.translation.endsWith(end),
                     qPrintable(where));
        }
        QVERIFY2(message.source.startsWith("ERR:  ") == message.translation.startsWith("ERR:  "),
                 qPrintable(where));
    }
}

void TTestTranslations::Translations_Match_The_Code()
{
    // lupdate run over the code today: a text added to the code shows up as unfinished, one
    // removed from it as a message the shipped file has and the fresh one has not.
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString shipped = CURVALO_SOURCE_DIR "/translations/curvalo_de.ts";
    const QString fresh = scratch.filePath("curvalo_de.ts");
    QVERIFY(QFile::copy(shipped, fresh));
    QFile::setPermissions(fresh, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.setWorkingDirectory(CURVALO_SOURCE_DIR);
    lupdate.start(CURVALO_LUPDATE, {"-silent", "-locations", "none", "-no-obsolete", "core",
                                    "paint", "commands", "widgets", "src", "-ts", fresh});
    QVERIFY(lupdate.waitForFinished(120000));
    QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
             lupdate.readAllStandardError().constData());

    QSet<QString> shipped_texts;
    for (const TMessage &message : Messages(shipped)) {
        shipped_texts << message.context + QLatin1Char('\x1f') + message.source;
    }
    QSet<QString> code_texts;
    for (const TMessage &message : Messages(fresh)) {
        const QString key = message.context + QLatin1Char('\x1f') + message.source;
        QVERIFY2(message.type.isEmpty(),
                 qPrintable("not translated: " + message.context + ": " + message.source));
        code_texts << key;
    }
    QVERIFY2(code_texts == shipped_texts,
             qPrintable("run the update_translations target: " +
                        QStringList((shipped_texts - code_texts).values()).join(", ")));
}

void TTestTranslations::Window_Speaks_German_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::newRow("model") << "model_label"
                           << "Biegemodell:";
    QTest::newRow("Y range") << "range_y_label"
                             << "Y-Bereich:";
    QTest::newRow("exaggeration") << "exaggeration_label"
                                  << "Überhöhung:";
    QTest::newRow("first parameter") << "parameter1_label"
                                     << "Turmdrehung:";
}

void TTestTranslations::Window_Speaks_German()
{
    QFETCH(QString, label);
    QFETCH(QString, text);
    Start();
    QCOMPARE(window->findChild<QLabel *>(label)->text(), text);
    for (const char *menu : {"Datei", "Bearbeiten", "Ansicht", "Werkzeuge", "Hilfe"}) {
        QVERIFY2(Menu(menu), menu);
    }
    QVERIFY(Action("Benutzerhandbuch", "Hilfe"));
    QCOMPARE(Combo()->itemText(0), QString("Allgemeine Durchbiegung"));

    QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
    QCOMPARE(Row_Text(0), QString("Messung 1"));
    QCOMPARE(window->findChild<QAction *>("action_undo")->text(),
             QString("Messung hinzufügen rückgängig machen"));
    window->findChild<QDockWidget *>("results_dock")->raise();
    const QTableView *table = window->findChild<QTableView *>("results_table");
    QVERIFY(table->isVisible());
    QStringList headers;
    for (int column = 0; column < table->model()->columnCount(); ++column) {
        headers << table->model()->headerData(column, Qt::Horizontal).toString();
    }
    QVERIFY2(headers.contains("Bewertung"), qPrintable(headers.join(", ")));
    QVERIFY2(headers.contains("Nennlänge (mm)"), qPrintable(headers.join(", ")));
}

void TTestTranslations::Questions_Use_Qt_Translations()
{
    // The standard buttons come from Qt's own translation, which the system's Qt brings.
    Start();
    QString question;
    Answer_Next_Box("&Ja", &question);
    QAction *new_action = Action("Neu", "Datei");
    QVERIFY(new_action);
    new_action->trigger();
    QVERIFY2(question.contains("Wollen Sie alle Messungen löschen"), qPrintable(question));
}

void TTestTranslations::User_Guide_Is_German()
{
    TUserGuideDialog guide(nullptr, Qt::WindowFlags());
    const QTextBrowser *browser = guide.findChild<QTextBrowser *>("user_guide_browser");
    QVERIFY(browser->source().toString().endsWith("userguide_de.html"));
    const QString text = browser->toPlainText();
    for (const char *heading :
         {"Ablauf einer Längenprüfung", "Die Durchbiegungsmodelle", "MPE und Bewertungen",
          "Der Prüfplan", "Die Parameteranpassung", "Dateien und wo sie liegen"}) {
        QVERIFY2(text.contains(QString::fromUtf8(heading)), heading);
    }
}

void TTestTranslations::German_Window_Fits_The_Fallback_Size()
{
    // The German texts are longer; with an ordinary desktop's font the window's layout still
    // fits the size it falls back to, for every model's labels.
    const QFont original = QApplication::font();
    QApplication::setFont(QFont("DejaVu Sans", 10));
    Start();
    int widest = 0;
    for (int model = 0; model < Combo()->count(); ++model) {
        Combo()->setCurrentIndex(model);
        widest = std::max(widest, window->minimumSizeHint().width());
    }
    QApplication::setFont(original);
    QVERIFY2(widest <= 901, qPrintable(QString::number(widest)));
}

void TTestTranslations::Files_Keep_The_Decimal_Point()
{
    // Typed with the German decimal comma, written with the point, under English keys.
    Start();
    Type(Edit("parameter1_edit"), "-0,0125");
    QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
    Type(Edit("nominal_length_edit"), "250,5");
    Type(Edit("measured_length_edit"), "250,5031");
    Type(window->findChild<QLineEdit *>("mpe_a_edit"), "1,5");
    Type(window->findChild<QLineEdit *>("mpe_k_edit"), "333");
    QString error;
    QVERIFY2(window->Export_Measurements(Home_File("set.csv"), &error), qPrintable(error));
    Close();

    const QString settings = Read(Directory() + "/settings.ini");
    QVERIFY2(settings.contains("Model_Parameter1=-0.0125"), qPrintable(settings));
    QVERIFY2(settings.contains("A=1.5"), qPrintable(settings));
    const QString measurements = Read(Directory() + "/measurements.xml");
    QVERIFY2(measurements.contains(QRegularExpression("<Nominal_Length>250\\.50*</")),
             qPrintable(measurements));
    QVERIFY2(measurements.contains(QRegularExpression("<Measured_Length>250\\.50310*</")),
             qPrintable(measurements));
    const QStringList csv = Read(Home_File("set.csv")).split('\n');
    QVERIFY2(csv.value(0).startsWith("id,nominal_length_mm,"), qPrintable(csv.value(0)));
    QVERIFY2(csv.value(0).endsWith(",verdict,measured_verdict"), qPrintable(csv.value(0)));
    QVERIFY2(csv.value(1).contains(",250.5,") && csv.value(1).endsWith(",fail"),
             qPrintable(csv.value(1)));
}

void TTestTranslations::Language_Follows_The_Locale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("language");
    QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany) << "de";
    QTest::newRow("Austria") << QLocale(QLocale::German, QLocale::Austria) << "de";
    QTest::newRow("Switzerland") << QLocale(QLocale::German, QLocale::Switzerland) << "de";
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << "";
    QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << "";
    QTest::newRow("C") << QLocale::c() << "";
}

void TTestTranslations::Language_Follows_The_Locale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, language);
    QCOMPARE(TTranslations::Install(locale), language);
    QCOMPARE(TTranslations::Language(), language);
    // Only German has a guide of its own; every other language reads the English one.
    QCOMPARE(TTranslations::Localised(":/help/userguide.html"),
             language.isEmpty() ? QString(":/help/userguide.html")
                                : QString(":/help/userguide_de.html"));
}

void TTestTranslations::Chart_Markers_Follow_The_Labels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("marker");
    QTest::newRow("Y") << "Y" << int(TErrorChartPainter::MARKER_Y);
    QTest::newRow("Z") << "Z" << int(TErrorChartPainter::MARKER_Z);
    QTest::newRow("Diagonal +") << "Diagonal +" << int(TErrorChartPainter::MARKER_DIAGONAL_PLUS);
    QTest::newRow("Diagonal -") << "Diagonal \u2212"
                                << int(TErrorChartPainter::MARKER_DIAGONAL_MINUS);
}

void TTestTranslations::Chart_Markers_Follow_The_Labels()
{
    QFETCH(QString, name);
    QFETCH(int, marker);
    // The chart gets the German labels; once both diagonals came out as the marker of any
    // other direction while the legend showed triangles.
    const QString label = TEvaluation::Direction_Label(name);
    if (name.startsWith("Diagonal")) {
        QVERIFY(label != name);
    }
    QCOMPARE(int(TErrorChartPainter::Marker_Of(label)), marker);
    QCOMPARE(int(TErrorChartPainter::Marker_Of(name)), marker);
}

QTEST_MAIN(TTestTranslations)
#include "tst_translations.moc"
