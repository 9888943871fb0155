// SPDX-License-Identifier: GPL-3.0-or-later
#include "xmlfile.h"

#include <QBuffer>
#include <QDomImplementation>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QXmlStreamReader>
#include <algorithm>
#include <cstring>

#include "filewriter.h"

namespace
{
[[noreturn]] void Fail(const QString &message,
                       TXmlFileException::TExceptionType type = TXmlFileException::GENERAL_ERROR)
{
    throw TXmlFileException(message, type);
}

// Qt's DOM builder does not expect the null text nodes that the ReturnNullNode policy gives
// for characters XML cannot carry, and crashes on them: a file holding a NUL or another control
// character would bring the program down. The policy is there to refuse such text when we
// write; while a document is parsed, the default policy stands.
class TParsingPolicy
{
public:
    TParsingPolicy()
        : previous(QDomImplementation::invalidDataPolicy())
    {
        QDomImplementation::setInvalidDataPolicy(QDomImplementation::AcceptInvalidChars);
    }
    ~TParsingPolicy() { QDomImplementation::setInvalidDataPolicy(previous); }

    TParsingPolicy(const TParsingPolicy &) = delete;
    TParsingPolicy &operator=(const TParsingPolicy &) = delete;

private:
    QDomImplementation::InvalidDataPolicy previous;
};

// Deeper than any of our formats needs, and far below what exhausts the stack of Qt's DOM
// builder, which recurses once per level.
const int maximum_depth = 32;

// True when the document is certainly nested no deeper than maximum_depth; false when only the
// stream reader below can tell. The stream reader takes about two thirds as long as building
// the DOM; this pass over the bytes a small part of that. It answers only for what it reads as
// the stream reader does: UTF-8 without a document type, whose declarations could hide
// elements in entities. There, up to the first thing the stream reader refuses, both see the
// same tags, and after it the stream reader sees none; so this pass never counts fewer levels
// than the stream reader does.
bool Certainly_Shallow(const QByteArray &data)
{
    // Without a NUL byte no '<' can be UTF-16 or UTF-32 text.
    if (data.contains('\0')) {
        return false;
    }
    const char *at = data.constData();
    const char *const end = at + data.size();
    const auto starts = [&at, end](const char *text) {
        const size_t length = std::strlen(text);
        return size_t(end - at) >= length && std::equal(text, text + length, at);
    };
    // Past the end of what begins with opening: its closing is looked for only after the
    // opening, so that "<!-->" opens a comment and closes none.
    const auto skip = [&at, end](const char *opening, const char *closing) {
        const char *const after = std::strchr(closing, '\0');
        at = std::search(at + std::strlen(opening), end, closing, after);
        at = at == end ? end : at + (after - closing);
    };
    if (starts("<?xml")) {
        // The data ends in a NUL byte and holds none before it.
        const char *const declaration_end = std::strstr(at, "?>");
        const QByteArray declaration =
            QByteArray(at, int((declaration_end ? declaration_end : end) - at)).simplified();
        const int encoding = declaration.indexOf("encoding");
        if (encoding >= 0) {
            const QByteArray value = declaration.mid(encoding + 8).replace(' ', "").mid(1, 7);
            if (value.toLower() != "\"utf-8\"" && value.toLower() != "'utf-8'") {
                return false;
            }
        }
    } else if (!starts("<")) {
        return false; // a byte order mark, or something to be refused
    }
    int depth = 0;
    while ((at = std::find(at, end, '<')) != end) {
        if (starts("<?")) {
            skip("<?", "?>");
        } else if (starts("<!--")) {
            skip("<!--", "-->");
        } else if (starts("<![CDATA[")) {
            skip("<![CDATA[", "]]>");
        } else if (starts("<!")) {
            return false; // a document type
        } else if (starts("</")) {
            if (--depth < 0) {
                return false;
            }
            skip("</", ">");
        } else {
            if (++depth > maximum_depth) {
                return false;
            }
            // The tag ends at the first '>' outside its quoted attribute values.
            char quote = 0;
            for (++at; at != end && (quote || *at != '>'); ++at) {
                if (quote && *at == quote) {
                    quote = 0;
                } else if (!quote && (*at == '"' || *at == '\'')) {
                    quote = *at;
                }
            }
            if (at != end && at[-1] == '/') {
                --depth;
            }
        }
    }
    return true;
}

// A streaming pass that refuses a document nested deeper than maximum_depth before the DOM is
// built. Anything else the stream reader dislikes is left to the DOM parser, whose messages
// the program has always shown.
void Check_Depth(const QByteArray &data, const QString &what)
{
    if (Certainly_Shallow(data)) {
        return;
    }
    QXmlStreamReader reader(data);
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement && ++depth > maximum_depth) {
            Fail(TXmlFile::tr("ERR:  %1 is nested deeper than %2 levels at line %3")
                     .arg(what)
                     .arg(maximum_depth)
                     .arg(reader.lineNumber()));
        }
        if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
}

