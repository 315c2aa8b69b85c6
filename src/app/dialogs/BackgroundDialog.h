// The "Background" dialog: a folder tree and its picture files; choosing one dresses the board.
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QFileSystemModel;
class QListWidget;
class QTreeView;
class BoardLook;
class Dialogs;
class Settings;

// Modeless: it stays usable beside the style dialog. A chosen picture shows at once and its
// path is noted in the settings; the game keeps the picture itself as zq/BG.bmp when it closes.
class BackgroundDialog : public QDialog {
    Q_OBJECT
public:
    BackgroundDialog(BoardLook& board, Dialogs& dialogs, Settings& settings,
                     QWidget* parent = nullptr);

    // The picture files listed: bitmaps, as always, and the PNG and JPEG pictures players keep.
    static const QStringList& pictureFilters();

    QString folder() const { return m_folder; }
    // Shows a folder in the tree and its pictures in the list.
    void setFolder(const QString& folder);
    QStringList fileNames() const;
    // Selects a listed picture, which loads it as a player's selection does. False when the
    // name is not listed or the picture could not be loaded (the player is told which file).
    bool choosePicture(const QString& fileName);

    QCheckBox* stretchBox() const { return m_stretch; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showFolderInTree();
    void fillFileList();
    bool loadPicture(const QString& fileName);
    void setStretched(bool stretched);
    void showStretchInForce();

    BoardLook& m_board;
    Dialogs& m_dialogs;
    Settings& m_settings;
    QString m_folder;
    QFileSystemModel* m_folders = nullptr;
    QTreeView* m_folderTree = nullptr;
    QListWidget* m_files = nullptr;
    QCheckBox* m_stretch = nullptr;
    bool m_filling = false;
};
