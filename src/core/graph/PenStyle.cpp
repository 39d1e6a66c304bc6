#include "core/graph/PenStyle.h"

#include "core/graph/GraphColors.h"

QPen chartPen(ColorRef color, int width)
{
    return QPen(toQColor(color), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

int screenMeasurementPen(bool wide)
{
    return wide ? 2 : 1;
}

int printMeasurementPen(bool wide, bool withReferences)
{
    if (withReferences)
        return 5;
    return wide ? 8 : 5;
}
