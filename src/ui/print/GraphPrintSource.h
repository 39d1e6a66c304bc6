#pragma once

class QImage;

// What the printout needs from the graph renderer: the plot drawn into a bitmap at printer
// resolution, and where the screen labels' texts go on the page. Graph_RTF provides exactly
// these operations; RendererPrintSource adapts it (or any class with the same operations)
// without making the renderer virtual.
class GraphPrintSource
{
public:
    virtual ~GraphPrintSource() = default;

    // Clears the bitmap, draws the print grid and the curves with the printing pen widths;
    // uses the bitmap's own size for every mapping.
    virtual void drawForPrint(QImage &bitmap, bool rOnly, bool wide, bool withReferences) = 0;
    // Positions of label entries 0..11 (R ticks, then "[Ω]").
    virtual void printRLabelPositions(int xs[12], int ys[12], int plotLeft, int plotTop,
                                      int plotHeight, float scale, int textHeight) = 0;
    // Positions of label entries 12..23 (θ ticks, then "[deg]").
    virtual void printThetaLabelPositions(int xs[12], int ys[12], int plotRight, int plotTop,
                                          int plotHeight, float scale, int textHeight) = 0;
    // Positions of label entries 24..34 (frequency ticks, then "[Hz]"); slots of unlabelled
    // positions are left as the caller filled them.
    virtual void printFrequencyLabelPositions(int xs[11], int ys[11], int plotLeft, int plotBottom,
                                              int plotWidth, float scale, int textHeight) = 0;
};

// Forwards to a renderer object that has the four operations under the same names.
template <class Renderer> class RendererPrintSource : public GraphPrintSource
{
public:
    explicit RendererPrintSource(Renderer &renderer) : m_renderer(renderer) {}

    void drawForPrint(QImage &bitmap, bool rOnly, bool wide, bool withReferences) override
    {
        m_renderer.drawForPrint(bitmap, rOnly, wide, withReferences);
    }
    void printRLabelPositions(int xs[12], int ys[12], int plotLeft, int plotTop, int plotHeight,
                              float scale, int textHeight) override
    {
        m_renderer.printRLabelPositions(xs, ys, plotLeft, plotTop, plotHeight, scale, textHeight);
    }
    void printThetaLabelPositions(int xs[12], int ys[12], int plotRight, int plotTop,
                                  int plotHeight, float scale, int textHeight) override
    {
        m_renderer.printThetaLabelPositions(xs, ys, plotRight, plotTop, plotHeight, scale,
                                            textHeight);
    }
    void printFrequencyLabelPositions(int xs[11], int ys[11], int plotLeft, int plotBottom,
                                      int plotWidth, float scale, int textHeight) override
    {
        m_renderer.printFrequencyLabelPositions(xs, ys, plotLeft, plotBottom, plotWidth, scale,
                                                textHeight);
    }

private:
    Renderer &m_renderer;
};
