#pragma once

#include "core/analysis/TsUncertainty.h"
#include "core/analysis/TsWorksheet.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;
template <typename T> class QFutureWatcher;
class MeasurementDocument;
class RunDriver;
class UnitStation;
class VentedBoxPart;
struct MeasurementRecord;
struct CurveBlock;
struct FitResult;

// What the worksheet needs from the main window, which owns the document and the unit.
struct WorksheetHost {
    MeasurementDocument *document = nullptr;
    UnitStation *station = nullptr;         // the unit, shared with the other windows
    std::function<int()> comPort;           // the COM port of the main window's settings
    std::function<void()> referencesLoaded; // a run here filled a reference slot
    // The fitted curve to draw dashed over the measurement in this colour, or null for none.
    std::function<void(const CurveBlock *, quint32)> fitOverlay;
};

// The modeless "T/S ワークシート": the free-air measurement with up to two added-mass curves
// and a sealed-box curve from the reference slots, the inputs the methods need, and the
// worksheet's table as the core computes it. A curve with an added mass can be measured here:
// the run uses the unit station, saves beside the free-air file and fills the next free
// reference slot, leaving the measurement itself alone.
class TFormWorksheet : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMassSlots = 2;
    static constexpr int kBoxRow = kMassSlots; // the run row of the sealed box

    TFormWorksheet(const WorksheetHost &host, QWidget *parent = nullptr);
    ~TFormWorksheet() override;

    // The menu command: shows the window and computes.
    void showWorksheet();
    // The measurement or the references changed: the lists and the table follow.
    void curvesChanged();
    // Ends a run here (the main window is closing, or the user stops it).
    void stopRun();
    bool running() const;
    // Before a run of the main window replaces the free-air measurement this window works
    // with: asks the user, true when the run may go ahead.
    bool confirmMainRun() const;
    // The Re typed in the analysis window: taken unless another one was typed here.
    void offerRe(float re);

    const TsWorksheetResult &result() const { return m_result; }
    // The uncertainty shown, when asked for and computed.
    const std::optional<TsUncertainty> &uncertainty() const { return m_uncertainty; }
    // The text shown instead of numbers; empty when the table holds a result.
    QString refusal() const;
    // The table as plain text, as "copy" puts it on the clipboard.
    QString worksheetText() const;

    QLineEdit *ReEdit = nullptr;
    QLineEdit *SdEdit = nullptr;
    QLineEdit *DiameterEdit = nullptr;
    QLineEdit *TempEdit = nullptr;
    QLineEdit *PressureEdit = nullptr;
    QLineEdit *HumidityEdit = nullptr;
    QLineEdit *RhoEdit = nullptr;
    QLineEdit *SoundSpeedEdit = nullptr;
    QLineEdit *CoilTempEdit = nullptr;
    QComboBox *CoilMaterialBox = nullptr;
    QLabel *AirLabel = nullptr; // the air the values use
    // from numbers
    QGroupBox *FromNumbersGroup = nullptr; // checkable
    QLineEdit *FsEdit = nullptr;
    QLineEdit *QmsEdit = nullptr;
    QLineEdit *QesEdit = nullptr;
    std::array<QLineEdit *, kMassSlots> FsLoadedEdit{};
    // the uncertainty
    QGroupBox *UncertaintyGroup = nullptr; // checkable
    QCheckBox *BudgetCheck = nullptr;
    QLineEdit *ReTolEdit = nullptr;
    QLineEdit *MassResolutionEdit = nullptr;
    QLineEdit *SdTolEdit = nullptr;
    QLineEdit *DiameterTolEdit = nullptr;
    QLineEdit *RhoTolEdit = nullptr;
    QLineEdit *SoundSpeedTolEdit = nullptr;
    QLineEdit *TempTolEdit = nullptr;
    QLineEdit *PressureTolEdit = nullptr;
    QLineEdit *HumidityTolEdit = nullptr;
    QLineEdit *CoilTempTolEdit = nullptr;
    std::array<QComboBox *, kMassSlots> MassSlot{};
    std::array<QLineEdit *, kMassSlots> MassEdit{};
    std::array<QPushButton *, kMassSlots> MassMeasure{};
    QComboBox *BoxSlot = nullptr;
    QLineEdit *BoxEdit = nullptr;
    QPushButton *BoxMeasure = nullptr;
    QPushButton *StopButton = nullptr;
    QPushButton *CopyButton = nullptr;
    QPushButton *JsonButton = nullptr;
    QPushButton *DriverExportButton = nullptr; // the driver for simulators
    QPushButton *DriverImportButton = nullptr; // a driver file as numbers
    QPushButton *PrintButton = nullptr;
    QPushButton *CloseButton = nullptr;
    QLabel *ResultLabel = nullptr;
    QLabel *RunLabel = nullptr;
    QTableWidget *Comparison = nullptr;
    QTableWidget *Detail = nullptr;
    // the model fit
    QComboBox *FitModelBox = nullptr;
    QCheckBox *FitReFree = nullptr;
    QCheckBox *FitShow = nullptr;
    QPushButton *FitColor = nullptr;
    QLabel *FitLabel = nullptr;
    QTableWidget *FitTable = nullptr;
    const FitResult &fit() const { return *m_fit; }
    // the vented box (VentedBoxPart)
    VentedBoxPart *VentPart = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    QGroupBox *buildInputsGroup();
    QGroupBox *buildCurvesGroup();
    void buildResultViews();
    QHBoxLayout *buildButtons();
    void queueRecompute();
    void recompute();
    void showWorksheetRows(TsWorksheetInput &in, const QString &refusal);
    void refreshSlotLists();
    QString gatherInput(TsWorksheetInput &in) const;
    // the air, the coil, the typed values and the tolerances (TFormWorksheet_numbers.cpp)
    QGroupBox *buildFromNumbersGroup();
    QGroupBox *buildUncertaintyGroup();
    QString gatherAirAndCoil(TsWorksheetInput &in) const;
    QString gatherTyped(TsWorksheetInput &in) const;
    QString gatherTolerances(TsTolerances &tol) const;
    void computeUncertainty(const TsWorksheetInput &in);
    void showRows(const QVector<TsRow> &rows);
    void showRefusal(const QString &text);

    // the run with an added mass or in the box (TFormWorksheet_run.cpp); row: a mass row
    // or kBoxRow
    QString runSlotName(int row) const;
    void startCurveRun(int row);
    void showRunProgress(int points);
    void connectRunDriver();
    void finishCurveRun(bool converted);
    void failCurveRun(const QString &reason);
    void endCurveRun();
    void setRunning(bool on);

    // the model fit (TFormWorksheet_fit.cpp)
    QGroupBox *buildFitGroup();
    // What a fit is computed from: the free-air points and the settings. Nothing else the
    // window reads changes it, so other inputs recompute with the fit already there.
    struct FitInputs {
        std::vector<FitPoint> points;
        FitSettings settings;
        bool operator==(const FitInputs &) const = default;
    };
    std::optional<FitInputs> fitInputs(const QString &refusal, QString &text) const;
    void requestFit(const QString &refusal);
    void startFit();
    void fitFinished();
    void showFitTable();
    void showFitOverlay();
    void chooseFitColor();

    // output (TFormWorksheet_output.cpp)
    void copyClick();
    void saveJsonClick();
    void exportDriverClick();
    void importDriverClick();
    void printClick();

    WorksheetHost m_host;
    TsWorksheetResult m_result;
    std::optional<TsUncertainty> m_uncertainty;
    QVector<TsRow> m_rows;
    bool m_recomputeQueued = false;
    bool m_placed = false;
    QString m_carriedRe; // the Re text last taken from the analysis window

    RunDriver *m_run = nullptr; // null without a unit station
    std::unique_ptr<MeasurementRecord> m_record;
    std::unique_ptr<CurveBlock> m_raw;
    std::unique_ptr<CurveBlock> m_avg;
    int m_runRow = -1;
    QString m_runAmount; // grams or litres as the file name has them
    QString m_runPath;

    // The fit runs off this thread, one at a time: a newer request waits and supersedes the
    // one under way, whose result is then dropped.
    std::unique_ptr<FitResult> m_fit;
    std::optional<FitInputs> m_fitWanted; // the inputs of the fit shown or being computed
    quint64 m_fitWantedId = 0;
    quint64 m_fitRunningId = 0;
    bool m_fitBusy = false;
    QFutureWatcher<FitResult> *m_fitWatcher = nullptr;
    std::unique_ptr<CurveBlock> m_fitCurve;
    quint32 m_fitColor = 0;
};
