#include "ui/main/TFormMain.h"

#include "core/files/AppPaths.h"
#include "core/files/WindowPlacement.h"
#include "core/model/BandTable.h"
#include "ui/common/HStatus.h"
#include "ui/common/TH_Message.h"
#include "ui/common/Texts.h"
#include "ui/graph/TPaintBox.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>

// The settings file, and the window's side of the file commands.

void TFormMain::mLoadSettings()
{
    if (m_preferences->load(settingsReadPath())) {
        // The resize handler must not copy the intermediate sizes back.
        m_placementLoading = 1;
        const QScreen *shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
        if (shownOn)
            clampWindowPlacement(windowState, shownOn->availableGeometry());
        // The position is the client area's, as it is saved: a frame the window manager adds
        // later cannot shift it, so the window opens where it was left.
        applyWindowSize(windowState.width, windowState.height);
        setGeometry(QRect(QPoint(windowState.left, windowState.top), size()));
        m_placementLoading = 0;

        selectBand(windowState.band);
        shownScale().fStartHz = bandStartHz(windowState.band);
        shownScale().fEndHz = bandEndHz(windowState.band);
        MenuGraph_R_only->setChecked(windowState.rOnly);
        MenuGraph_Wide->setChecked(windowState.thickLines);
        MenuGraph_Ave->setChecked(windowState.averaging);
        MenuSet_Warning->setChecked(windowState.warn150);
        return;
    }

    // Missing, unreadable or invalid: nothing from the file is used, and it is rewritten.
    settings.restoreDefaults();
    windowState.top = geometry().y();
    windowState.left = geometry().x();
    windowState.width = outerWidth();
    windowState.height = outerHeight();
    windowState.band = selectedBand();
    windowState.rOnly = MenuGraph_R_only->isChecked();
    windowState.thickLines = MenuGraph_Wide->isChecked();
    windowState.averaging = MenuGraph_Ave->isChecked();
    windowState.warn150 = MenuSet_Warning->isChecked();
    if (!m_preferences->save(settingsFilePath()))
        message->msgSettingsNotSaved();
}

void TFormMain::mSaveSettings()
{
    if (!file)
        return;
    windowState.band = selectedBand();
    windowState.left = geometry().x();
    windowState.top = geometry().y();
    windowState.width = outerWidth();
    windowState.height = outerHeight();
    windowState.rOnly = MenuGraph_R_only->isChecked();
    windowState.thickLines = MenuGraph_Wide->isChecked();
    windowState.averaging = MenuGraph_Ave->isChecked();
    windowState.warn150 = MenuSet_Warning->isChecked();
    if (!m_preferences->save(settingsFilePath()) && message)
        message->msgSettingsNotSaved();
}

void TFormMain::selectBand(int band)
{
    shownScale().band = band;
    ComboBox2->setCurrentIndex(band - 1);
}

void TFormMain::clearReadout()
{
    status->clearPanel(HStatus::kReadoutPanel);
    PaintBox1->setAccessibleDescription(QString());
}

void TFormMain::showCaption(const QString &path)
{
    const QString caption = QString::fromUtf8(Texts::kCaption);
    setWindowTitle(path.isEmpty() ? caption : caption + QStringLiteral(" / ") + path);
}

bool TFormMain::warnsAbove150() const
{
    return MenuSet_Warning->isChecked();
}
