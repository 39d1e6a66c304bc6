#pragma once

#include "ui/print/GraphPrintSource.h"

#include <QImage>
#include <QLabel>
#include <QList>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <array>
#include <memory>

// Colours the fake renderer paints, so a rendered page shows what came from where.
inline const QColor kPlotBackground(255, 255, 200);
inline const QColor kRCurve(220, 0, 0);
inline const QColor kThetaCurve(0, 0, 220);
inline const QColor kReferenceCurve(0, 160, 0);
constexpr int kBand = 8; // half-width of each painted band in bitmap pixels

// Stands in for the graph renderer: records every call, paints a recognisable plot and
// hands out fixed label positions computed from the arguments.
class FakePrintSource : public GraphPrintSource
{
public:
    struct DrawCall {
        QSize size;
        bool rOnly;
        bool wide;
        bool withReferences;
    };
    QList<DrawCall> draws;
    QList<float> scales;
    QList<int> textHeights;

    // The R curve as a horizontal band across the middle, θ as a vertical band at a quarter
    // of the width (left out in the R-only view), references as a band at three quarters
    // of the height.
    void drawForPrint(QImage &bitmap, bool rOnly, bool wide, bool withReferences) override
    {
        draws.append({bitmap.size(), rOnly, wide, withReferences});
        const int w = bitmap.width();
        const int h = bitmap.height();
        bitmap.fill(kPlotBackground);
        QPainter p(&bitmap);
        p.fillRect(0, h / 2 - kBand, w, 2 * kBand, kRCurve);
        if (!rOnly)
            p.fillRect(w / 4 - kBand, 0, 2 * kBand, h, kThetaCurve);
        if (withReferences)
            p.fillRect(0, h * 3 / 4 - kBand, w, 2 * kBand, kReferenceCurve);
    }
    // Ticks left of the plot on its ten level lines; entry 5 at x = 0, which is not printed.
    void printRLabelPositions(int xs[12], int ys[12], int plotLeft, int plotTop, int plotHeight,
                              float scale, int textHeight) override
    {
        scales.append(scale);
        textHeights.append(textHeight);
        for (int i = 0; i <= 10; ++i) {
            xs[i] = plotLeft - 60;
            ys[i] = plotTop + plotHeight * i / 10 - textHeight / 2;
        }
        xs[5] = 0;
        xs[11] = plotLeft;
        ys[11] = plotTop - 40;
    }
    void printThetaLabelPositions(int xs[12], int ys[12], int plotRight, int plotTop,
                                  int plotHeight, float, int textHeight) override
    {
        for (int i = 0; i <= 10; ++i) {
            xs[i] = plotRight + 15;
            ys[i] = plotTop + plotHeight * i / 10 - textHeight / 2;
        }
        xs[11] = plotRight - 60;
        ys[11] = plotTop - 40;
    }
    // Four labelled frequencies; slots 4..9 are left as the caller filled them.
    void printFrequencyLabelPositions(int xs[11], int ys[11], int plotLeft, int plotBottom,
                                      int plotWidth, float, int textHeight) override
    {
        for (int k = 0; k < 4; ++k) {
            xs[k] = plotLeft + plotWidth * k / 3 - 10;
            ys[k] = plotBottom + 8;
        }
        xs[10] = plotLeft + plotWidth - 20;
        ys[10] = plotBottom + textHeight + 16;
    }
};

// 35 labels with texts that name their entry: Rt0..Rt10, [Ω], Th0..Th10, [deg], F0..F9, [Hz].
class LabelTable
{
public:
    LabelTable()
    {
        for (int i = 0; i < 35; ++i) {
            QString text;
            if (i <= 10)
                text = QStringLiteral("Rt%1").arg(i);
            else if (i == 11)
                text = QStringLiteral("[Ω]");
            else if (i <= 22)
                text = QStringLiteral("Th%1").arg(i - 12);
            else if (i == 23)
                text = QStringLiteral("[deg]");
            else if (i <= 33)
                text = QStringLiteral("F%1").arg(i - 24);
            else
                text = QStringLiteral("[Hz]");
            m_owned[i] = std::make_unique<QLabel>(text);
            m_table[i] = m_owned[i].get();
        }
    }
    QLabel *const *table() const { return m_table.data(); }

private:
    std::array<std::unique_ptr<QLabel>, 35> m_owned;
    std::array<QLabel *, 35> m_table{};
};

constexpr int kPdfDpi = 150;
constexpr qreal kMarginPoints = 36.0; // half an inch: a whole number of pixels at 150 dpi

// Points a printer at a PDF file, A4, half-inch margins.
inline void printToPdf(QPrinter *printer, const QString &path, int dpi = kPdfDpi,
                       QPageLayout::Orientation orientation = QPageLayout::Portrait)
{
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setResolution(dpi);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(orientation);
    printer->setPageMargins(QMarginsF(kMarginPoints, kMarginPoints, kMarginPoints, kMarginPoints),
                            QPageLayout::Point);
}

// The poppler tools that read a PDF back.
namespace Pdf {

inline bool toolsAvailable()
{
    for (const char *tool : {"pdfinfo", "pdftotext", "pdftoppm"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    return true;
}

inline QByteArray run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QByteArray();
    return p.readAllStandardOutput();
}

inline int pageCount(const QString &pdf)
{
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

inline QString text(const QString &pdf)
{
    return QString::fromUtf8(run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}));
}

// One word of the page with its box in PDF points, top-left origin.
struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;
};

inline QList<Word> words(const QString &pdf)
{
    const QString html = QString::fromUtf8(
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    static const QRegularExpression re(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">"
        "([^<]*)</word>"));
    QList<Word> out;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString t = m.captured(5);
        t.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        out.append({t, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                    m.captured(4).toDouble()});
    }
    return out;
}

// The page rendered at `dpi` without smoothing, so pixels line up with printer pixels.
inline QImage render(const QString &pdf, const QString &dir, int dpi)
{
    const QString stem = dir + QStringLiteral("/page");
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-aa"), QStringLiteral("no"),
         QStringLiteral("-aaVector"), QStringLiteral("no"), QStringLiteral("-png"),
         QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

} // namespace Pdf
