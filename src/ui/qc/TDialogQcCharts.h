#pragma once

#include "core/qc/spc/SpcReport.h"

#include <QDialog>
#include <QFutureWatcher>
#include <atomic>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The station's control charts: the I-MR chart of one parameter with its limits and the
// points that break a rule, and Cpk and Ppk per day, shift or station. The log is read off
// this window's thread; closing the window stops the reading.
class TDialogQcCharts : public QDialog
{
    Q_OBJECT
public:
    explicit TDialogQcCharts(QWidget *parent = nullptr);
    ~TDialogQcCharts() override;

    // Reads the log at target again and shows it when it is read.
    void showLog(const QString &target);
    bool reading() const;

    QComboBox *ByCombo = nullptr;
    QLineEdit *ShiftsEdit = nullptr;
    QPushButton *RefreshButton = nullptr;
    QComboBox *ParameterCombo = nullptr;
    QLabel *ChartView = nullptr;
    QLabel *StatusLabel = nullptr;
    QTableWidget *PeriodTable = nullptr;

private:
    void refresh();
    void showReport();
    void showParameter();

    QString m_target;
    std::shared_ptr<std::atomic_bool> m_cancel;
    QFutureWatcher<QString> m_watcher; // the problem, empty when the report was read
    std::shared_ptr<SpcReport> m_reading;
    SpcReport m_report;
};
