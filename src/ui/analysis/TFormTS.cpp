#include "ui/analysis/TFormTS.h"

#include "core/analysis/AnalysisFormat.h"
#include "core/graph/WindowFont.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

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
        grid->addWidget(label, i + 1, 0);
        fields_[i] = new QLineEdit(emptyFieldText(), this);
        label->setBuddy(fields_[i]); // names the field for a screen reader
        fields_[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        fields_[i]->setReadOnly(true);
        fields_[i]->setAlignment(Qt::AlignRight);
        fields_[i]->setFocusPolicy(Qt::StrongFocus);
        grid->addWidget(fields_[i], i + 1, 1);
        spreadFields_[i] = new QLineEdit(this);
        spreadFields_[i]->setObjectName(QStringLiteral("Spread%1").arg(i + 1));
        spreadFields_[i]->setReadOnly(true);
        spreadFields_[i]->setAlignment(Qt::AlignRight);
        spreadFields_[i]->setAccessibleName(tsValueLabel(i) + QStringLiteral(" ±U"));
        spreadFields_[i]->hide();
        grid->addWidget(spreadFields_[i], i + 1, 2);
    }
    // Row 0 titles the spread column; empty and hidden without repeats, so the form is as before.
    spreadTitle_ = new QLabel(this);
    spreadTitle_->setObjectName(QStringLiteral("SpreadTitle"));
    spreadTitle_->hide();
    grid->addWidget(spreadTitle_, 0, 2);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    grid->addWidget(Button1, kTsValueCount + 1, 0, 1, 3, Qt::AlignHCenter);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormTS::setParameters(const TsParameters *p)
{
    params_ = p;
}

void TFormTS::setSpread(const std::optional<WindowSpread> &spread)
{
    spread_ = spread;
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
    spreadTitle_->setVisible(spread_.has_value());
    if (spread_)
        spreadTitle_->setText(tr("±U (k=2)、%1回から").arg(spread_->sweeps));
    for (int i = 0; i < kTsValueCount; ++i) {
        spreadFields_[i]->setVisible(spread_.has_value());
        const double u = spread_ ? spread_->expanded[std::size_t(i)] : 0.0;
        spreadFields_[i]->setText(spread_ && std::isfinite(u)
                                      ? QStringLiteral("±") + QString::number(u, 'g', 2)
                                      : emptyFieldText());
    }
}

void TFormTS::showEvent(QShowEvent *event)
{
    refresh();
    QDialog::showEvent(event);
}