QString Fixed(const double &value, int precision)
{
    return QString::number(value, 'f', precision);
}
} // namespace

TXmlFile::TXmlFile()
{
    // Creating an element with an invalid name, or a text node with characters XML cannot
    // carry, then yields a null node; Write_Text_Node relies on that to refuse such text.
    QDomImplementation::setInvalidDataPolicy(QDomImplementation::ReturnNullNode);
}

void TXmlFile::Open(const QString &identification_, int *version, bool namespace_processing)
{
    const QFileInfo info(file_name);
    if (!info.isReadable()) {
        Fail(tr("ERR:  Cannot open file '%1' for reading.").arg(file_name),
             TXmlFileException::ACCESS_ERROR);
    }
    // Opening a FIFO or a device would wait forever or read without end. (A directory fails
    // to open with the system's reason below.)
    if (!info.isFile() && !info.isDir()) {
        Fail(tr("ERR:  '%1' is not a regular file.").arg(file_name),
             TXmlFileException::ACCESS_ERROR);
    }
    QFile file(file_name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Fail(tr("ERR:  Cannot open file: '%1'.  Reason: %2").arg(file_name, file.errorString()),
             TXmlFileException::ACCESS_ERROR);
    }
    const QByteArray data = file.readAll();
    file.close();
    Check_Depth(data, tr("File '%1'").arg(file_name));
    Parse(data, namespace_processing, QStringLiteral("file"));
    Accept_Document(identification_, version);
}

void TXmlFile::Open_Data(const QByteArray &data, const QString &identification_, int *version,
                         bool namespace_processing)
{
    Check_Depth(data, tr("The data"));
    Parse(data, namespace_processing, QStringLiteral("data"));
    Accept_Document(identification_, version);
}

// Builds the document; the error names the source ("file" or "data") as it always has.
void TXmlFile::Parse(const QByteArray &data, bool namespace_processing, const QString &source)
{
    QString error;
    int line = 0;
    int column = 0;
    bool parsed = false;
    {
        const TParsingPolicy policy;
        parsed = document.setContent(data, namespace_processing, &error, &line, &column);
    }
    if (!parsed) {
        Fail(tr("ERR:  Reference %1 XML parse error at line %2 column %3: %4")
                 .arg(source)
                 .arg(line)
                 .arg(column)
                 .arg(error));
    }
}

void TXmlFile::Accept_Document(const QString &identification_, int *version)
{
    root_node = document.documentElement();
    if (root_node.tagName() != identification_) {
        Fail(tr("ERR:  Identification '%1' does not match '%2'")
                 .arg(identification_, root_node.tagName()));
    }
    document_type = document.doctype().name();
    identification = identification_;

    if (version) {
        if (!root_node.hasAttribute(QStringLiteral("File_Version"))) {
            Fail(tr("ERR:  The 'File_Version' attribute is missing."));
        }
        // Text that is not a number reads as version 0.
        *version = root_node.attribute(QStringLiteral("File_Version")).toInt();
    }
}

void TXmlFile::Reset(const QString &identification_, int version)
{
    document = QDomDocument();
    document.appendChild(document.createProcessingInstruction(
        QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"utf-8\"")));
    root_node = document.createElement(identification_);
    root_node.setAttribute(QStringLiteral("File_Version"), QString::number(version));
    document.appendChild(root_node);
}

