#include "ui/main/TFormVersion.h"

#include "core/graph/WindowFont.h"
#include "ui/common/Texts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

TFormVersion::TFormVersion(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FormVersion"));
    setWindowTitle(tr("VELO バージョン情報"));
    // What the picture says, for a screen reader; Esc or a click closes the window.
    setAccessibleDescription(tr("スピーカのインピーダンス測定") + QStringLiteral("  Version ") +
                             QString::fromUtf8(Texts::kVersion));
    setFixedSize(290, 170);
    setModal(true);
}

QPixmap TFormVersion::picture(const QSize &size)
{
    QPixmap pix(size);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, size.height());
    bg.setColorAt(0, QColor(24, 40, 72));
    bg.setColorAt(1, QColor(8, 14, 28));
    p.fillRect(pix.rect(), bg);

    // A faint impedance curve: a resonance peak rising again towards high frequencies.
    QPainterPath curve;
    const int w = size.width();
    const int h = size.height();
    for (int x = 0; x <= w; ++x) {
        const double f = std::pow(10.0, 1.0 + 4.0 * x / w);
        const double fs = 60.0;
        const double q = 3.0;
        const double motional = 30.0 / std::sqrt(1 + q * q * std::pow(f / fs - fs / f, 2));
        const double z = 6.0 + motional + f / 2000.0;
        const double y = h - 18 - z * (h - 60) / 45.0;
        if (x == 0)
            curve.moveTo(x, y);
        else
            curve.lineTo(x, y);
    }
    p.setPen(QPen(QColor(80, 140, 255, 150), 2));
    p.drawPath(curve);

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(44);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 14, w, 56), Qt::AlignHCenter | Qt::AlignVCenter,
               QString::fromUtf8(Texts::kProgramTitle));

    QFont sub = windowFont();
    sub.setPixelSize(13);
    p.setFont(sub);
    p.setPen(QColor(200, 215, 240));
    p.drawText(QRect(0, 74, w, 20), Qt::AlignHCenter, tr("スピーカのインピーダンス測定"));
    p.drawText(QRect(0, 96, w, 20), Qt::AlignHCenter,
               QStringLiteral("Version ") + QString::fromUtf8(Texts::kVersion) +
                   QStringLiteral("  for HK-A / HK-A2"));
    return pix;
}

void TFormVersion::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture(size()));
}

void TFormVersion::mousePressEvent(QMouseEvent *)
{
    accept();
}
