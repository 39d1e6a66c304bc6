#pragma once

#include "core/analysis/RepeatThieleSmall.h"
#include "core/analysis/TsParameters.h"

#include <optional>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Modal list of the ten Thiele-Small values in "0.00". It reads the record it was given each
// time it is shown; without one every field shows "---".
class TFormTS : public QDialog
{
    Q_OBJECT
public:
    explicit TFormTS(QWidget *parent = nullptr);

    void setParameters(const TsParameters *p);
    // The values' spread over repeated sweeps, shown in a third column; none hides it.
    void setSpread(const std::optional<WindowSpread> &spread);
    // Field i (0..9) in the order of the TsParameters fields; Edit1..Edit10 on the form.
    QLineEdit *field(int i) const;

    QPushButton *Button1; // "OK"

public slots:
    void refresh();

protected:
    void showEvent(QShowEvent *event) override;

private:
    const TsParameters *params_ = nullptr;
    QLineEdit *fields_[kTsValueCount];
    std::optional<WindowSpread> spread_;
    QLabel *spreadTitle_ = nullptr;
    QLineEdit *spreadFields_[kTsValueCount];
};
