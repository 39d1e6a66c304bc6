#include "ui/main/TFormMain.h"

#include "core/files/FileNameRules.h"
#include "core/files/SafeWrite.h"
#include "core/graph/ChartExport.h"
#include "ui/common/Seams.h"
#include "ui/common/TH_Message.h"
#include "ui/graph/GraphExportTexts.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/graph/TPaintBox.h"
#include "ui/main/MainRun.h"
#include "ui/main/MainView.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

// The graph as a file (SVG, PDF, PNG at a chosen size) and on the clipboard.

namespace {

// Why a file could not be written, in the window's words.
QString writeProblem(const QString &path)
{
    const QFileInfo info(path);
    if (!QFileInfo(info.absolutePath()).isDir())
        return GraphExportTexts::noSuchFolder();
    if (info.isDir() || !QFileInfo(info.absolutePath()).isWritable() ||
        (info.exists() && !info.isWritable()))
        return GraphExportTexts::noPermission();
    const QString reason = lastSafeWriteError();
    return reason.isEmpty() ? GraphExportTexts::cannotWrite() : reason;
}

} // namespace

void TFormMain::buildExportMenu()
{
    // Beside printing in the file menu; the copy in the graph menu, on the usual shortcut.
    auto *exportGraph = new QAction(GraphExportTexts::exportMenuItem(), this);
    exportGraph->setObjectName(QStringLiteral("MenuFile_ExportGraph"));
    connect(exportGraph, &QAction::triggered, this, [this] { MenuFile_ExportGraphClick(); });
    MenuFile->insertAction(MenuFile->findChild<QAction *>(QStringLiteral("MenuFile_PrintSetup")),
                           exportGraph);
    MenuGraph->addSeparator();
    QAction *copy = MenuGraph->addAction(GraphExportTexts::copyMenuItem());
    copy->setObjectName(QStringLiteral("MenuGraph_Copy"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, [this] { MenuGraph_CopyClick(); });
}

void TFormMain::followDesktopLook()
{
    PaintBox1->onLookChange = [this] {
        if (!graph || !graph->followLook())
            return;
        mApplyLabelColors();
        // A run draws its next point over the new picture; otherwise all is drawn again.
        if (m_run && m_run->measuring())
            return;
        graph->clear();
        m_view->refreshView();
    };
}

QSize TFormMain::shownPictureSize() const
{
    // The box and its labels as the window shows them.
    return PaintBox1->size() + QSize(kBoxLeft + kBoxRightMargin, kBoxTop + kBoxBottomMargin);
}

void TFormMain::MenuFile_ExportGraphClick()
{
    if (!graph)
        return;
    const QString data = m_document->dataFileName();
    const QString suggested = data.isEmpty() ? QStringLiteral("graph.svg")
                                             : proposedFileName(data, QStringLiteral(".svg"));
    const QString path =
        Seams::files().saveFile(this, GraphExportTexts::exportCaption(),
                                data.isEmpty() ? QString() : QFileInfo(data).absolutePath(),
                                GraphExportTexts::exportFilter(), suggested);
    if (path.isEmpty())
        return;
    const auto format = chartFormatOfPath(path);
    if (!format) {
        Seams::messages().show(MessagePresenter::Icon::Error, message->caption(),
                               GraphExportTexts::unknownFormat(path));
        return;
    }
    const QSize shown = shownPictureSize();
    const QSize least = minimumGraphImageSize();
    int width = shown.width();
    int height = shown.height();
    if (!Seams::numbers().chooseNumber(this, GraphExportTexts::exportCaption(),
                                       GraphExportTexts::widthLabel(), least.width(), kMaxChartSide,
                                       width) ||
        !Seams::numbers().chooseNumber(this, GraphExportTexts::exportCaption(),
                                       GraphExportTexts::heightLabel(), least.height(),
                                       kMaxChartSide, height))
        return;
    const ChartPicture picture = chartFile(graph->chartRequest(), *format, QSize(width, height));
    if (picture.bytes.isEmpty()) {
        Seams::messages().show(MessagePresenter::Icon::Error, message->caption(),
                               GraphExportTexts::notDrawn());
        return;
    }
    // Through a temporary file: a file that cannot be written is left as it was.
    clearSafeWriteError();
    if (!writeFileSafely(path, picture.bytes))
        Seams::messages().show(MessagePresenter::Icon::Error, message->caption(),
                               GraphExportTexts::notWritten(path, writeProblem(path)));
}

void TFormMain::MenuGraph_CopyClick()
{
    if (!graph)
        return;
    // The picture as the window shows it, at the screen's resolution, and as SVG for programs
    // that take vectors.
    const ChartRequest request = graph->chartRequest();
    const QSize size = shownPictureSize();
    const ChartPicture png = chartImage(request, size, devicePixelRatioF());
    const ChartPicture svg = chartFile(request, ChartFormat::Svg, size);
    if (png.image.isNull())
        return;
    auto *mime = new QMimeData;
    mime->setImageData(png.image);
    mime->setData(QStringLiteral("image/svg+xml"), svg.bytes);
    QGuiApplication::clipboard()->setMimeData(mime);
}
