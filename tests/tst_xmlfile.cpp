// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <unistd.h>
#include <vector>

#include "testfiles.h"
#include "xmlfile.h"

namespace
{
using TType = TXmlFileException::TExceptionType;

struct TScenario {
    const char *name;
    std::function<void(TXmlFile *, const QString &directory)> run;
    QString message; // a trailing "*" matches any rest
    TType type;
};

QDomElement Element(TXmlFile *xml, const char *name)
{
    return xml->Create_Node(xml->Root_Node(), QString::fromLatin1(name));
}

const std::vector<TScenario> &Scenarios()
{
    static const std::vector<TScenario> scenarios{
        {"missing file",
         [](TXmlFile *xml, const QString &directory) {
             xml->Set_File_Name(directory + "/missing.xml");
             xml->Open("Kind", nullptr, false);
         },
         "ERR:  Cannot open file '%DIR%/missing.xml' for reading.",
         TXmlFileException::ACCESS_ERROR},
        {"a directory",
         [](TXmlFile *xml, const QString &directory) {
             xml->Set_File_Name(directory);
             xml->Open("Kind", nullptr, false);
         },
         "ERR:  Cannot open file: '%DIR%'.  Reason: *", TXmlFileException::ACCESS_ERROR},
        {"file breaks off",
         [](TXmlFile *xml, const QString &directory) {
             Write(directory + "/broken.xml",
                   "<?xml version=\"1.0\"?>\n<Kind File_Version=\"1\">\n  <A>");
             xml->Set_File_Name(directory + "/broken.xml");
             xml->Open("Kind", nullptr, false);
         },
         QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
             ? "ERR:  Reference file XML parse error at line 3 column 5: *"
             : "ERR:  Reference file XML parse error at line 3 column 6: *",
         TXmlFileException::GENERAL_ERROR},
        {"data breaks off",
         [](TXmlFile *xml, const QString &) {
             xml->Open_Data("<Kind>\n<", "Kind", nullptr, false);
         },
         "ERR:  Reference data XML parse error at line 2 column *",
         TXmlFileException::GENERAL_ERROR},
        {"other identification",
         [](TXmlFile *xml, const QString &) {
             xml->Open_Data("<Other/>", "Expected", nullptr, false);
         },
         "ERR:  Identification 'Expected' does not match 'Other'",
         TXmlFileException::GENERAL_ERROR},
        {"identification differs in case",
         [](TXmlFile *xml, const QString &) { xml->Open_Data("<kind/>", "Kind", nullptr, false); },
         "ERR:  Identification 'Kind' does not match 'kind'", TXmlFileException::GENERAL_ERROR},
        {"version asked for but missing",
         [](TXmlFile *xml, const QString &) {
             int version = -1;
             xml->Open_Data("<Kind/>", "Kind", &version, false);
         },
         "ERR:  The 'File_Version' attribute is missing.", TXmlFileException::GENERAL_ERROR},
        {"cannot write into a missing folder",
         [](TXmlFile *xml, const QString &directory) {
             xml->Reset("Kind", 1);
             xml->Set_File_Name(directory + "/no/such/folder/file.xml");
             xml->Write_File();
         },
         "ERR:  Cannot write file '%DIR%/no/such/folder/file.xml'.  Reason: *",
         TXmlFileException::GENERAL_ERROR},
        {"node from a null node",
         [](TXmlFile *xml, const QString &) { xml->Create_Node(xml->Root_Node(), "A"); },
         "ERR:  Cannot create node from a NULL node", TXmlFileException::GENERAL_ERROR},
        {"unnamed node",
         [](TXmlFile *xml, const QString &) {
             xml->Reset("Kind", 1);
             xml->Create_Node(xml->Root_Node(), "");
         },
         "ERR:  Cannot create an unnamed node", TXmlFileException::GENERAL_ERROR},
        {"text into a null node",
         [](TXmlFile *xml, const QString &) {
             QDomElement null;
             xml->Write_Text_Node(&null, 3);
         },
         "ERR:  Cannot append data to a NULL node", TXmlFileException::GENERAL_ERROR},
        {"text into a node with an invalid name",
         [](TXmlFile *xml, const QString &) {
             xml->Reset("Kind", 1);
             QDomElement invalid = Element(xml, "1abc");
             xml->Write_Text_Node(&invalid, "x");
         },
         "ERR:  Cannot append data to a NULL node", TXmlFileException::GENERAL_ERROR},
        {"text XML cannot carry",
         [](TXmlFile *xml, const QString &) {
             xml->Reset("Kind", 1);
             QDomElement node = Element(xml, "Name");
             xml->Write_Text_Node(&node, QString("a") + QChar(0x1) + "b");
         },
         QString("ERR:  Cannot write node 'Name' with data 'a") + QChar(0x1) + "b'",
         TXmlFileException::GENERAL_ERROR},
        {"unnamed attribute",
         [](TXmlFile *xml, const QString &) {
             xml->Reset("Kind", 1);
             xml->Write_Attribute(xml->Root_Node(), "", 2.5, 1);
         },
         "ERR:  Cannot create an unnamed attribute", TXmlFileException::GENERAL_ERROR},
        {"text of a null node",
         [](TXmlFile *xml, const QString &) {
             const QDomNode null;
             xml->Read_Text_Node(&null);
         },
         "ERR:  Cannot read data from a NULL node", TXmlFileException::GENERAL_ERROR},
        {"text missing",
         [](TXmlFile *xml, const QString &) {
             xml->Open_Data("<Kind><Name/></Kind>", "Kind", nullptr, false);
             const QDomElement name = xml->Get_Node(xml->Root_Node(), "Name");
             xml->Read_Text_Node(&name);
         },
         "ERR:  Node Text for 'Name' is not optional.", TXmlFileException::GENERAL_ERROR},
        {"comment ahead of the text",
         [](TXmlFile *xml, const QString &) {
             xml->Open_Data("<Kind><Name><!-- c -->text</Name></Kind>", "Kind", nullptr, false);
             const QDomElement name = xml->Get_Node(xml->Root_Node(), "Name");
             xml->Read_Text_Node(&name);
         },
         "ERR:  Node Text for 'Name' is not optional.", TXmlFileException::GENERAL_ERROR},
        {"text missing, node overload uses the local name",
         [](TXmlFile *xml, const QString &) {
             xml->Open_Data("<Kind><Name/></Kind>", "Kind", nullptr, true);
             const QDomNode name = xml->Get_Node(xml->Root_Node(), "Name");
             xml->Read_Text_Node(&name);
         },
         "ERR:  Node Text for 'Name' is not optional.", TXmlFileException::GENERAL_ERROR},
        {"attribute of a null node",
         [](TXmlFile *xml, const QString &) {
             const QDomElement null;
             xml->Read_Attribute(&null, "a");
         },
         "ERR:  Cannot read attribute from a NULL node", TXmlFileException::GENERAL_ERROR},
        {"attribute missing",
         [](TXmlFile *xml, const QString &) {
             xml->Open_Data("<Kind b=\"1\"/>", "Kind", nullptr, false);
             xml->Read_Attribute(xml->Root_Node(), "a");
         },
         "ERR:  Node attribute 'a' missing and not optional.", TXmlFileException::GENERAL_ERROR},
        {"attribute missing, node overload",
         [](TXmlFile *xml, const QString &) {
             xml->Open_Data("<Kind><A/></Kind>", "Kind", nullptr, false);
             const QDomNode a = xml->Get_First_Node(xml->Root_Node());
             xml->Read_Attribute(&a, "x");
         },
         "ERR:  Node attribute 'x' missing and not optional.", TXmlFileException::GENERAL_ERROR},
        {"child of a null node",
         [](TXmlFile *xml, const QString &) {
             const QDomElement null;
             xml->Get_Node(&null, "A");
         },
         "ERR:  Cannot get child from a NULL node", TXmlFileException::GENERAL_ERROR},
        {"child missing",
         [](TXmlFile *xml, const QString &) {
             xml->Open_Data("<Kind><B/></Kind>", "Kind", nullptr, false);
             xml->Get_Node(xml->Root_Node(), "A");
         },
         "ERR:  Node 'A' is missing from node 'Kind' and not optional.",
         TXmlFileException::GENERAL_ERROR},
        {"sibling of a null node",
         [](TXmlFile *xml, const QString &) {
             const QDomElement null;
             xml->Get_Sibling_Node(&null, QString("A"));
         },
         "ERR:  Cannot get sibling from a NULL node", TXmlFileException::GENERAL_ERROR},
        {"sibling missing",
         [](TXmlFile *xml, const QString &) {
             xml->Open_Data("<Kind><A/><B/></Kind>", "Kind", nullptr, false);
             const QDomElement a = xml->Get_Node(xml->Root_Node(), "A");
             xml->Get_Sibling_Node(&a, QString("A"));
         },
         "ERR:  Node 'A' is missing from node 'A' and not optional.",
         TXmlFileException::GENERAL_ERROR},
        {"no first node",
         [](TXmlFile *xml, const QString &) {
             xml->Open_Data("<Kind><A/></Kind>", "Kind", nullptr, false);
             const QDomElement a = xml->Get_Node(xml->Root_Node(), "A");
             xml->Get_First_Node(&a);
         },
         "ERR:  Parent 'A' does not have nodes and they are not optional.",
         TXmlFileException::GENERAL_ERROR},
        {"no sibling node, namespaces on",
         [](TXmlFile *xml, const QString &) {
             xml->Open_Data("<Kind><A/></Kind>", "Kind", nullptr, true);
             const QDomNode a = xml->Get_First_Node(xml->Root_Node());
             xml->Get_Sibling_Node(&a);
         },
         "ERR:  Node 'A' does not have siblings and they are not optional.",
         TXmlFileException::GENERAL_ERROR},
        {"no sibling node, local name empty without namespaces",
         [](TXmlFile *xml, const QString &) {
             xml->Open_Data("<Kind><A/></Kind>", "Kind", nullptr, false);
             const QDomNode a = xml->Get_First_Node(xml->Root_Node());
             xml->Get_Sibling_Node(&a);
         },
         "ERR:  Node '' does not have siblings and they are not optional.",
         TXmlFileException::GENERAL_ERROR},
    };
    return scenarios;
}
} // namespace

