#pragma once

#include "core/analysis/driver/DriverLibrary.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
template <typename T> class QFutureWatcher;

// The modeless "ドライバー一覧": the driver files of a folder with their main values, searched
// as the user types; a driver's curve opens as the measurement. The folder is read on a worker
// thread.
class TFormDrivers : public QWidget
{
    Q_OBJECT
public:
    // open: opens a file the way the main window's "開く" does.
    TFormDrivers(std::function<void(const QString &)> open, QWidget *parent = nullptr);
    ~TFormDrivers() override;

    void showDrivers();
    void setFolder(const QString &folder); // and reads it
    bool busy() const;
    // The entries the list shows, in its order.
    QVector<DriverEntry> shownEntries() const;

    QLineEdit *FolderEdit = nullptr;
    QPushButton *ChooseButton = nullptr;
    QPushButton *RescanButton = nullptr;
    QLineEdit *SearchEdit = nullptr;
    QTableWidget *List = nullptr;
    QPushButton *OpenButton = nullptr;
    QLabel *CountLabel = nullptr;

private:
    void scan();
    void scanFinished();
    void fill();
    void openSelected();

    std::function<void(const QString &)> m_open;
    QVector<DriverEntry> m_entries;
    QFutureWatcher<QVector<DriverEntry>> *m_watcher = nullptr;
};
