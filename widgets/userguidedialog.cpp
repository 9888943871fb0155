// SPDX-License-Identifier: GPL-3.0-or-later
#include "userguidedialog.h"

#include "translations.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

TUserGuideDialog::TUserGuideDialog(const QWidget *parent, Qt::WindowFlags flags)
    : QDialog(const_cast<QWidget *>(parent), flags)
{
    setObjectName(QStringLiteral("user_guide"));
    setWindowTitle(tr("Curvalo User Guide"));
    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("user_guide_browser"));
    browser->setOpenExternalLinks(true);
    browser->setSource(QUrl(QStringLiteral("qrc") +
                            TTranslations::Localised(QStringLiteral(":/help/userguide.html"))));
    QDialogButtonBox *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->addWidget(browser);
    layout->addWidget(buttons);
    resize(640, 720);
}

TUserGuideDialog::~TUserGuideDialog() = default;