void TXmlFile::Reset(const QString &document_type_name, const QString &identification_, int version)
{
    document = QDomDocument(
        QDomImplementation().createDocumentType(document_type_name, QString(), QString()));
    root_node = document.createElement(identification_);
    root_node.setAttribute(QStringLiteral("File_Version"), QString::number(version));
    document.appendChild(root_node);
}

void TXmlFile::Clear()
{
    document = QDomDocument();
    root_node = QDomElement();
}

void TXmlFile::Write_File(bool compact)
{
    QByteArray data;
    Write_Data(&data, compact);
    Write_File(file_name, data);
}

void TXmlFile::Write_File(const QString &file_name, const QByteArray &data)
{
    QString reason;
    switch (TFileWriter::Write(file_name, data, &reason)) {
    case TFileWriter::WRITTEN:
        return;
    case TFileWriter::PROTECTED:
        Fail(tr("ERR:  Cannot open file '%1' for writing").arg(file_name),
             TXmlFileException::ACCESS_ERROR);
    case TFileWriter::WRITE_FAILED:
        break;
    }
    Fail(tr("ERR:  Cannot write file '%1'.  Reason: %2").arg(file_name, reason));
}

void TXmlFile::Write_Data(QByteArray *data, bool compact) const
{
    Q_ASSERT(data);
    data->clear();
    if (compact) {
        const QByteArray serialised = document.toByteArray(0);
        data->reserve(serialised.size());
        for (const char byte : serialised) {
            if (byte != '\r' && byte != '\n') {
                data->append(byte);
            }
        }
        return;
    }
    // Encoded as the XML declaration says; UTF-8 without one.
    QBuffer buffer(data);
    buffer.open(QIODevice::WriteOnly);
    QTextStream stream(&buffer);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    stream.setCodec("UTF-8");
#else
    stream.setEncoding(QStringConverter::Utf8);
#endif
    document.save(stream, 4, QDomNode::EncodingFromDocument);
    stream.flush();
}

QDomElement TXmlFile::Create_Node(QDomElement *parent, const QString &name)
{
    Q_ASSERT(parent);
    if (parent->isNull()) {
        Fail(tr("ERR:  Cannot create node from a NULL node"));
    }
    if (name.isEmpty()) {
        Fail(tr("ERR:  Cannot create an unnamed node"));
    }
    // An invalid name gives a null element; the first write into it fails.
    QDomElement element = document.createElement(name);
    parent->appendChild(element);
    return element;
}

void TXmlFile::Write_Text_Node(QDomElement *node, const QString &text)
{
    Q_ASSERT(node);
    if (node->isNull()) {
        Fail(tr("ERR:  Cannot append data to a NULL node"));
    }
    const QDomText text_node = document.createTextNode(text);
    if (text_node.isNull()) {
        Fail(tr("ERR:  Cannot write node '%1' with data '%2'").arg(node->tagName(), text));
    }
    node->appendChild(text_node);
}

void TXmlFile::Write_Text_Node(QDomElement *node, const double &value, int precision)
{
    Write_Text_Node(node, Fixed(value, precision));
}

void TXmlFile::Write_Text_Node(QDomElement *node, int value)
{
    Write_Text_Node(node, QString::number(value));
}

void TXmlFile::Write_Attribute(QDomElement *node, const QString &name, const QString &value)
{
    Q_ASSERT(node);
    if (name.isEmpty()) {
        Fail(tr("ERR:  Cannot create an unnamed attribute"));
    }
    node->setAttribute(name, value);
}

void TXmlFile::Write_Attribute(QDomElement *node, const QString &name, const double &value,
                               int precision)
{
    Write_Attribute(node, name, Fixed(value, precision));
}

void TXmlFile::Write_Attribute(QDomElement *node, const QString &name, int value)
{
    Write_Attribute(node, name, QString::number(value));
}

QDomElement TXmlFile::Find_Child(const QDomNode &node, const QString &name,
                                 const QString &node_name, bool optional) const
{
    if (node.isNull()) {
        Fail(tr("ERR:  Cannot get child from a NULL node"));
    }
    const QDomElement child = node.firstChildElement(name);
    if (child.isNull() && !optional) {
        Fail(
            tr("ERR:  Node '%1' is missing from node '%2' and not optional.").arg(name, node_name));
    }
    return child;
}

