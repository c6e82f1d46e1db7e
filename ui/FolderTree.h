// The folder tree of the main window: the folders of one volume in a tree view whose single
// top item is the volume's root, as a drive's folder list shows the drive.
#pragma once

#include <QFileSystemModel>
#include <QObject>
#include <QSortFilterProxyModel>
#include <QString>

class QTreeView;

namespace ordonna {

class FolderTree final : public QObject {
  Q_OBJECT

 public:
  // Shows its folders in `view`, which must outlive this object.
  FolderTree(QTreeView& view, QObject* parent);

  // Shows the folders of the volume mounted at `root`; the root becomes the current folder.
  void SetRoot(const QString& root);
  const QString& Root() const { return root_; }
  // Selects `folder`, an existing folder below (or at) the root; false otherwise.
  bool SetCurrentFolder(const QString& folder);
  // The selected folder: an absolute path, "/" separated, no trailing "/" except "/" itself.
  QString CurrentFolder() const;

 signals:
  void CurrentFolderChanged(const QString& folder);

 protected:
  // Notes when the user starts moving around in the tree.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Lets through the root, its ancestors (so that the root can be reached) and what lies below.
  class VolumeFilter final : public QSortFilterProxyModel {
   public:
    void SetRoot(const QString& root);

   protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

   private:
    QString root_;
  };

  void Reveal();

  QTreeView& view_;
  QFileSystemModel files_;
  VolumeFilter filter_;
  QString root_;
  bool revealPending_ = false;  // keep the current folder in view while rows come in
};

// True when `path` is `folder` or lies below it ("/" holds everything).
bool FolderHolds(const QString& folder, const QString& path);

}  // namespace ordonna
