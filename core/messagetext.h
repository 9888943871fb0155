// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMESSAGETEXT_H
#define TMESSAGETEXT_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Messages that stay readable whatever a file holds: a value is quoted with at most about 80
// characters, and a list of problems names the first twenty and counts the rest, so that a
// box fits on the screen and a megabyte cell or twenty thousand bad records cannot freeze it.
class TMessageText
{
    Q_DECLARE_TR_FUNCTIONS(TMessageText)

public:
    static const int quoted_length = 80;
    static const int problem_limit = 20;

    // The value as a message quotes it: whole up to quoted_length characters, otherwise its
    // beginning and an ellipsis.
    static QString Quote(const QString &value);
    // The first problem_limit problems, then "and 1234 more" when there are more.
    static QStringList Limit(const QStringList &problems);
};

#endif
