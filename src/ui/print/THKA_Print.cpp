#include "ui/print/THKA_Print.h"

#include "core/files/AnsiText.h"
#include "core/graph/AxisLabels.h"
#include "ui/print/GraphPrintSource.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <algorithm>
#include <iterator>

namespace {
constexpr int kPrintFontPoints = 9;
// Each group is its ticks followed by its unit label.
constexpr int kRLabels = kRUnitLabel - kRTickFirst + 1;
constexpr int kThetaLabels = kThetaUnitLabel - kThetaTickFirst + 1;
constexpr int kFrequencyLabels = kFreqUnitLabel - kFreqTickFirst + 1;
constexpr double kFallbackScreenDpi = 96.0;
} // namespace

THKA_Print::THKA_Print(GraphPrintSource *renderer, QPrinter *printer, const Settings *settings,
                       QLabel *const *labels)
    : m_printer(printer), m_renderer(renderer), m_labels(labels), m_settings(settings)
{
}

QString THKA_Print::title(bool unitIsHKA)
{
    return unitIsHKA ? QStringLiteral("< HK-A インピーダンス測定 >")
                     : QStringLiteral("< HK-A2 インピーダンス測定 >");
}

PrintDevice THKA_Print::deviceValues() const
{
    PrintDevice d;
    d.dpiX = m_printer->logicalDpiX();
    d.dpiY = m_printer->logicalDpiY();
    d.printableWidthMM = m_printer->widthMM();
    d.printableHeightMM = m_printer->heightMM();
    d.landscape = m_printer->pageLayout().orientation() == QPageLayout::Landscape;
    const QScreen *screen = QGuiApplication::primaryScreen();
    d.screenDpi = screen ? screen->logicalDotsPerInchY() : kFallbackScreenDpi;
    return d;
}

bool THKA_Print::printGraph(bool rOnly, bool unitIsHKA, bool thickLines, bool withReferences)
{
    if (!m_printer || !m_renderer)
        return false;
    m_layout = computePrintLayout(deviceValues());
    const PrintLayout &l = m_layout;
    if (!l.hasPlot())
        return false;

    QImage bitmap(l.plotWidth, l.plotHeight, QImage::Format_RGB32);
    if (bitmap.isNull())
        return false;
    m_renderer->drawForPrint(bitmap, rOnly, thickLines, withReferences);

    QPainter page;
    if (!page.begin(m_printer))
        return false;
    // A PDF (which is also what CUPS printers are sent) would otherwise carry the plot as a
    // JPEG, with fringes round the lines and thousands of colours for a handful.
    page.setRenderHint(QPainter::LosslessImageRendering);
    page.setBrush(Qt::white);
    page.setPen(Qt::black);
    page.drawImage(l.plotLeft, l.plotTop, bitmap);
    bitmap = QImage(); // the page holds its own copy now

    // The frame as four one-pixel strips, so it covers exactly the pixels around the plot
    // on any device, a PDF file included.
    const QRect frame(l.plotLeft - 1, l.plotTop - 1, l.plotWidth + 2, l.plotHeight + 2);
    page.fillRect(QRect(frame.left(), frame.top(), frame.width(), 1), Qt::black);
    page.fillRect(QRect(frame.left(), frame.bottom(), frame.width(), 1), Qt::black);
    page.fillRect(QRect(frame.left(), frame.top(), 1, frame.height()), Qt::black);
    page.fillRect(QRect(frame.right(), frame.top(), 1, frame.height()), Qt::black);

    QFont font = QGuiApplication::font();
    font.setPointSize(kPrintFontPoints);
    page.setFont(font);
    page.setPen(Qt::black);
    page.setBrush(Qt::white);

    int xs[kRLabels];
    int ys[kRLabels];
    std::fill(std::begin(xs), std::end(xs), -1);
    std::fill(std::begin(ys), std::end(ys), -1);
    m_renderer->printRLabelPositions(xs, ys, l.plotLeft, l.plotTop, l.plotHeight, l.scale,
                                     l.textHeight);
    printLabelGroup(page, kRTickFirst, kRLabels, xs, ys);

    // In the R-only view the screen hides the θ labels and stops updating them, so their
    // texts would belong to an older scale.
    if (!rOnly) {
        std::fill(std::begin(xs), std::end(xs), -1);
        std::fill(std::begin(ys), std::end(ys), -1);
        m_renderer->printThetaLabelPositions(xs, ys, l.plotRight, l.plotTop, l.plotHeight, l.scale,
                                             l.textHeight);
        printLabelGroup(page, kThetaTickFirst, kThetaLabels, xs, ys);
    }

    std::fill(std::begin(xs), std::end(xs), -1);
    std::fill(std::begin(ys), std::end(ys), -1);
    m_renderer->printFrequencyLabelPositions(xs, ys, l.plotLeft, l.plotBottom, l.plotWidth, l.scale,
                                             l.textHeight);
    printLabelGroup(page, kFreqTickFirst, kFrequencyLabels, xs, ys);

    printText(page, l.textX, l.titleY, title(unitIsHKA));
    if (m_settings) {
        for (int i = 0; i < kPrintInfoLines; ++i)
            if (!m_settings->printInfo[i].isEmpty())
                printText(page, l.textX, l.infoY[i], fromAnsi(m_settings->printInfo[i]));
    }
    return page.end();
}

void THKA_Print::printLabelGroup(QPainter &painter, int firstEntry, int count, const int *xs,
                                 const int *ys) const
{
    if (!m_labels)
        return;
    for (int i = 0; i < count; ++i) {
        const QLabel *label = m_labels[firstEntry + i];
        if (label && xs[i] > 0 && ys[i] > 0)
            printText(painter, xs[i], ys[i], label->text());
    }
}

void THKA_Print::printText(QPainter &painter, int x, int y, const QString &text)
{
    // (x, y) is the top left of the text cell, as the page layout counts it.
    if (!text.isEmpty())
        painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}
