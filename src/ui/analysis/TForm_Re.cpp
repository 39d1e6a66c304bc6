#include "ui/analysis/TForm_Re.h"

#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/ThieleSmall.h"
#include "core/graph/WindowFont.h"
#include "ui/common/Seams.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm_Re::TForm_Re(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form_Re"));
    setWindowTitle(tr("TS の計算"));
    setFont(windowFont());
    setModal(true);

    auto *prompt = new QLabel(tr("Re [Ω] の値を入力してください"), this);
    auto *hint = new QLabel(tr("例　：　2.31　(数値のみ)"), this);
    Edit1 = new QLineEdit(QStringLiteral("8.0"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    prompt->setBuddy(Edit1); // names the field for a screen reader
    Button1 = new QPushButton(tr("入力"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(tr("取消し"), this);
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
    float value = 0.0f;
    if (!parseReText(Edit1->text(), &value)) {
        Seams::messages().show(MessagePresenter::Icon::Error, AnalysisMessages::reEntryCaption(),
                               AnalysisMessages::badRe());
        return;
    }
    if (re_)
        *re_ = value;
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
