#include "core/graph/GraphView.h"

#include <array>

namespace {

struct ViewName {
    GraphView view;
    const char *name;
};

constexpr std::array<ViewName, 5> kViewNames{{{GraphView::ZPhase, "zphase"},
                                              {GraphView::RX, "rx"},
                                              {GraphView::Nyquist, "nyquist"},
                                              {GraphView::Diff, "diff"},
                                              {GraphView::Ratio, "ratio"}}};

} // namespace

QString graphViewName(GraphView view)
{
    for (const ViewName &v : kViewNames)
        if (v.view == view)
            return QString::fromLatin1(v.name);
    return QString();
}

std::optional<GraphView> graphViewFromName(const QString &name)
{
    for (const ViewName &v : kViewNames)
        if (name == QLatin1String(v.name))
            return v.view;
    return std::nullopt;
}

QStringList graphViewNames()
{
    QStringList names;
    for (const ViewName &v : kViewNames)
        names << QString::fromLatin1(v.name);
    return names;
}

bool viewNeedsPhase(GraphView view)
{
    return view == GraphView::RX || view == GraphView::Nyquist || view == GraphView::Ratio;
}

bool viewNeedsReference(GraphView view)
{
    return view == GraphView::Diff || view == GraphView::Ratio;
}
