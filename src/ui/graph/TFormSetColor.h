#pragma once

#include "core/model/Settings.h"

#include <QColor>
#include <QDialog>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPainter;
class QPushButton;
class TColorSwatch;

// The line colour dialog. Created once and reused. Call mPrepare with the settings to edit
// and a result flag, then exec(). Every change goes to a working copy; only "設定" copies
// it back into the settings (result 0). "取り消し" and every other way of closing leave
// the settings untouched (result 1). Only the twelve colours can change; the COM port and
// the print information lines travel through unchanged.
class TFormSetColor : public QDialog
{
    Q_OBJECT
public:
    explicit TFormSetColor(QWidget *parent = nullptr);

    void mPrepare(Settings *settings, quint8 *result);

    QGroupBox *GroupBox2 = nullptr;
    QLabel *Label2 = nullptr;
    TColorSwatch *PaintBox1 = nullptr; // measurement R
    QLabel *Label3 = nullptr;
    TColorSwatch *PaintBox2 = nullptr; // measurement θ
    QGroupBox *GroupBox3 = nullptr;
    QComboBox *ComboBox1 = nullptr; // reference slot, not editable: a slot is always chosen
    QLabel *Label4 = nullptr;
    TColorSwatch *PaintBox3 = nullptr; // R of the selected reference slot
    QLabel *Label5 = nullptr;
    TColorSwatch *PaintBox4 = nullptr; // θ of the selected reference slot
    QPushButton *CancelBtn = nullptr;
    QPushButton *SetBtn = nullptr;

    void FormPaint();
    void ComboBox1Change();
    void PaintBox1Click();
    void PaintBox2Click();
    void PaintBox3Click();
    void PaintBox4Click();
    void SetBtnClick();
    void CancelBtnClick();

    void reject() override;

private:
    void mPaintRSwatch(QPainter &painter);
    void mPaintThetaSwatch(QPainter &painter);
    void mPaintRefRSwatch(QPainter &painter);
    void mPaintRefThetaSwatch(QPainter &painter);
    static void paintSwatch(QPainter &painter, const QWidget *swatch, ColorRef colour);
    // Runs the colour chooser; false when the user cancelled it.
    bool chooseColor(ColorRef &colour);
    int selectedSlot() const;

    Settings m_working;
    Settings *m_target = nullptr;
    quint8 *m_result = nullptr;
    // The chooser opens with the colour it returned last, not with the swatch's colour.
    QColor m_lastChosen = Qt::black;
};

// A colour box that the dialog paints and that reports a click.
class TColorSwatch : public QWidget
{
    Q_OBJECT
public:
    explicit TColorSwatch(QWidget *parent = nullptr);
    std::function<void(QPainter &)> onPaint;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Space or Enter chooses the colour as a click does.
    void keyPressEvent(QKeyEvent *event) override;
};
