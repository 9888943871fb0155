// SPDX-License-Identifier: GPL-3.0-or-later
#include "translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>

QString TTranslations::language;

QString TTranslations::Language()
{
    return language;
}

QString TTranslations::Localised(const QString &resource)
{
    if (language.isEmpty()) {
        return resource;
    }
    const int dot = resource.lastIndexOf(QLatin1Char('.'));
    const QString localised =
        dot < 0 ? resource + QLatin1Char('_') + language
                : resource.left(dot) + QLatin1Char('_') + language + resource.mid(dot);
    return QFile::exists(localised) ? localised : resource;
}

QString TTranslations::Install(const QLocale &locale)
{
    QCoreApplication *application = QCoreApplication::instance();
    Q_ASSERT(application);
    language.clear();
    QTranslator *program = new QTranslator(application);
    if (!program->load(locale, QStringLiteral("curvalo"), QStringLiteral("_"),
                       QStringLiteral(":/translations"))) {
        delete program;
        return QString();
    }
    QCoreApplication::installTranslator(program);

    // Qt's own texts come with the system's Qt; without them the standard buttons stay
    // English, which is a blemish and no reason to give up the rest.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString qt_folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString qt_folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    QTranslator *qt = new QTranslator(application);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), qt_folder)) {
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
    }
    language = program->language().section(QLatin1Char('_'), 0, 0);
    return language;
}
