// The control charts of the log this station writes to, in a window of their own.
#include "core/qc/QcStationFiles.h"
#include "ui/qc/TDialogQcCharts.h"
#include "ui/qc/TFormQc.h"

#include <QLineEdit>

void TFormQc::showCharts()
{
    if (!m_charts)
        m_charts = new TDialogQcCharts(this);
    const QString folder =
        QcStationFiles::folderFor(FolderEdit->text().trimmed(), LimitsEdit->text().trimmed());
    m_charts->showLog(QcStationFiles::logTarget(databaseText(), folder));
    m_charts->show();
    m_charts->raise();
}
