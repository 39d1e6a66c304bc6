#include "ui/print/TFormPrnInfo.h"

#include "core/files/AnsiText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QFont dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(12);
    return font;
}

// The settings file keeps one line per text, so a pasted line break must not get in.
QString singleLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

TFormPrnInfo::TFormPrnInfo(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FormPrnInfo"));
    setWindowTitle(tr("VELO グラフ印刷"));
    setFont(dialogFont());
    setModal(true);
    setFixedSize(337, 169);

    Label1 = new QLabel(tr("印刷する測定情報の設定"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 12);
    Label1->adjustSize();

    QLineEdit **edits[] = {&Edit1, &Edit2, &Edit3};
    for (int i = 0; i < kPrintInfoLines; ++i) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        e->setGeometry(16, 36 + i * 28, 305, 21);
        e->setAccessibleName(QStringLiteral("%1 %2").arg(Label1->text()).arg(i + 1));
        *edits[i] = e;
    }

    Button2 = new QPushButton(tr("取消し"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(72, 128, 75, 25);
    Button2->setAutoDefault(false);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    Button1 = new QPushButton(tr("印刷"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(190, 128, 75, 25);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

QLineEdit *TFormPrnInfo::edit(int line) const
{
    QLineEdit *const edits[] = {Edit1, Edit2, Edit3};
    return edits[line];
}

void TFormPrnInfo::mPrepare(Settings *settings, quint8 *cancel)
{
    m_settings = settings;
    m_cancel = cancel;
    if (m_cancel)
        *m_cancel = 1;
}

void TFormPrnInfo::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TFormPrnInfo::FormShow()
{
    for (int i = 0; i < kPrintInfoLines; ++i)
        edit(i)->setText(m_settings ? fromAnsi(m_settings->printInfo[i]) : QString());
    Edit1->setFocus();
}

void TFormPrnInfo::Button1Click()
{
    if (m_settings) {
        for (int i = 0; i < kPrintInfoLines; ++i) {
            // A line left as shown keeps its bytes; only typed text is encoded.
            const QString text = edit(i)->text();
            if (text != fromAnsi(m_settings->printInfo[i]))
                m_settings->printInfo[i] = toAnsi(singleLine(text));
        }
    }
    if (m_cancel)
        *m_cancel = 0;
    accept();
}

void TFormPrnInfo::Button2Click()
{
    reject();
}

void TFormPrnInfo::reject()
{
    if (m_cancel)
        *m_cancel = 1;
    QDialog::reject();
}
