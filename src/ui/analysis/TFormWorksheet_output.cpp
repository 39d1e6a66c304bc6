// The worksheet leaving the window: as text on the clipboard, as JSON in a file, on paper.
#include "ui/analysis/TFormWorksheet.h"

#include "core/analysis/WorksheetMessages.h"
#include "core/document/MeasurementDocument.h"
#include "core/files/AnsiText.h"
#include "core/files/SafeWrite.h"
#include "ui/analysis/WorksheetTexts.h"
#include "ui/common/Seams.h"
#include "ui/common/TH_Message.h"
#include "ui/common/Texts.h"
#include "ui/print/PrintCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

namespace T = WorksheetTexts;

namespace {

void tell(const QString &text)
{
    Seams::messages().show(MessagePresenter::Icon::Error, QString::fromUtf8(Texts::kCaption), text);
}

QString html(const QString &text)
{
    return text.toHtmlEscaped();
}

} // namespace

QString TFormWorksheet::worksheetText() const
{
    QString out = T::title() + QLatin1Char('\n');
    if (!m_result.refusal.isEmpty())
        return out + m_result.refusal + QLatin1Char('\n');
    QString section;
    for (const TsRow &r : m_rows) {
        if (r.section != section) {
            section = r.section;
            out += QLatin1Char('\n') + section + QLatin1Char('\n');
        }
        QStringList cells{r.name, r.value};
        if (!r.unit.isEmpty() || !r.formula.isEmpty())
            cells << r.unit;
        if (!r.formula.isEmpty())
            cells << r.formula;
        out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}

void TFormWorksheet::copyClick()
{
    QApplication::clipboard()->setText(worksheetText());
    if (!running())
        RunLabel->setText(T::copied());
}

void TFormWorksheet::saveJsonClick()
{
    const QFileInfo freeAir(m_host.document->dataFileName());
    const QString suggested = freeAir.fileName().isEmpty()
                                  ? QStringLiteral("worksheet.json")
                                  : freeAir.completeBaseName() + QStringLiteral("_ts.json");
    QString path =
        Seams::files().saveFile(this, T::jsonCaption(), freeAir.path(), T::jsonFilter(), suggested);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive))
        path += QStringLiteral(".json");
    if (QFileInfo::exists(path) &&
        !TH_Message(QString::fromUtf8(Texts::kUnitName), QString::fromUtf8(Texts::kCaption))
             .askOverwrite(path))
        return;
    QJsonObject o = worksheetJson(m_result);
    if (m_uncertainty)
        o.insert(QStringLiteral("uncertainty"), uncertaintyJson(*m_uncertainty));
    if (!writeFileSafely(path, QJsonDocument(o).toJson()))
        tell(T::jsonWriteFailed(path));
}

void TFormWorksheet::printClick()
{
    QPrinter &printer = applicationPrinter();
    if (!Seams::print().printDialog(this, &printer))
        return;

    const MeasurementDocument &doc = *m_host.document;
    QString body = QStringLiteral("<h3>") + html(T::title()) + QStringLiteral("</h3><p>") +
                   html(QFileInfo(doc.dataFileName()).fileName()) + QStringLiteral("&nbsp; ") +
                   html(fromAnsi(doc.measurement().dateTime)) + QStringLiteral("</p>");
    if (!m_result.refusal.isEmpty()) {
        body += QStringLiteral("<p>") + html(m_result.refusal) + QStringLiteral("</p>");
    } else {
        body += QStringLiteral("<table cellspacing=0 cellpadding=2 border=1>");
        QString section;
        for (const TsRow &r : m_rows) {
            if (r.section != section) {
                section = r.section;
                body += QStringLiteral("<tr><th colspan=4 align=left>") + html(section) +
                        QStringLiteral("</th></tr>");
            }
            if (r.section == WorksheetMessages::sectionFlags())
                body += QStringLiteral("<tr><td>%1</td><td colspan=3>%2</td></tr>")
                            .arg(html(r.name), html(r.value));
            else
                body += QStringLiteral("<tr><td>%1</td><td align=right>%2</td><td>%3</td>"
                                       "<td>%4</td></tr>")
                            .arg(html(r.name), html(r.value), html(r.unit), html(r.formula));
        }
        body += QStringLiteral("</table>");
    }

    // The whole table on one page: laid out at a readable width, then scaled down to fit.
    QTextDocument sheet;
    sheet.setDefaultFont(font());
    sheet.setHtml(body);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    sheet.setTextWidth(900);
    const QSizeF size = sheet.size();
    const double scale =
        std::min(page.width() / size.width(), page.height() / std::max(1.0, size.height()));
    QPainter painter;
    if (!painter.begin(&printer)) {
        tell(T::printFailed());
        return;
    }
    painter.scale(scale, scale);
    sheet.drawContents(&painter);
    painter.end();
}
