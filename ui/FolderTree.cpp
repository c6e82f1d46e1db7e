// The volume's folders over a file-system model, filtered down to one volume.
#include "ui/FolderTree.h"

#include <QDir>
#include <QEvent>
#include <QItemSelectionModel>
#include <QTreeView>

#include "platform/FileSystem.h"
#include "ui/QtText.h"

namespace ordonna {
namespace {

QString ParentFolder(const QString& folder) {
  if (folder == QStringLiteral("/")) return {};
  const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
  return slash <= 0 ? QStringLiteral("/") : folder.left(slash);
}

}  // namespace

bool FolderHolds(const QString& folder, const QString& path) {
  if (folder == QStringLiteral("/")) return path.startsWith(QLatin1Char('/'));
  return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

void FolderTree::VolumeFilter::SetRoot(const QString& root) {
  root_ = root;
  invalidateFilter();
}

bool FolderTree::VolumeFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
  const auto* files = static_cast<const QFileSystemModel*>(sourceModel());
  const QString path = files->filePath(files->index(sourceRow, 0, sourceParent));
  return FolderHolds(root_, path) || FolderHolds(path, root_);
}

FolderTree::FolderTree(QTreeView& view, QObject* parent) : QObject(parent), view_(view) {
  files_.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  files_.setReadOnly(true);
  filter_.setSourceModel(&files_);
  filter_.setDynamicSortFilter(false);
  view_.setModel(&filter_);
  view_.setHeaderHidden(true);
  for (int column = 1; column < files_.columnCount(); ++column) view_.hideColumn(column);
  view_.setUniformRowHeights(true);
  connect(view_.selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { emit CurrentFolderChanged(CurrentFolder()); });
  // Folders are read and sorted in the background: the current folder moves as rows come
  // in, so it is kept in view until the user takes over.
  connect(&filter_, &QAbstractItemModel::rowsInserted, this, &FolderTree::Reveal);
  connect(&filter_, &QAbstractItemModel::layoutChanged, this, &FolderTree::Reveal);
  view_.viewport()->installEventFilter(this);
  view_.installEventFilter(this);
}

void FolderTree::SetRoot(const QString& root) {
  root_ = root;
  files_.setRootPath(root);
  filter_.SetRoot(root);
  const QString parent = ParentFolder(root);
  view_.setRootIndex(parent.isEmpty() ? QModelIndex() : filter_.mapFromSource(files_.index(parent)));
  SetCurrentFolder(root);
}

bool FolderTree::SetCurrentFolder(const QString& folder) {
  if (root_.isEmpty() || !FolderHolds(root_, folder) || !IsFolder(ToBytes(folder))) return false;
  const QModelIndex index = filter_.mapFromSource(files_.index(folder));
  if (!index.isValid()) return false;
  for (QModelIndex above = index.parent(); above.isValid(); above = above.parent()) view_.expand(above);
  view_.setCurrentIndex(index);
  view_.expand(index);
  view_.scrollTo(index);
  revealPending_ = true;
  return true;
}

void FolderTree::Reveal() {
  if (revealPending_) view_.scrollTo(view_.currentIndex());
}

bool FolderTree::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress: revealPending_ = false; break;
    default: break;
  }
  return QObject::eventFilter(watched, event);
}

QString FolderTree::CurrentFolder() const {
  const QModelIndex index = view_.currentIndex();
  if (!index.isValid()) return root_;
  return files_.filePath(filter_.mapToSource(index));
}

}  // namespace ordonna
