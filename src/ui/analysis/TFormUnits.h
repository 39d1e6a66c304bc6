#pragma once

#include "core/analysis/population/MatchedSets.h"
#include "core/document/UnitsSet.h"
#include "core/qc/log/LogUnits.h"

#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
template <typename T> class QFutureWatcher;
class UnitsHistogram;

// What the units window needs from the main window: the graph that shows the envelope.
struct UnitsHost {
    // The shaded band and the unit to draw over the band's grid; all null to give the graph
    // back to the main window's own curves.
    std::function<void(const CurveBlock *upper, const CurveBlock *lower, const CurveBlock *unit,
                       int band)>
        showEnvelope;
};

// The units loaded together with the band they share, as a load leaves them.
struct UnitsLoad {
    LoadedUnits in;
    Envelope envelope;
};

// What a results log query gave: the files, or why there are none.
struct UnitsLogOutcome {
    bool ok = false;
    LogUnits units;
    QString error;
};

// The modeless "複数ユニットの比較": many files' classic values side by side with their
// statistics and histograms, the mean ± kσ of |Z| over the main graph with the chosen unit,
// the units split into matched sets, and the values against the measurement date. Loading and
// matching run on a worker thread.
class TFormUnits : public QWidget
{
    Q_OBJECT
public:
    TFormUnits(const UnitsHost &host, QWidget *parent = nullptr);
    ~TFormUnits() override;

    void showUnits();
    // True while files are read or sets are searched.
    bool busy() const;
    const UnitsLoad *load() const { return m_load.get(); }
    const MatchResult &matchResult() const { return m_match; }
    // Queries the log off the window's thread, then loads its files after the others.
    void addLogUnits(const QString &target, const LogUnitsQuery &query);

    QPushButton *AddFilesButton = nullptr;
    QPushButton *AddFolderButton = nullptr;
    QPushButton *AddLogButton = nullptr;
    QPushButton *ClearButton = nullptr;
    QPushButton *ComputeButton = nullptr;
    QComboBox *ReChoiceBox = nullptr;
    QLineEdit *ReEdit = nullptr;
    QPushButton *ReListButton = nullptr;
    QLabel *ReListLabel = nullptr;
    QLabel *StatusLabel = nullptr;
    QTabWidget *Tabs = nullptr;
    QTableWidget *UnitsTable = nullptr;
    UnitsHistogram *Histogram = nullptr;
    QCheckBox *EnvelopeCheck = nullptr;
    QComboBox *EdgesBox = nullptr; // mean ± kσ, or minimum to maximum
    QDoubleSpinBox *SigmasSpin = nullptr;
    QSpinBox *SetsSpin = nullptr;
    QLineEdit *SizesEdit = nullptr;
    QCheckBox *ByChecks[6] = {};
    QPushButton *MatchButton = nullptr;
    QTableWidget *SetsTable = nullptr;
    QLabel *MatchLabel = nullptr;
    QTableWidget *TrendTable = nullptr;
    QDoubleSpinBox *SettleSpin = nullptr;
    QLabel *TrendLabel = nullptr;

signals:
    // A load or a matching has been shown.
    void loaded();
    void matched();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildTableTab();
    QWidget *buildSetsTab();
    QWidget *buildTrendTab();
    void addFiles();
    void addFolder();
    void chooseLogUnits();
    void logQueryFinished();
    void chooseReList();
    void startLoad();
    void loadFinished();
    void fillTable();
    void fillTrend();
    void showHistogram();
    void showEnvelope();
    void startMatch();
    void matchFinished();
    void setBusy(bool busy);

    UnitsHost m_host;
    QStringList m_files;
    QString m_reListPath;
    std::shared_ptr<UnitsLoad> m_load;
    std::unique_ptr<CurveBlock> m_upper;
    std::unique_ptr<CurveBlock> m_lower;
    MatchResult m_match;
    QFutureWatcher<std::shared_ptr<UnitsLoad>> *m_loadWatcher = nullptr;
    QFutureWatcher<MatchResult> *m_matchWatcher = nullptr;
    QFutureWatcher<UnitsLogOutcome> *m_logWatcher = nullptr;
    QString m_logTarget;    // the last log asked, offered again
    QStringList m_logNotes; // files the logs name that are not there, with the reason
    bool m_envelopeShown = false;
};
