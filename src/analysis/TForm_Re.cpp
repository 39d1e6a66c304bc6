#include "TForm_Re.h"

#include "app/Seams.h"
#include "app/WindowFont.h"
#include "core/analysis/AnalysisMessages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

TForm_Re::TForm_Re(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form_Re"));
    setWindowTitle(QStringLiteral("TS の計算"));
    setFont(windowFont());
    setModal(true);

    auto *prompt = new QLabel(QStringLiteral("Re [Ω] の値を入力してください"), this);
    auto *hint = new QLabel(QStringLiteral("例　：　2.31　(数値のみ)"), this);
    Edit1 = new QLineEdit(QStringLiteral("8.0"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button1 = new QPushButton(QStringLiteral("入力"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("取消し"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(hint);
    layout->addWidget(Edit1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &TForm_Re::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm_Re::Button2Click);
}

void TForm_Re::setTarget(float *re, quint8 *cancelFlag)
{
    re_ = re;
    cancelFlag_ = cancelFlag;
}

void TForm_Re::Button1Click()
{
    bool ok = false;
    const double value = Edit1->text().trimmed().toDouble(&ok);
    // "nan", "inf" and values beyond the float range are not numbers the computation can use.
    if (!ok || !std::isfinite(value) || !std::isfinite(float(value))) {
        Seams::messages().show(MessagePresenter::Icon::Error, AnalysisMessages::reEntryCaption(),
                               AnalysisMessages::badRe());
        return;
    }
    if (re_)
        *re_ = float(value);
    if (cancelFlag_)
        *cancelFlag_ = 0;
    accept();
}

void TForm_Re::Button2Click()
{
    reject();
}

void TForm_Re::reject()
{
    if (cancelFlag_)
        *cancelFlag_ = 1;
    QDialog::reject();
}

void TForm_Re::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Edit1->setFocus();
    Edit1->selectAll();
}