class TTestXmlFile : public QObject
{
    Q_OBJECT

private slots:
    void Failure_Messages_data();
    void Failure_Messages();
    void Write_Protected_File();
    void Number_Formatting_data();
    void Number_Formatting();
    void Reset_And_Write_Data();
    void Write_File_Round_Trip();
    void Open_Records_And_Versions();
    void Optional_Lookups();
    void Iterating_Children();
    void Control_Characters_In_Input_data();
    void Control_Characters_In_Input();
    void Nesting_Refused_Wherever_It_Hides_data();
    void Nesting_Refused_Wherever_It_Hides();
};

void TTestXmlFile::Failure_Messages_data()
{
    QTest::addColumn<int>("index");
    for (size_t i = 0; i < Scenarios().size(); ++i) {
        QTest::newRow(Scenarios()[i].name) << int(i);
    }
}

void TTestXmlFile::Failure_Messages()
{
    QFETCH(int, index);
    const TScenario &scenario = Scenarios()[size_t(index)];
    QTemporaryDir directory;
    QVERIFY(directory.isValid());

    QString expected = scenario.message;
    expected.replace("%DIR%", directory.path());
    TXmlFile xml;
    try {
        scenario.run(&xml, directory.path());
        QFAIL("no exception was thrown");
    } catch (const TXmlFileException &exception) {
        if (expected.endsWith('*')) {
            QVERIFY2(exception.Message().startsWith(expected.chopped(1)),
                     qPrintable(exception.Message()));
            QVERIFY(exception.Message().size() > expected.size());
        } else {
            QCOMPARE(exception.Message(), expected);
        }
        QCOMPARE(exception.Type(), scenario.type);
        QVERIFY(exception.Message().startsWith("ERR:  "));
    }
}

