#pragma once

#include "core/analysis/design/VentedBoxFit.h"

#include <QGroupBox>
#include <QPointF>
#include <QVector>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
template <typename T> class QFutureWatcher;
class MeasurementDocument;

// The box curve and the fitted model's |Z| on log f, with fL, fM and fH marked and named.
class VentedBoxPlot : public QWidget
{
public:
    explicit VentedBoxPlot(QWidget *parent = nullptr);
    // measured and model as (Hz, ohm); marks: fL, fM, fH (0: none).
    void setCurves(QVector<QPointF> measured, QVector<QPointF> model, std::array<double, 3> marks);
    const std::array<double, 3> &marks() const { return m_marks; }
    int modelPoints() const { return int(m_model.size()); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<QPointF> m_measured, m_model;
    std::array<double, 3> m_marks{};
};

// The worksheet's vented box: a reference slot's box curve and its net volume, the textbook
// values at once and the lossy box's fit (run off the window's thread, a newer request
// superseding the one under way), both in a table and the box curve drawn with the model.
class VentedBoxPart : public QGroupBox
{
    Q_OBJECT
public:
    // re: the Re typed in the worksheet, 0 when none (the free-air fit then fits it).
    VentedBoxPart(const MeasurementDocument *document, std::function<double()> re,
                  QWidget *parent = nullptr);
    ~VentedBoxPart() override;

    // The reference list as the worksheet's other slots show it (first: no curve).
    void setSlotItems(const QStringList &items, const QStringList &files);
    // The curves, the volume or Re may have changed: the values follow.
    void recompute();
    const VentedBoxFitResult &result() const { return *m_result; }

    QComboBox *VentSlot = nullptr;
    QLineEdit *VentVbEdit = nullptr;
    QLabel *VentLabel = nullptr;
    QTableWidget *VentTable = nullptr;
    VentedBoxPlot *VentPlot = nullptr;

private:
    // What a fit is computed from; the same inputs do not fit again.
    struct Key {
        std::vector<FitPoint> freeAir, box;
        double vb = 0, re = 0;
        bool operator==(const Key &) const = default;
    };
    QString gather(VentedBoxFitInput &in) const;
    void startFit();
    void fitFinished();
    void showResult();

    const MeasurementDocument *m_doc;
    std::function<double()> m_re;
    std::unique_ptr<VentedBoxFitResult> m_result;
    std::optional<VentedBoxFitInput> m_wanted;
    std::optional<Key> m_wantedKey;
    quint64 m_wantedId = 0, m_runningId = 0;
    bool m_busy = false;
    QFutureWatcher<VentedBoxFitResult> *m_watcher = nullptr;
};
