// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TXMLFILE_H
#define TXMLFILE_H

#include <QByteArray>
#include <QCoreApplication>
#include <QDomDocument>
#include <QDomElement>
#include <QString>

// Thrown by TXmlFile; every message begins with "ERR:  ".
class TXmlFileException
{
public:
    enum TExceptionType {
        ACCESS_ERROR = 0, // the file cannot be read or opened, or exists and is not writable
        GENERAL_ERROR = 1 // everything else
    };

    TXmlFileException(const QString &message, const TExceptionType &type)
        : message(message)
        , type(type)
    {
    }

    QString Message() const { return message; }
    TExceptionType Type() const { return type; }

private:
    QString message;
    TExceptionType type;
};

// One XML document whose root element names the kind of file (its identification) and carries
// a "File_Version". Every accessor returns what was asked for or throws a TXmlFileException
// naming what is missing, so that a reader is a straight sequence of lookups; the optional flag
// turns a missing item into an empty result instead.
class TXmlFile
{
    Q_DECLARE_TR_FUNCTIONS(TXmlFile)

public:
    TXmlFile();

    void Set_File_Name(const QString &file_name) { this->file_name = file_name; }
    QDomElement *Root_Node() { return &root_node; }
    QString Identification() const { return identification; }
    QString Document_Type() const { return document_type; }

    // Reads file_name and checks its root element; the version is read only when asked for.
    void Open(const QString &identification, int *version, bool namespace_processing);
    void Open_Data(const QByteArray &data, const QString &identification, int *version,
                   bool namespace_processing);
    // An XML declaration (UTF-8) and an empty root element with its File_Version.
    void Reset(const QString &identification, int version);
    // A document type declaration and an empty root element, without XML declaration.
    void Reset(const QString &document_type_name, const QString &identification, int version);
    void Clear();

    // Replaces file_name only once everything has been written, so that a failed save never
    // leaves a damaged file behind.
    void Write_File(bool compact = false);
    void Write_Data(QByteArray *data, bool compact = false) const;
    // Writes bytes already made into file_name as Write_File does, with its messages.
    static void Write_File(const QString &file_name, const QByteArray &data);

    QDomElement Create_Node(QDomElement *parent, const QString &name);
    void Write_Text_Node(QDomElement *node, const QString &text);
    void Write_Text_Node(QDomElement *node, const double &value, int precision);
    void Write_Text_Node(QDomElement *node, int value);
    void Write_Attribute(QDomElement *node, const QString &name, const QString &value);
    void Write_Attribute(QDomElement *node, const QString &name, const double &value,
                         int precision);
    void Write_Attribute(QDomElement *node, const QString &name, int value);

    QDomElement Get_Node(const QDomElement *node, const QString &name, bool optional = false) const;
    QDomElement Get_Node(const QDomNode *node, const QString &name, bool optional = false) const;
    QDomElement Get_Sibling_Node(const QDomElement *current_node, const QString &name,
                                 bool optional = false) const;
    QDomNode Get_First_Node(const QDomElement *parent, bool optional = false) const;
    QDomNode Get_First_Node(const QDomNode *parent, bool optional = false) const;
    QDomNode Get_Sibling_Node(const QDomNode *current_node, bool optional = false) const;
    QString Read_Text_Node(const QDomElement *node, bool optional = false) const;
    QString Read_Text_Node(const QDomNode *node, bool optional = false) const;
    QString Read_Attribute(const QDomElement *node, const QString &name,
                           bool optional = false) const;
    QString Read_Attribute(const QDomNode *node, const QString &name, bool optional = false) const;

private:
    void Parse(const QByteArray &data, bool namespace_processing, const QString &source);
    void Accept_Document(const QString &identification, int *version);
    QDomElement Find_Child(const QDomNode &node, const QString &name, const QString &node_name,
                           bool optional) const;
    QString Text_Of(const QDomNode &node, const QString &node_name, bool optional) const;
    QDomNode First_Child(const QDomNode &parent, const QString &parent_name, bool optional) const;

    QDomDocument document;
    QDomElement root_node;
    QString file_name;
    QString identification;
    QString document_type;
};

#endif
