// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TTRANSLATIONS_H
#define TTRANSLATIONS_H

#include <QLocale>
#include <QString>

// The user interface's language. English is the language the texts are written in; for a
// locale whose languages include one Curvalo is translated into, the program's translation and
// Qt's own (the standard buttons and dialogs) are installed in the application. Files and the
// numbers in them never change with the language.
class TTranslations
{
public:
    // The language installed ("de"), or empty when the program stays in English. Call once,
    // after the application object exists and before any window is made.
    static QString Install(const QLocale &locale);
    // What Install installed last: "de", or empty for English.
    static QString Language();
    // A resource in the user interface's language: ":/help/userguide.html" becomes
    // ":/help/userguide_de.html" in German when the program has that file, and stays as it is
    // otherwise.
    static QString Localised(const QString &resource);

private:
    static QString language;
};

#endif