void TTestXmlFile::Write_Protected_File()
{
    if (geteuid() == 0) {
        QSKIP("root may write a read-only file, so the refusal cannot be provoked as root");
    }
    QTemporaryDir directory;
    const QString path = directory.filePath("protected.xml");
    Write(path, "old");
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));

    TXmlFile xml;
    xml.Reset("Kind", 1);
    xml.Set_File_Name(path);
    try {
        xml.Write_File();
        QFAIL("no exception was thrown");
    } catch (const TXmlFileException &exception) {
        QCOMPARE(exception.Message(), QString("ERR:  Cannot open file '%1' for writing").arg(path));
        QCOMPARE(exception.Type(), TXmlFileException::ACCESS_ERROR);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("old"));
}

void TTestXmlFile::Number_Formatting_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two with twelve decimals") << 2.0 << 12 << "2.000000000000";
    QTest::newRow("never an exponent") << 1e20 << 0 << "100000000000000000000";
    QTest::newRow("negative") << -0.05 << 4 << "-0.0500";
    QTest::newRow("no grouping") << 1234567.5 << 1 << "1234567.5";
    QTest::newRow("rounding") << 0.70710678118654757 << 12 << "0.707106781187";
}

void TTestXmlFile::Number_Formatting()
{
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(QString, expected);

    // A locale with a decimal comma and digit grouping changes nothing.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TXmlFile xml;
    xml.Reset("Kind", 1);
    QDomElement node = xml.Create_Node(xml.Root_Node(), "Value");
    xml.Write_Text_Node(&node, value, precision);
    xml.Write_Attribute(&node, "a", value, precision);
    QDomElement count = xml.Create_Node(xml.Root_Node(), "Count");
    xml.Write_Text_Node(&count, -7);
    xml.Write_Attribute(&count, "n", 12345);
    QLocale::setDefault(QLocale::c());

    QCOMPARE(xml.Read_Text_Node(&node), expected);
    QCOMPARE(xml.Read_Attribute(&node, "a"), expected);
    QCOMPARE(xml.Read_Text_Node(&count), QString("-7"));
    QCOMPARE(xml.Read_Attribute(&count, "n"), QString("12345"));
}

