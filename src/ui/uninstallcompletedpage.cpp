#include "uninstallcompletedpage.h"

#include "uninstall/uninstallreport.h"

#include <QDir>
#include <QStyle>

namespace appinstaller {

namespace {

// The style sheet picks the warning mark and colour by this property of the page.
const char kIncompleteProperty[] = "incomplete";

const QString kItemIndent = QStringLiteral("  ");
const QString kEntryIndent = QStringLiteral("    ");

} // namespace

UnInstallCompletedPage::UnInstallCompletedPage(QWidget *parent)
    : QWidget(parent)
{
    ui.setupUi(this);
    ui.m_pLeftoversEdit->hide();

    connect(ui.m_pUpperWidget, &UpperWidget::signalClose, this, &UnInstallCompletedPage::signalClose);
    connect(ui.m_pCompletedBtn, &QAbstractButton::clicked, this,
            &UnInstallCompletedPage::onCompletedBtnClicked);
}

UnInstallCompletedPage::~UnInstallCompletedPage() = default;

void UnInstallCompletedPage::showReport(const UninstallReport &report)
{
    if (report.isComplete())
        return;

    ui.m_pInstallInfoLabel->setText(tr("NotEverythingWasRemovedGhYtRb"));
    ui.m_pLeftoversEdit->setPlainText(leftoverText(report));

    // The panel is the same 160 px: the mark and the text move up and to the left,
    // the list takes the room below them, lined up with the text, and the button
    // keeps its corner beside the list.
    ui.gridLayout_3->setContentsMargins(36, 16, 36, 24);
    ui.gridLayout_3->setVerticalSpacing(8);
    ui.horizontalSpacer_5->changeSize(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    ui.horizontalLayout->setContentsMargins(ui.m_pIconToolBtn->minimumWidth() + ui.horizontalLayout_3->spacing(), 0,
                                            0, 0);
    ui.horizontalSpacer->changeSize(10, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    ui.m_pLeftoversEdit->show();
    ui.gridLayout_3->invalidate();

    // Descendant rules that look at a property of the page are only matched anew
    // when the widgets they style are polished again.
    setProperty(kIncompleteProperty, true);
    for (QWidget *widget : {static_cast<QWidget *>(ui.m_pIconToolBtn), static_cast<QWidget *>(ui.m_pInstallInfoLabel)}) {
        widget->style()->unpolish(widget);
        widget->style()->polish(widget);
    }
    // Ready for the keyboard: select all and copy.
    ui.m_pLeftoversEdit->setFocus();
}

void UnInstallCompletedPage::onCompletedBtnClicked()
{
    emit signalClose();
}

// Paths one to a line, as the user would type them, grouped by why they remain.
QString UnInstallCompletedPage::leftoverText(const UninstallReport &report) const
{
    QStringList notRemoved;
    QStringList refused;
    const QList<UninstallReport::Leftover> leftovers = report.leftovers();
    for (const UninstallReport::Leftover &leftover : leftovers) {
        QStringList &lines = leftover.reason == UninstallReport::Reason::NotRemoved ? notRemoved : refused;
        lines.append(kItemIndent
                     + (leftover.location.isEmpty() ? tr("InstallLocationNotRecordedTzMq")
                                                    : QDir::toNativeSeparators(leftover.location)));
        for (const QString &entry : leftover.entries)
            lines.append(kEntryIndent + QDir::toNativeSeparators(entry));
        if (leftover.unlistedEntries > 0)
            lines.append(kEntryIndent + tr("AndMoreEntriesRnBfKs").arg(leftover.unlistedEntries));
    }

    QStringList text;
    if (!notRemoved.isEmpty())
        text << tr("CouldNotBeRemovedPwLzQa") << notRemoved;
    if (!refused.isEmpty())
        text << tr("LeftInPlaceForSafetyJcXd") << refused;
    return text.join(QLatin1Char('\n'));
}

} // namespace appinstaller