QDomElement TXmlFile::Get_Node(const QDomElement *node, const QString &name, bool optional) const
{
    Q_ASSERT(node);
    return Find_Child(*node, name, node->tagName(), optional);
}

QDomElement TXmlFile::Get_Node(const QDomNode *node, const QString &name, bool optional) const
{
    Q_ASSERT(node);
    return Find_Child(*node, name, node->nodeName(), optional);
}

QDomElement TXmlFile::Get_Sibling_Node(const QDomElement *current_node, const QString &name,
                                       bool optional) const
{
    Q_ASSERT(current_node);
    if (current_node->isNull()) {
        Fail(tr("ERR:  Cannot get sibling from a NULL node"));
    }
    const QDomElement sibling = current_node->nextSiblingElement(name);
    if (sibling.isNull() && !optional) {
        Fail(tr("ERR:  Node '%1' is missing from node '%2' and not optional.")
                 .arg(name, current_node->tagName()));
    }
    return sibling;
}

QDomNode TXmlFile::First_Child(const QDomNode &parent, const QString &parent_name,
                               bool optional) const
{
    const QDomNode child = parent.firstChild();
    if (child.isNull() && !optional) {
        Fail(tr("ERR:  Parent '%1' does not have nodes and they are not optional.")
                 .arg(parent_name));
    }
    return child;
}

QDomNode TXmlFile::Get_First_Node(const QDomElement *parent, bool optional) const
{
    Q_ASSERT(parent);
    return First_Child(*parent, parent->tagName(), optional);
}

QDomNode TXmlFile::Get_First_Node(const QDomNode *parent, bool optional) const
{
    Q_ASSERT(parent);
    return First_Child(*parent, parent->localName(), optional);
}

QDomNode TXmlFile::Get_Sibling_Node(const QDomNode *current_node, bool optional) const
{
    Q_ASSERT(current_node);
    const QDomNode sibling = current_node->nextSibling();
    if (sibling.isNull() && !optional) {
        Fail(tr("ERR:  Node '%1' does not have siblings and they are not optional.")
                 .arg(current_node->localName()));
    }
    return sibling;
}

QString TXmlFile::Text_Of(const QDomNode &node, const QString &node_name, bool optional) const
{
    if (node.isNull()) {
        Fail(tr("ERR:  Cannot read data from a NULL node"));
    }
    // Only the first child counts: a comment ahead of the text means no text.
    const QDomNode first = node.firstChild();
    if (!first.isNull() && (first.isText() || first.isCDATASection())) {
        return first.nodeValue();
    }
    if (!optional) {
        Fail(tr("ERR:  Node Text for '%1' is not optional.").arg(node_name));
    }
    return QString();
}

QString TXmlFile::Read_Text_Node(const QDomElement *node, bool optional) const
{
    Q_ASSERT(node);
    return Text_Of(*node, node->tagName(), optional);
}

QString TXmlFile::Read_Text_Node(const QDomNode *node, bool optional) const
{
    Q_ASSERT(node);
    return Text_Of(*node, node->localName(), optional);
}

QString TXmlFile::Read_Attribute(const QDomElement *node, const QString &name, bool optional) const
{
    Q_ASSERT(node);
    if (node->isNull()) {
        Fail(tr("ERR:  Cannot read attribute from a NULL node"));
    }
    if (node->hasAttribute(name)) {
        return node->attribute(name);
    }
    if (!optional) {
        Fail(tr("ERR:  Node attribute '%1' missing and not optional.").arg(name));
    }
    return QString();
}

QString TXmlFile::Read_Attribute(const QDomNode *node, const QString &name, bool optional) const
{
    Q_ASSERT(node);
    if (node->isNull()) {
        Fail(tr("ERR:  Cannot read attribute from a NULL node"));
    }
    const QDomNode attribute = node->attributes().namedItem(name);
    if (!attribute.isNull()) {
        return attribute.nodeValue();
    }
    if (!optional) {
        Fail(tr("ERR:  Node attribute '%1' missing and not optional.").arg(name));
    }
    return QString();
}