void TTestXmlFile::Reset_And_Write_Data()
{
    TXmlFile xml;
    xml.Reset("Kind", 3);
    QByteArray data("left over");
    xml.Write_Data(&data);
    QCOMPARE(data, QByteArray(
                       "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Kind File_Version=\"3\"/>\n"));
    xml.Write_Data(&data, true);
    QCOMPARE(data,
             QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?><Kind File_Version=\"3\"/>"));

    QDomElement a = xml.Create_Node(xml.Root_Node(), "A");
    xml.Write_Text_Node(&a, "line\nbreak");
    QDomElement b = xml.Create_Node(&a, "B");
    xml.Write_Attribute(&b, "x", "1");
    xml.Write_Data(&data);
    QCOMPARE(data, QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                              "<Kind File_Version=\"3\">\n"
                              "    <A>line\nbreak<B x=\"1\"/>\n"
                              "    </A>\n"
                              "</Kind>\n"));
    xml.Write_Data(&data, true);
    QVERIFY(!data.contains('\n'));
    QVERIFY(data.contains("<A>linebreak<B x=\"1\"/></A>"));

    xml.Reset("Doc", "Kind", 1);
    xml.Write_Data(&data);
    QCOMPARE(data, QByteArray("<!DOCTYPE Doc>\n<Kind File_Version=\"1\"/>\n"));

    xml.Clear();
    xml.Write_Data(&data);
    QVERIFY(data.isEmpty());
    QVERIFY(xml.Root_Node()->isNull());

    // Setting an attribute on a null element does nothing and does not throw.
    QDomElement null;
    xml.Write_Attribute(&null, "a", 1);
}

void TTestXmlFile::Write_File_Round_Trip()
{
    QTemporaryDir directory;
    const QString path = directory.filePath("file.xml");
    TXmlFile xml;
    xml.Set_File_Name(path);
    xml.Reset("Kind", 2);
    QDomElement node = xml.Create_Node(xml.Root_Node(), "Name");
    xml.Write_Text_Node(&node, QString::fromUtf8("Ångström µm"));
    xml.Write_File();
    Write(path + ".compact", "");
    xml.Set_File_Name(path + ".compact");
    xml.Write_File(true);

    QFile compact(path + ".compact");
    QVERIFY(compact.open(QIODevice::ReadOnly));
    QCOMPARE(compact.readAll().count('\n'), 0);

    TXmlFile reader;
    reader.Set_File_Name(path);
    int version = 0;
    reader.Open("Kind", &version, false);
    QCOMPARE(version, 2);
    const QDomElement name = reader.Get_Node(reader.Root_Node(), "Name");
    QCOMPARE(reader.Read_Text_Node(&name), QString::fromUtf8("Ångström µm"));
    // No temporary file is left beside the target.
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files).size(), 2);
}

