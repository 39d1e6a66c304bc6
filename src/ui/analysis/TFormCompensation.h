#pragma once

#include "core/analysis/design/CompensatedCurve.h"
#include "core/analysis/design/Compensation.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
template <typename T> class QFutureWatcher;
class MeasurementDocument;

// What the compensation window needs from the main window, which owns the measurement.
struct CompensationHost {
    const MeasurementDocument *document = nullptr;
};

// The Zobel and the notch the core fits to a measurement, computed off the window's thread.
struct CompensationDesigns {
    ZobelDesign zobel;
    NotchDesign notch;
};

// The modeless "補正回路": for the current measurement, the Zobel fitted over the band the user
// chooses (fitted, snapped to the series, and the classic rules beside) and the resonance
// notch, the measured and compensated |Z| drawn together, and the compensated curve written as
// a ZMA table.
class TFormCompensation : public QWidget
{
    Q_OBJECT
public:
    explicit TFormCompensation(const CompensationHost &host, QWidget *parent = nullptr);
    ~TFormCompensation() override;

    // The menu command: shows the window and computes.
    void showCompensation();
    // The measurement changed: computed again while shown, else when shown next.
    void curvesChanged();
    bool busy() const;
    // The designs shown (outcome BadBand / NoResonance with no numbers while none is).
    const CompensationDesigns &designs() const { return *m_designs; }
    // The compensated curve drawn and exported; valid 0 when none.
    const CurveBlock &compensatedCurve() const { return *m_compensated; }

    QLineEdit *FromEdit = nullptr;
    QLineEdit *ToEdit = nullptr;
    QComboBox *SeriesBox = nullptr;
    QComboBox *ShownBox = nullptr;
    QCheckBox *SecondPairCheck = nullptr;
    QLabel *ZobelLabel = nullptr;
    QTableWidget *ZobelTable = nullptr;
    QLabel *NotchLabel = nullptr;
    QTableWidget *NotchTable = nullptr;
    QLabel *GraphView = nullptr;
    QLabel *LegendLabel = nullptr;
    QPushButton *ExportButton = nullptr;
    QPushButton *CloseButton = nullptr;

private:
    void buildControls();
    void recompute();
    void startDesign();
    void designFinished();
    void showDesigns();
    void showCurve();
    void exportClick();
    CompensationNetwork shownNetwork() const;
    QString shownName() const;

    CompensationHost m_host;
    std::unique_ptr<CompensationDesigns> m_designs;
    std::unique_ptr<CurveBlock> m_compensated;
    QFutureWatcher<CompensationDesigns> *m_watcher = nullptr;
    bool m_again = false; // inputs changed while a design was under way
    bool m_stale = true;  // the measurement changed while hidden
};
