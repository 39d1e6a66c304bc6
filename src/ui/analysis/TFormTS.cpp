#include "ui/analysis/TFormTS.h"

#include "core/analysis/AnalysisFormat.h"
#include "core/graph/WindowFont.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFormTS::TFormTS(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FormTS"));
    setWindowTitle(tr("TS の計算"));
    setFont(windowFont());
    setModal(true);

    auto *grid = new QGridLayout(this);
    for (int i = 0; i < kTsValueCount; ++i) {
        auto *label = new QLabel(tsValueLabel(i), this);
        grid->addWidget(label, i, 0);
        fields_[i] = new QLineEdit(emptyFieldText(), this);
        label->setBuddy(fields_[i]); // names the field for a screen reader
        fields_[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        fields_[i]->setReadOnly(true);
        fields_[i]->setAlignment(Qt::AlignRight);
        fields_[i]->setFocusPolicy(Qt::StrongFocus);
        grid->addWidget(fields_[i], i, 1);
    }
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    grid->addWidget(Button1, kTsValueCount, 0, 1, 2, Qt::AlignHCenter);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormTS::setParameters(const TsParameters *p)
{
    params_ = p;
}

QLineEdit *TFormTS::field(int i) const
{
    return fields_[i];
}

void TFormTS::refresh()
{
    if (!params_) {
        for (QLineEdit *f : fields_)
            f->setText(emptyFieldText());
        return;
    }
    const auto values = tsValues(*params_);
    for (int i = 0; i < kTsValueCount; ++i)
        fields_[i]->setText(formatZeroDot00(values[i]));
}

void TFormTS::showEvent(QShowEvent *event)
{
    refresh();
    QDialog::showEvent(event);
}
