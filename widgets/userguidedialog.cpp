// SPDX-License-Identifier: GPL-3.0-or-later
#include "userguidedialog.h"

#include "messagebox.h"
#include "notices.h"
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

void TUserGuideDialog::Show_Drawing_Legend(QWidget *parent)
{
    TMessageBox *box = new TMessageBox(parent);
    box->setObjectName(QStringLiteral("legend_box"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("Curvalo"));
    box->setText(tr("What the drawing shows"));
    box->setInformativeText(TNotices::Rich(
        tr("Grey: the nominal measuring volume, a grid over the Y and Z ranges. Y runs right, "
           "Z up.\n"
           "Red: the same grid moved by the model's corrections, multiplied by the "
           "exaggeration so that they can be seen. Lengths and numbers are never "
           "exaggerated.\n"
           "Arrow labels: the lengths of the drawn deflected lines in mm, each end moved by "
           "its correction.\n"
           "Bands: the gauges of the measurements with their ids; the selected ones are "
           "outlined dark and lie on top.\n"
           "Actual length (editor): what the deflected machine reports, the gauge ends each "
           "minus its correction, so its deviation from nominal has the opposite sign of the "
           "arrow labels'.\n"
           "The status bar shows the position under the mouse and the correction there.")));
    box->setIcon(QMessageBox::Information);
    box->setStandardButtons(QMessageBox::Ok);
    box->setWindowModality(Qt::NonModal);
    box->show();
}
