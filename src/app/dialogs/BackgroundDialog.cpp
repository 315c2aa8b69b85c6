// The background dialog's folder tree, picture list and Stretch box.
#include "dialogs/BackgroundDialog.h"

#include "dialogs/BoardLook.h"
#include "settings/Settings.h"
#include "settings/SettingsBinder.h"
#include "support/Dialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// The folder of the picture on the board, where the player is most likely to look again; else
// the player's Pictures folder; else home.
QString startFolder(const QString& currentPicture) {
    if (!currentPicture.isEmpty()) {
        const QString folder = QFileInfo(currentPicture).absolutePath();
        if (QDir(folder).exists())
            return folder;
    }
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QDir(pictures).exists())
        return pictures;
    return QDir::homePath();
}

} // namespace

BackgroundDialog::BackgroundDialog(BoardLook& board, Dialogs& dialogs, Settings& settings,
                                   QWidget* parent)
    : QDialog(parent), m_board(board), m_dialogs(dialogs), m_settings(settings) {
    setObjectName(QStringLiteral("TfrmBG"));
    setWindowTitle(QStringLiteral("Background"));
    setModal(false);
    resize(260, 420);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QDir::rootPath());
    m_folderTree = new QTreeView(this);
    m_folderTree->setObjectName(QStringLiteral("DirectoryListBox1"));
    m_folderTree->setAccessibleName(QStringLiteral("Folders"));
    m_folderTree->setModel(m_folders);
    m_folderTree->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_folderTree->hideColumn(column);

    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("FileListBox1"));
    m_files->setAccessibleName(QStringLiteral("Pictures"));

    m_stretch = new QCheckBox(QStringLiteral("Stretch"), this);
    m_stretch->setObjectName(QStringLiteral("CheckBox1"));
    bindToSetting(*m_stretch, Setting::Stretch);
    showStretchInForce();
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_folderTree, 3);
    layout->addWidget(m_files, 2);
    layout->addWidget(m_stretch);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    connect(m_folderTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    setFolder(m_folders->filePath(current));
            });
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (m_folder.startsWith(loaded))
            showFolderInTree();
    });
    connect(m_files, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!m_filling && !name.isEmpty())
            loadPicture(name);
    });
    connect(m_stretch, &QCheckBox::clicked, this, &BackgroundDialog::setStretched);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

// The pictures are listed when the player first opens the dialog, not when the game starts.
void BackgroundDialog::showEvent(QShowEvent* event) {
    if (m_folder.isEmpty())
        setFolder(startFolder(m_settings.readText(Setting::Picture)));
    showStretchInForce();
    QDialog::showEvent(event);
}

// Start-up stretches the board's picture by the same key each click of the box writes, so the
// box reads it to say how the picture is shown now.
void BackgroundDialog::showStretchInForce() {
    loadBoundControl(*m_stretch, m_settings);
}

const QStringList& BackgroundDialog::pictureFilters() {
    static const QStringList filters{QStringLiteral("*.bmp"), QStringLiteral("*.png"),
                                     QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")};
    return filters;
}

void BackgroundDialog::setFolder(const QString& folder) {
    const QString clean = QDir::cleanPath(folder);
    if (clean == m_folder)
        return;
    m_folder = clean;
    showFolderInTree();
    fillFileList();
}

// The tree reads folders in the background, so this runs again as each level arrives.
void BackgroundDialog::showFolderInTree() {
    const QModelIndex index = m_folders->index(m_folder);
    if (!index.isValid())
        return;
    if (m_folderTree->currentIndex() != index)
        m_folderTree->setCurrentIndex(index);
    m_folderTree->scrollTo(index);
}

// Filling the list selects nothing, so a folder change never loads a picture by itself.
void BackgroundDialog::fillFileList() {
    m_filling = true;
    m_files->clear();
    QDir dir(m_folder);
    dir.setNameFilters(pictureFilters());
    m_files->addItems(dir.entryList(QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase));
    m_files->setCurrentRow(-1);
    m_filling = false;
}

QStringList BackgroundDialog::fileNames() const {
    QStringList names;
    for (int row = 0; row < m_files->count(); ++row)
        names << m_files->item(row)->text();
    return names;
}

bool BackgroundDialog::choosePicture(const QString& fileName) {
    const QList<QListWidgetItem*> found = m_files->findItems(fileName, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    if (m_files->currentItem() == found.first())
        return loadPicture(fileName); // choosing the current entry again loads it again
    m_filling = true;
    m_files->setCurrentItem(found.first());
    m_filling = false;
    return loadPicture(fileName);
}

// A picture that cannot be read leaves the board, its picture and the settings as they were.
bool BackgroundDialog::loadPicture(const QString& fileName) {
    const QString path = QDir(m_folder).filePath(fileName);
    if (!m_board.loadBackground(path)) {
        m_dialogs.warn(this, QStringLiteral("The picture \"%1\" could not be loaded: it is "
                                            "damaged or not a picture file.")
                                 .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    m_board.setBackgroundVisible(true);
    if (!m_settings.writeText(Setting::Picture, path))
        m_dialogs.warn(this, QStringLiteral("Your choice of picture could not be saved.\n\n%1")
                                 .arg(m_settings.lastError()));
    return true;
}

void BackgroundDialog::setStretched(bool stretched) {
    m_board.setBackgroundStretched(stretched);
    if (!storeBoundControl(*m_stretch, m_settings))
        m_dialogs.warn(this, QStringLiteral("Your choice of stretching could not be saved.\n\n%1")
                                 .arg(m_settings.lastError()));
}
