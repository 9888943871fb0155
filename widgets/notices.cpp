// SPDX-License-Identifier: GPL-3.0-or-later
#include "notices.h"

#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>

#include "messagebox.h"
#include "persistence.h"

namespace
{
// How many lines of a notice show at once; the rest are in its details.
const int shown_lines = 12;
} // namespace

TNotices::TNotices(QMainWindow *window_)
    : QObject(window_)
    , window(window_)
    , unsaved_label(nullptr)
{
}

TNotices::~TNotices() = default;

QString TNotices::Rich(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

void TNotices::Show(const QString &text, const QString &informative_text)
{
    TMessageBox *box = new TMessageBox(window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("Curvalo"));
    box->setText(text);
    // A long list goes into the details, which scroll, so that the box fits on any screen.
    const QStringList lines = informative_text.split(QLatin1Char('\n'));
    if (lines.size() > shown_lines) {
        box->setInformativeText(Rich(tr("%1\n\u2026 (%2 lines more under Show Details)")
                                         .arg(lines.mid(0, shown_lines).join(QLatin1Char('\n')))
                                         .arg(lines.size() - shown_lines)));
        box->setDetailedText(informative_text);
    } else {
        box->setInformativeText(Rich(informative_text));
    }
    box->setIcon(QMessageBox::Warning);
    box->setStandardButtons(QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
    // The user can go on working (and close the window) while it is there.
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void TNotices::Show_Unsaved(bool shown)
{
    if (!shown && !unsaved_label) {
        return;
    }
    if (!unsaved_label) {
        unsaved_label = new QLabel(tr("Changes are not saved."), window);
        unsaved_label->setObjectName(QStringLiteral("unsaved_label"));
        window->statusBar()->addPermanentWidget(unsaved_label);
    }
    unsaved_label->setVisible(shown);
}

void TNotices::Tell_Start_Problems(const TPersistence &persistence,
                                   const QStringList &unused_settings)
{
    if (persistence.Lock_State() == TPersistence::LOCK_HELD_ELSEWHERE) {
        return;
    }
    if (!unused_settings.isEmpty()) {
        Show(tr("Some settings could not be used"),
             tr("%1 holds values that Curvalo cannot use:\n%2\n\nThe fields show them as "
                "written, marked, and the model uses what their tool tips name instead. They "
                "stay in the file until you change them.")
                 .arg(QDir::toNativeSeparators(persistence.Settings_File()),
                      unused_settings.join(QLatin1Char('\n'))));
    }
    if (!persistence.Load_Problem().isEmpty()) {
        const QString kept =
            persistence.Kept_File().isEmpty()
                ? tr("The file could not be kept under another name, so the measurements will "
                     "not be saved over it.")
                : tr("The original file is kept as '%1'.")
                      .arg(QDir::toNativeSeparators(persistence.Kept_File()));
        Show(tr("The measurement file could not be read completely"),
             tr("%1:\n%2\n\n%3 The list shows what could be read.")
                 .arg(QDir::toNativeSeparators(persistence.Measurement_File()),
                      persistence.Load_Problem(), kept));
    }
    if (!persistence.Unsaved_Reason().isEmpty()) {
        Show_Unsaved(true);
        Show(tr("Changes are not saved"), persistence.Unsaved_Reason());
    }
}

void TNotices::Tell_Folder_In_Use(const QString &directory)
{
    TMessageBox box(nullptr);
    box.setWindowTitle(QStringLiteral("Curvalo"));
    box.setText(tr("Curvalo is already running with this settings folder"));
    box.setInformativeText(
        Rich(tr("Another Curvalo window works on '%1'. Close it first, or use that window.")
                 .arg(QDir::toNativeSeparators(directory))));
    box.setIcon(QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

bool TNotices::Close_Without_Saving(const QString &reason)
{
    TMessageBox box(window);
    box.setWindowTitle(QStringLiteral("Curvalo"));
    box.setText(tr("Your changes could not be saved"));
    box.setInformativeText(Rich(tr("%1\n\nFree some space or make the folder writable, "
                                   "then close again; or close without saving.")
                                    .arg(reason)));
    box.setIcon(QMessageBox::Warning);
    QPushButton *discard = box.addButton(tr("Close without saving"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.exec();
    return box.clickedButton() == discard;
}
