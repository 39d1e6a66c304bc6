#include "ui/graph/TFormSetColor.h"
#include "ui/common/AccessibleNames.h"

#include "ui/common/Seams.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {

QFont dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(12);
    return font;
}

QLabel *makeLabel(const char *name, const QString &text, QWidget *parent, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

TColorSwatch::TColorSwatch(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void TColorSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (onPaint)
        onPaint(painter);
}

void TColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void TColorSwatch::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit clicked();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

TFormSetColor::TFormSetColor(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FormSetColor"));
    setWindowTitle(tr("グラフ線色設定"));
    setFont(dialogFont());
    setModal(true);
    setFixedSize(241, 349);

    auto swatch = [this](const char *name, QWidget *parent, int x, int y,
                         void (TFormSetColor::*painter)(QPainter &),
                         void (TFormSetColor::*click)()) {
        auto *s = new TColorSwatch(parent);
        s->setObjectName(QString::fromLatin1(name));
        s->setGeometry(x, y, 32, 24);
        s->onPaint = [this, painter](QPainter &p) { (this->*painter)(p); };
        connect(s, &TColorSwatch::clicked, this, [this, click] { (this->*click)(); });
        return s;
    };

    GroupBox2 = new QGroupBox(tr("測定データ"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(32, 32, 169, 105);
    Label2 = makeLabel("Label2", tr("抵抗値グラフ"), GroupBox2, 16, 32);
    PaintBox1 = swatch("PaintBox1", GroupBox2, 96, 24, &TFormSetColor::mPaintRSwatch,
                       &TFormSetColor::PaintBox1Click);
    Label3 = makeLabel("Label3", tr("位相角グラフ"), GroupBox2, 16, 64);
    PaintBox2 = swatch("PaintBox2", GroupBox2, 96, 56, &TFormSetColor::mPaintThetaSwatch,
                       &TFormSetColor::PaintBox2Click);

    GroupBox3 = new QGroupBox(tr("参照データ"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(32, 152, 169, 137);
    ComboBox1 = new QComboBox(GroupBox3);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(24, 28, 97, 20);
    ComboBox1->addItems(
        {tr("データ１"), tr("データ２"), tr("データ３"), tr("データ４"), tr("データ５")});
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
    Label4 = makeLabel("Label4", tr("抵抗値グラフ"), GroupBox3, 16, 72);
    PaintBox3 = swatch("PaintBox3", GroupBox3, 96, 64, &TFormSetColor::mPaintRefRSwatch,
                       &TFormSetColor::PaintBox3Click);
    Label5 = makeLabel("Label5", tr("位相角グラフ"), GroupBox3, 16, 101);
    PaintBox4 = swatch("PaintBox4", GroupBox3, 96, 97, &TFormSetColor::mPaintRefThetaSwatch,
                       &TFormSetColor::PaintBox4Click);

    CancelBtn = new QPushButton(tr("取り消し"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(32, 304, 75, 25);
    CancelBtn->setAutoDefault(false);
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });

    SetBtn = new QPushButton(tr("設定"), this);
    SetBtn->setObjectName(QStringLiteral("SetBtn"));
    SetBtn->setGeometry(128, 304, 75, 25);
    SetBtn->setAutoDefault(false);
    connect(SetBtn, &QPushButton::clicked, this, [this] { SetBtnClick(); });

    // A swatch is named by its group and line, as it is seen.
    const auto name = [](QWidget *swatch, QGroupBox *group, QLabel *label) {
        swatch->setAccessibleName(group->title() + QLatin1Char(' ') + label->text());
    };
    name(PaintBox1, GroupBox2, Label2);
    name(PaintBox2, GroupBox2, Label3);
    name(PaintBox3, GroupBox3, Label4);
    name(PaintBox4, GroupBox3, Label5);
    nameComboBox(ComboBox1, GroupBox3->title());
}

void TFormSetColor::mPrepare(Settings *settings, quint8 *result)
{
    m_target = settings;
    m_result = result;
    if (m_result)
        *m_result = 1;
    m_working = settings ? *settings : Settings();
    ComboBox1->setCurrentIndex(0);
    FormPaint();
}

int TFormSetColor::selectedSlot() const
{
    const int slot = ComboBox1->currentIndex();
    return slot >= 0 && slot < kReferenceSlots ? slot : -1;
}

void TFormSetColor::paintSwatch(QPainter &painter, const QWidget *swatch, ColorRef colour)
{
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(toQColor(colour));
    painter.drawRect(0, 0, swatch->width() - 1, swatch->height() - 1);
}

void TFormSetColor::mPaintRSwatch(QPainter &p)
{
    paintSwatch(p, PaintBox1, m_working.colorR);
}

void TFormSetColor::mPaintThetaSwatch(QPainter &p)
{
    paintSwatch(p, PaintBox2, m_working.colorTheta);
}

void TFormSetColor::mPaintRefRSwatch(QPainter &p)
{
    const int slot = selectedSlot();
    if (slot >= 0)
        paintSwatch(p, PaintBox3, m_working.refColorR[slot]);
}

void TFormSetColor::mPaintRefThetaSwatch(QPainter &p)
{
    const int slot = selectedSlot();
    if (slot >= 0)
        paintSwatch(p, PaintBox4, m_working.refColorTheta[slot]);
}

void TFormSetColor::FormPaint()
{
    PaintBox1->update();
    PaintBox2->update();
    PaintBox3->update();
    PaintBox4->update();
}

void TFormSetColor::ComboBox1Change()
{
    PaintBox3->update();
    PaintBox4->update();
}

bool TFormSetColor::chooseColor(ColorRef &colour)
{
    const QColor chosen = Seams::colors().chooseColor(this, m_lastChosen);
    if (!chosen.isValid())
        return false;
    m_lastChosen = chosen;
    colour = toColorRef(chosen);
    return true;
}

void TFormSetColor::PaintBox1Click()
{
    if (chooseColor(m_working.colorR))
        PaintBox1->update();
}

void TFormSetColor::PaintBox2Click()
{
    if (chooseColor(m_working.colorTheta))
        PaintBox2->update();
}

void TFormSetColor::PaintBox3Click()
{
    // The slot is the one selected when the swatch was clicked.
    const int slot = selectedSlot();
    if (slot >= 0 && chooseColor(m_working.refColorR[slot]))
        PaintBox3->update();
}

void TFormSetColor::PaintBox4Click()
{
    const int slot = selectedSlot();
    if (slot >= 0 && chooseColor(m_working.refColorTheta[slot]))
        PaintBox4->update();
}

void TFormSetColor::SetBtnClick()
{
    if (m_target)
        *m_target = m_working;
    if (m_result)
        *m_result = 0;
    accept();
}

void TFormSetColor::CancelBtnClick()
{
    reject();
}

void TFormSetColor::reject()
{
    if (m_result)
        *m_result = 1;
    QDialog::reject();
}