void TTestXmlFile::Open_Records_And_Versions()
{
    TXmlFile xml;
    int version = -1;
    xml.Open_Data("<!DOCTYPE Doc><Kind File_Version=\"abc\"/>", "Kind", &version, false);
    QCOMPARE(version, 0);
    QCOMPARE(xml.Identification(), QString("Kind"));
    QCOMPARE(xml.Document_Type(), QString("Doc"));

    xml.Open_Data("<Kind/>", "Kind", nullptr, false);
    QCOMPARE(xml.Document_Type(), QString());
    xml.Open_Data("<Kind File_Version=\"7\"/>", "Kind", &version, true);
    QCOMPARE(version, 7);

    // A failed identification check leaves the parsed tree in place but records nothing.
    try {
        xml.Open_Data("<Other File_Version=\"1\"/>", "Kind2", &version, false);
        QFAIL("no exception was thrown");
    } catch (const TXmlFileException &) {
        QCOMPARE(xml.Root_Node()->tagName(), QString("Other"));
        QCOMPARE(xml.Identification(), QString("Kind"));
    }
}

void TTestXmlFile::Optional_Lookups()
{
    TXmlFile xml;
    xml.Open_Data("<Kind a=\"\"><A><!-- c -->text</A><B><![CDATA[<raw>]]></B><C>5</C></Kind>",
                  "Kind", nullptr, false);
    QVERIFY(xml.Get_Node(xml.Root_Node(), "Missing", true).isNull());
    const QDomElement a = xml.Get_Node(xml.Root_Node(), "A");
    QCOMPARE(xml.Read_Text_Node(&a, true), QString());
    const QDomElement b = xml.Get_Node(xml.Root_Node(), "B");
    QCOMPARE(xml.Read_Text_Node(&b), QString("<raw>"));
    QCOMPARE(xml.Read_Attribute(xml.Root_Node(), "a"), QString());
    QCOMPARE(xml.Read_Attribute(xml.Root_Node(), "z", true), QString());
    QVERIFY(xml.Get_Sibling_Node(&b, QString("A"), true).isNull());
    const QDomElement c = xml.Get_Sibling_Node(&a, QString("C"));
    QCOMPARE(xml.Read_Text_Node(&c), QString("5"));
    const QDomNode last = c;
    QVERIFY(xml.Get_Sibling_Node(&last, true).isNull());
    const QDomNode text = xml.Get_First_Node(&c);
    QVERIFY(xml.Get_First_Node(&text, true).isNull());
}

void TTestXmlFile::Iterating_Children()
{
    TXmlFile xml;
    xml.Open_Data("<Kind><M>1</M><X/><M>2</M><!-- note --><M>3</M></Kind>", "Kind", nullptr, true);
    QStringList values;
    for (QDomElement m = xml.Get_Node(xml.Root_Node(), "M", true); !m.isNull();
         m = xml.Get_Sibling_Node(&m, QString("M"), true)) {
        values << xml.Read_Text_Node(&m);
    }
    QCOMPARE(values, (QStringList{"1", "2", "3"}));

    int kinds = 0;
    for (QDomNode node = xml.Get_First_Node(xml.Root_Node(), true); !node.isNull();
         node = xml.Get_Sibling_Node(&node, true)) {
        ++kinds;
    }
    QCOMPARE(kinds, 5);
}

void TTestXmlFile::Control_Characters_In_Input_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("namespaces");
    QTest::newRow("NUL in text") << QByteArray("<Kind>a\0b</Kind>", 17) << false;
    QTest::newRow("control character in text") << QByteArray("<Kind>a\x10"
                                                             "b</Kind>")
                                               << true;
    QTest::newRow("NUL between elements") << QByteArray("<Kind><A/> \0 <B/></Kind>", 24) << true;
}

