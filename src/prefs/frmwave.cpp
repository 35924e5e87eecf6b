#include "frmwave.h"

#include "core/strings.h"
#include "frmset.h"
#include "tray/app.h"
#include "tray/windowhelpers.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

FrmWave::FrmWave(App& app, FrmSet* owner, QWidget* parent)
    : TopmostDialog(app, OnClose::LeaveNotes, parent ? parent : owner), m_app(app), m_owner(owner) {
    setObjectName(QStringLiteral("frmwave"));
    setWindowTitle(QStringLiteral("select wave file"));

    Label1 = new QLabel(QStringLiteral("Files:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    File1 = new QListView(this);
    File1->setObjectName(QStringLiteral("File1"));
    Label2 = new QLabel(QStringLiteral("Directories:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Dir1 = new QTreeView(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Label3 = new QLabel(QStringLiteral("Drives:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    cmdok = new QPushButton(QStringLiteral("OK"), this);
    cmdok->setObjectName(QStringLiteral("cmdok"));
    cmdcancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdcancel->setObjectName(QStringLiteral("cmdcancel"));
    cmdok->setAutoDefault(false);
    cmdcancel->setAutoDefault(false);
    cmdok->setDefault(true);
    cmdok->setEnabled(false);
    Label1->setBuddy(File1);
    Label2->setBuddy(Dir1);
    Label3->setBuddy(Drive1);

    dirModel = new QFileSystemModel(this);
    dirModel->setObjectName(QStringLiteral("dirModel"));
    dirModel->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    dirModel->setRootPath(QString());
    Dir1->setModel(dirModel);
    for (int c = 1; c < dirModel->columnCount(); ++c)
        Dir1->hideColumn(c);
    Dir1->setHeaderHidden(true);
    Dir1->setSortingEnabled(true);
    Dir1->sortByColumn(0, Qt::AscendingOrder);
    Dir1->setUniformRowHeights(true);

    fileModel = new QFileSystemModel(this);
    fileModel->setObjectName(QStringLiteral("fileModel"));
    // Wave files come from every kind of system, so "*.wav" matches ".WAV" and ".Wav" too.
    fileModel->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    fileModel->setNameFilters({QStringLiteral("*.wav")});
    fileModel->setNameFilterDisables(false);
    fileModel->sort(0, Qt::AscendingOrder);
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    File1->setEditTriggers(QAbstractItemView::NoEditTriggers);

    for (const QString& root : driveRoots())
        Drive1->addItem(root, root);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(File1, 1, 0, 3, 1);
    grid->addWidget(Label2, 0, 1);
    grid->addWidget(Dir1, 1, 1);
    grid->addWidget(Label3, 2, 1);
    grid->addWidget(Drive1, 3, 1);
    grid->setRowStretch(1, 1);
    const int em = fontMetrics().averageCharWidth();
    File1->setMinimumSize(em * 22, em * 30);
    Dir1->setMinimumSize(em * 30, em * 20);
    auto* buttons = centredButtonRow({cmdok, cmdcancel});
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    // The drive list first, as designed.
    QWidget::setTabOrder(Drive1, Dir1);
    QWidget::setTabOrder(Dir1, File1);
    QWidget::setTabOrder(File1, cmdok);
    QWidget::setTabOrder(cmdok, cmdcancel);
    Drive1->setFocus();

    connect(Drive1, &QComboBox::activated, this, &FrmWave::onDrive1Activated);
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FrmWave::onDir1CurrentChanged);
    // Opening a folder in the tree by double click or Enter shows its files too.
    connect(Dir1, &QTreeView::activated, this, &FrmWave::onDir1CurrentChanged);
    // The tree fills in the background: keep the current folder in view once its parents are read.
    connect(dirModel, &QFileSystemModel::directoryLoaded, this, [this] {
        if (Dir1->currentIndex().isValid())
            Dir1->scrollTo(Dir1->currentIndex());
    });
    connect(File1, &QListView::activated, this, [this] {
        onFile1SelectionChanged();
        if (cmdok->isEnabled())
            onCmdokClicked();
    });
    connect(cmdok, &QPushButton::clicked, this, &FrmWave::onCmdokClicked);
    connect(cmdcancel, &QPushButton::clicked, this, &FrmWave::onCmdcancelClicked);

    // Opening: centred, texts by language; the lists start at the process's current folder.
    if (m_app.state.german()) {
        setWindowTitle(getresstring(230));
        Label1->setText(getresstring(231));
        Label2->setText(getresstring(232));
        Label3->setText(getresstring(233));
        cmdcancel->setText(getresstring(234));
    }
    setDirectory(QDir::currentPath());
    adjustSize();
    centreOnScreen(this);
}

FrmWave::~FrmWave() = default;

QString FrmWave::composePath(const QString& dir, const QString& file) {
    const QString d = QDir::toNativeSeparators(dir);
    // A folder written with backslashes (a drive letter path) keeps them whatever the platform.
    const QChar sep = d.contains(u'\\') ? QChar(u'\\') : (d.contains(u'/') ? QChar(u'/') : QDir::separator());
    if (d.isEmpty())
        return file;
    if (d.endsWith(u'\\') || d.endsWith(u'/'))
        return d + file;
    return d + sep + file;
}

QStringList FrmWave::driveRoots() {
    QStringList roots;
    auto add = [&roots](const QString& path) {
        const QString native = QDir::toNativeSeparators(path);
        // Mounted single files (a container's /etc/hosts) are no drives.
        if (!native.isEmpty() && !roots.contains(native) && QFileInfo(path).isDir())
            roots << native;
    };
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid())
            add(volume.rootPath());
#ifdef Q_OS_WIN
    for (const QFileInfo& drive : QDir::drives())
        add(drive.absoluteFilePath());
#endif
    roots.sort(Qt::CaseInsensitive);
    return roots;
}

void FrmWave::selectDrive(const QString& root) {
    const QString native = QDir::toNativeSeparators(root);
    int at = Drive1->findData(native);
    if (at < 0 && !native.isEmpty()) {
        Drive1->addItem(native, native);
        at = Drive1->count() - 1;
    }
    Drive1->setCurrentIndex(at);
}

void FrmWave::setDirectory(const QString& dir) {
    const QString clean = QDir::cleanPath(dir);
    const QStorageInfo volume(clean);
    if (volume.isValid())
        selectDrive(volume.rootPath());
    const QModelIndex index = dirModel->index(clean);
    if (index.isValid()) {
        // Moving the tree's current folder lists its files (through onDir1CurrentChanged).
        if (Dir1->currentIndex() == index)
            showFilesOf(clean);
        else
            Dir1->setCurrentIndex(index);
        // Like a directory list: the folder's ancestors above it, its own subfolders below it.
        Dir1->expand(index);
        Dir1->scrollTo(index);
    } else {
        // A folder that cannot be read shows no files rather than failing.
        Dir1->setCurrentIndex(QModelIndex());
        showFilesOf(clean);
    }
}

void FrmWave::onDrive1Activated(int index) {
    const QString root = QDir::fromNativeSeparators(Drive1->itemData(index).toString());
    if (root.isEmpty())
        return;
    // The drive's current folder: the process's own when it lies on that drive, else its root.
    const QString cwd = QDir::currentPath();
    const QStorageInfo here(cwd);
    setDirectory(here.isValid() && QDir::cleanPath(here.rootPath()) == QDir::cleanPath(root) ? cwd : root);
}

void FrmWave::onDir1CurrentChanged(const QModelIndex& current) {
    if (current.isValid())
        showFilesOf(dirModel->filePath(current));
}

void FrmWave::showFilesOf(const QString& dir) {
    m_fileDir = dir;
    // Another folder means no file is chosen any more: OK waits for the next click on a file.
    cmdok->setEnabled(false);
    const QFileInfo info(dir);
    if (info.isDir()) {
        if (File1->model() != fileModel) {
            File1->setModel(fileModel);
            connect(File1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                    &FrmWave::onFile1SelectionChanged);
        }
        fileModel->setRootPath(dir);
        File1->setRootIndex(fileModel->index(dir));
        File1->clearSelection();
        File1->setCurrentIndex(QModelIndex());
    } else {
        File1->setModel(nullptr);
    }
}

void FrmWave::onFile1SelectionChanged() {
    if (!selectedFileName().isEmpty())
        cmdok->setEnabled(true);
}

QString FrmWave::filePath() const {
    return QDir::toNativeSeparators(m_fileDir);
}

QString FrmWave::selectedFileName() const {
    if (File1->model() != fileModel || !File1->selectionModel())
        return {};
    const QModelIndexList picked = File1->selectionModel()->selectedIndexes();
    if (picked.isEmpty() || fileModel->isDir(picked.first()))
        return {};
    return fileModel->fileName(picked.first());
}

void FrmWave::onCmdokClicked() {
    const QString file = selectedFileName();
    // OK is only offered with a file chosen; a folder alone is never stored as the alarm sound.
    if (file.isEmpty())
        return;
    AppState& s = m_app.state;
    s.wave = composePath(filePath(), file);
    if (m_owner)
        m_owner->lblwave->setText(s.wave);
    accept();
}

void FrmWave::onCmdcancelClicked() {
    reject();
}
