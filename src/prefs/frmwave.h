#pragma once

#include "tray/topmostdialog.h"
#include <QModelIndex>

class App;
class FrmSet;
class QComboBox;
class QFileSystemModel;
class QItemSelection;
class QLabel;
class QListView;
class QPushButton;
class QTreeView;

// The wave-file picker: drive, directory and "*.wav" file lists. OK stores the chosen file's full path as
// the alarm sound and shows it in the settings dialog; Cancel changes nothing.
class FrmWave : public TopmostDialog {
    Q_OBJECT
public:
    // `owner` is the settings dialog whose lblwave OK rewrites.
    explicit FrmWave(App& app, FrmSet* owner = nullptr, QWidget* parent = nullptr);
    ~FrmWave() override;

    // The full path of `file` in folder `dir`, with the platform's separators and no separator doubled at
    // the root of a drive ("/" + "a.wav" = "/a.wav", "C:\" + "a.wav" = "C:\a.wav").
    static QString composePath(const QString& dir, const QString& file);
    // The roots of the computer's drives and mounted volumes, as shown in Drive1.
    static QStringList driveRoots();

    // Makes `dir` the current directory of Dir1; File1 follows and lists its wave files.
    void setDirectory(const QString& dir);
    // The directory path of File1 (native separators) and the name of the file selected in it.
    QString filePath() const;
    QString selectedFileName() const;

    QLabel* Label1 = nullptr;
    QListView* File1 = nullptr;
    QLabel* Label2 = nullptr;
    QTreeView* Dir1 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* Drive1 = nullptr;
    QPushButton* cmdok = nullptr;
    QPushButton* cmdcancel = nullptr;
    QFileSystemModel* dirModel = nullptr;
    QFileSystemModel* fileModel = nullptr;

    void onDrive1Activated(int index);
    void onDir1CurrentChanged(const QModelIndex& current);
    void onFile1SelectionChanged();
    void onCmdokClicked();
    void onCmdcancelClicked();

protected:
private:
    void showFilesOf(const QString& dir);
    void selectDrive(const QString& root);

    App& m_app;
    FrmSet* m_owner;
    QString m_fileDir;
};
