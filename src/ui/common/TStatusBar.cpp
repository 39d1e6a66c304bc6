#include "ui/common/TStatusBar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace {

// A screen reader hears a panel as the label it looks like: static text named by its text.
class StatusPanelAccessible : public QAccessibleWidget
{
public:
    explicit StatusPanelAccessible(TStatusPanel *panel)
        : QAccessibleWidget(panel, QAccessible::StaticText)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<TStatusPanel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

bool hasLineBreak(const QString &text)
{
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return true;
    }
    return false;
}

// Text a label draws as one left-to-right line of plain glyphs.
bool isPlainLine(const QString &text)
{
    // 0x9c separates alternatives of a text.
    return !hasLineBreak(text) && !text.contains(u'\t') && !text.contains(QChar(0x9c)) &&
           !text.isRightToLeft();
}

} // namespace

TStatusPanel::TStatusPanel(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setSizePolicy(QSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred, QSizePolicy::Label));
    QAccessible::registerAccessibleInterface(new StatusPanelAccessible(this));
}

void TStatusPanel::setText(const QString &text)
{
    if (text == m_text)
        return;
    const bool heightMayChange = hasLineBreak(text) || hasLineBreak(m_text);
    m_text = text;
    m_textWidth = -1;
    m_shaped = false;
    update(contentsRect());
    if (heightMayChange)
        updateGeometry();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

bool TStatusPanel::shapeLine() const
{
    if (m_text.isEmpty() || !isPlainLine(m_text))
        return false;
    if (!m_shaped) {
        QTextOption option;
        option.setTextDirection(Qt::LeftToRight);
        option.setFlags(QTextOption::IncludeTrailingSpaces); // counted as horizontalAdvance does
        m_line.setText(m_text);
        m_line.setFont(font());
        m_line.setTextOption(option);
        m_line.setCacheEnabled(true); // or the painting shapes it again
        m_line.beginLayout();
        m_line.createLine();
        m_line.endLayout();
        m_shaped = true;
    }
    return true;
}

int TStatusPanel::textWidth() const
{
    if (m_textWidth < 0) {
        m_textWidth = shapeLine() ? qRound(m_line.lineAt(0).naturalTextWidth())
                                  : fontMetrics().horizontalAdvance(m_text);
    }
    return m_textWidth;
}

// The height a label asks for (one line: the larger of the font's height and line spacing, as
// for a label before and after its first text); the width is the one the panel is given.
QSize TStatusPanel::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    const int lines =
        hasLineBreak(m_text)
            ? metrics.boundingRect(QRect(0, 0, 2000, 2000), Qt::TextExpandTabs, m_text).height()
            : qMax(metrics.height(), metrics.lineSpacing());
    const int frame = 2 * frameWidth();
    return QSize(frame, lines + frame).expandedTo(minimumSize());
}

QSize TStatusPanel::minimumSizeHint() const
{
    return sizeHint();
}

void TStatusPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    if (m_text.isEmpty())
        return;
    // A label's rule: with a frame, the text starts half an "x" inside it.
    const int indent = frameWidth() ? fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    QRect area = contentsRect();
    if (isEnabled() && shapeLine()) {
        // The line already shaped, placed and clipped as a label's text is.
        area.setLeft(area.left() + indent);
        const QTextLine line = m_line.lineAt(0);
        const qreal height = line.ascent() + line.descent();
        const QPointF origin(area.left(), area.top() + (area.height() - height) / 2);
        if (!QRectF(area).contains(QRectF(origin, QSizeF(line.naturalTextWidth(), height))))
            painter.setClipRect(area, Qt::IntersectClip);
        painter.setPen(QPen(palette().brush(foregroundRole()), painter.pen().widthF()));
        m_line.draw(&painter, origin);
        return;
    }
    const bool leftToRight = !m_text.isRightToLeft();
    const Qt::Alignment align = QStyle::visualAlignment(
        leftToRight ? Qt::LeftToRight : Qt::RightToLeft, Qt::AlignLeft | Qt::AlignVCenter);
    if (align & Qt::AlignLeft)
        area.setLeft(area.left() + indent);
    else
        area.setRight(area.right() - indent);
    const int flags = int(align) | Qt::TextExpandTabs |
                      (leftToRight ? Qt::TextForceLeftToRight : Qt::TextForceRightToLeft);
    style()->drawItemText(&painter, area, flags, palette(), isEnabled(), m_text, foregroundRole());
}

void TStatusPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        m_textWidth = -1;
        m_shaped = false;
    }
    QFrame::changeEvent(event);
}

TStatusBar::TStatusBar(int panelCount, int initialWidth, QWidget *parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    for (int i = 0; i < panelCount; ++i) {
        auto *panel = new TStatusPanel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFixedWidth(initialWidth);
        addWidget(panel);
        m_panels.append(panel);
    }
}