// Text that XML cannot carry, read from a file, must not bring the program down; writing such
// text is still refused afterwards.
void TTestXmlFile::Control_Characters_In_Input()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, namespaces);

    QTemporaryDir directory;
    const QString path = directory.filePath("control.xml");
    Write(path, data);
    TXmlFile xml;
    xml.Set_File_Name(path);
    for (int pass = 0; pass < 2; ++pass) {
        try {
            if (pass == 0) {
                xml.Open("Kind", nullptr, namespaces);
            } else {
                xml.Open_Data(data, "Kind", nullptr, namespaces);
            }
            QCOMPARE(xml.Root_Node()->tagName(), QString("Kind"));
        } catch (const TXmlFileException &exception) {
            QVERIFY(exception.Message().startsWith("ERR:  Reference "));
        }
    }

    xml.Reset("Kind", 1);
    QDomElement node = xml.Create_Node(xml.Root_Node(), "Name");
    QVERIFY_EXCEPTION_THROWN(xml.Write_Text_Node(&node, QString(QChar(0x10))), TXmlFileException);
}

namespace
{
// levels elements <a> inside one another, each opened with the tag given.
QByteArray Nest(int levels, const QByteArray &tag = "<a>")
{
    return tag.repeated(levels) + QByteArray("</a>").repeated(levels);
}
} // namespace

void TTestXmlFile::Nesting_Refused_Wherever_It_Hides_data()
{
    // A document is parsed only if it is nested at most 32 levels deep, counting as the
    // stream reader does; whatever the quick look at the bytes makes of it.
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("refused");
    const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
    QTest::newRow("32 levels") << declaration + Nest(32) << false;
    QTest::newRow("33 levels") << declaration + Nest(33) << true;
    QTest::newRow("33 levels, no declaration") << Nest(33) << true;
    QTest::newRow("31 levels and an empty element")
        << QByteArray(Nest(31)).insert(31 * 3, "<b/>") << false;
    QTest::newRow("32 levels and an empty element")
        << QByteArray(Nest(32)).insert(32 * 3, "<b/>") << true;
    QTest::newRow("'/>' and '>' in quotes, 32 levels") << Nest(32, "<a x=\"/>\" y='>'>") << false;
    QTest::newRow("'/>' and '>' in quotes, 33 levels") << Nest(33, "<a x=\"/>\" y='>'>") << true;
    QTest::newRow("33 levels left open, '/>' in quotes")
        << QByteArray("<a x=\"/>\">").repeated(33) << true;
    QTest::newRow("tags inside a comment, CDATA and a processing instruction")
        << "<r><!--" + Nest(40) + "--><![CDATA[" + Nest(40) + "]]><?p " + Nest(40) + "?></r>"
        << false;
    QTest::newRow("a comment that seems to close at once")
        << "<r><!--><![CDATA[-->" + Nest(33) + "]]></r>" << true;
    QTest::newRow("a processing instruction holding '>' and '<'")
        << "<r><?p a>b<c ?>" + Nest(33) + "</r>" << true;
    QTest::newRow("end tags first") << "</a></a>" + Nest(33) << false;
    QTest::newRow("document type") << "<!DOCTYPE a>" + Nest(33) << true;
    QTest::newRow("other encoding")
        << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + Nest(33) << true;
    QTest::newRow("UTF-16 with its byte order mark")
        << QByteArray("\xff\xfe") +
               QByteArray(reinterpret_cast<const char *>(QString(Nest(33)).utf16()), 33 * 14)
        << true;
}

void TTestXmlFile::Nesting_Refused_Wherever_It_Hides()
{
    QFETCH(QByteArray, document);
    QFETCH(bool, refused);
    TXmlFile xml;
    QString message;
    try {
        xml.Open_Data(document, "a", nullptr, false);
    } catch (const TXmlFileException &exception) {
        message = exception.Message();
    }
    QVERIFY2(message.contains("nested deeper than 32 levels") == refused, qPrintable(message));
}

QTEST_APPLESS_MAIN(TTestXmlFile)
#include "tst_xmlfile.moc"
