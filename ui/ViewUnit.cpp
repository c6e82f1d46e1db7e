// The viewer's controls, keys and menu over the list logic of view/.
#include "ui/ViewUnit.h"

#include <algorithm>
#include <array>

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QMenu>
#include <QPalette>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>

#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "ui/CompUnit.h"
#include "ui/Dialogs.h"
#include "ui/DupSearchUnit.h"
#include "ui/FindUnit.h"
#include "ui/InsertUnit.h"
#include "ui/PreCompUnit.h"
#include "ui/PreDupUnit.h"
#include "ui/QtText.h"
#include "ui/SkipFmsg.h"
#include "ui/ViewGrid.h"
#include "ui/WindowFader.h"
#include "ui/WindowPlace.h"
#include "ui/logic/OptionsWindowRules.h"
#include "ui_ViewUnit.h"
#include "view/Caption.h"
#include "view/ColumnWidths.h"
#include "view/SortNames.h"
#include "view/ViewerLook.h"

namespace ordonna {
namespace {

constexpr int kMinFontSize = 4;
constexpr int kMaxFontSize = 32;
// After the options window: the grid is rebuilt once that window has gone.
constexpr int kRebuildAfterOptionsMs = 50;
constexpr std::string_view kResortHint = "Sort again as specified in main options";
constexpr std::array<const char*, 4> kTotalTimeCaptions = {"Like &d.h:m:s", "Like &h:m:s",
                                                           "Like d da&ys, h hours, m minutes, s seconds",
                                                           "Like h hou&rs, m minutes, s seconds"};

// The option record's colours are 0x00BBGGRR.
QColor StoredColor(std::int32_t stored) {
  const auto value = static_cast<std::uint32_t>(stored);
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

QColor ColorOf(const SchemeColor& color) {
  const QPalette system = QApplication::palette();
  switch (color.Source) {
    case SchemeColor::Role::ButtonFace: return system.color(QPalette::Button);
    case SchemeColor::Role::Window: return system.color(QPalette::Base);
    case SchemeColor::Role::WindowText: return system.color(QPalette::Text);
    case SchemeColor::Role::Rgb: break;
  }
  return QColor(color.Red, color.Green, color.Blue);
}

QAction* AddItem(QMenu& menu, const char* caption, const char* name) {
  QAction* item = menu.addAction(QString::fromUtf8(caption));
  item->setObjectName(QString::fromLatin1(name));
  return item;
}

}  // namespace

TViewForm::TViewForm(const ViewerSetup& setup, QWidget* parent)
    : QWidget(parent, Qt::Window),
      ui_(std::make_unique<Ui::TViewForm>()),
      setup_(setup),
      list_(setup.List),
      options_(setup.Options),
      dialogs_(setup.Ask),
      caller_(
          setup.Ask, [](const QString&) {}, running_),
      viewer_(setup.List, setup.Options, setup.TempFolder) {
  ui_->setupUi(this);
  setWindowModality(Qt::WindowModal);
  ui_->PrimBut->hide();

  QTableView& grid = *ui_->SG1;
  model_ = new ViewGridModel(list_, this);
  grid.setModel(model_);
  grid.setItemDelegate(new ViewGridPainter(&grid));
  grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid.verticalHeader()->hide();
  grid.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid.verticalHeader()->setMinimumSectionSize(1);
  QHeaderView& header = *grid.horizontalHeader();
  header.setSectionsClickable(true);
  header.setHighlightSections(false);
  header.setSectionResizeMode(QHeaderView::Interactive);
  header.setMinimumSectionSize(1);
  header.setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  grid.viewport()->installEventFilter(this);
  header.viewport()->installEventFilter(this);

  fader_ = new WindowFader(
      *this, QStringLiteral("BlendTimer"), [this] { return setup_.FadingSupported && options_.Main.FadeViewer == 1; },
      [this] { close(); });

  // The grid's popup menu.
  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
  deleteItem_ = AddItem(*popupMenu_, "&Delete  (Ctrl+Del)", "DeleteItem");
  undoItem_ = AddItem(*popupMenu_, "&Undo  (Ctrl+Z)", "UndoItem");
  insertItem_ = AddItem(*popupMenu_, "&Insert", "InsertItem");
  QAction* editItem = AddItem(*popupMenu_, "&Edit", "EditItem");
  popupMenu_->addSeparator();
  resortItem_ = AddItem(*popupMenu_, "&Re-sort", "ResortItem");
  findItem_ = AddItem(*popupMenu_, "&Find or filter (Ctrl+F)", "FindItem");
  popupMenu_->addSeparator();
  QMenu* colors = popupMenu_->addMenu(QStringLiteral("&List colors"));
  colors->setObjectName(QStringLiteral("ColorsMenu"));
  schemeItems_ = new QActionGroup(this);
  for (const char* name : {"WindowsItem", "LightItem", "DarkItem"}) {
    QAction* item = AddItem(*colors, "", name);
    item->setCheckable(true);
    schemeItems_->addAction(item);
  }
  QMenu* widths = popupMenu_->addMenu(QStringLiteral("&Cell widths"));
  widths->setObjectName(QStringLiteral("WidthsMenu"));
  widthItems_ = new QActionGroup(this);
  for (auto [caption, name] : {std::pair{"&Manual", "ManualItem"}, std::pair{"&Automatic", "AutomaticItem"}}) {
    QAction* item = AddItem(*widths, caption, name);
    item->setCheckable(true);
    widthItems_->addAction(item);
  }
  QAction* fontItem = AddItem(*popupMenu_, "List fo&nt", "FontItem");
  QMenu* totals = popupMenu_->addMenu(QStringLiteral("&Total time display"));
  totals->setObjectName(QStringLiteral("TotalTimeMenu"));
  totalTimeItems_ = new QActionGroup(this);
  for (std::size_t i = 0; i < kTotalTimeCaptions.size(); ++i) {
    QAction* item = AddItem(*totals, kTotalTimeCaptions[i], "");
    item->setObjectName(QStringLiteral("TotalTime%1").arg(i));
    item->setCheckable(true);
    totalTimeItems_->addAction(item);
    connect(item, &QAction::triggered, this, [this, i] { TotalTimeClick(static_cast<std::uint8_t>(i)); });
  }

  auto* schemeButtons = new QButtonGroup(this);
  auto* widthButtons = new QButtonGroup(this);
  const std::array<QAbstractButton*, 3> radios = {ui_->WinRadio, ui_->LightRadio, ui_->DarkRadio};
  for (std::size_t i = 0; i < radios.size(); ++i) {
    schemeButtons->addButton(radios[i]);
    const auto scheme = static_cast<std::uint8_t>(i);
    connect(radios[i], &QAbstractButton::clicked, this, [this, scheme] { SchemeClick(scheme); });
    connect(schemeItems_->actions()[static_cast<qsizetype>(i)], &QAction::triggered, this,
            [this, scheme] { SchemeClick(scheme); });
  }
  widthButtons->addButton(ui_->ManualCheck);
  widthButtons->addButton(ui_->AutoCheck);
  connect(ui_->ManualCheck, &QCheckBox::clicked, this, [this] { WidthModeClick(true); });
  connect(ui_->AutoCheck, &QCheckBox::clicked, this, [this] { WidthModeClick(false); });
  connect(widthItems_->actions()[0], &QAction::triggered, this, [this] { WidthModeClick(true); });
  connect(widthItems_->actions()[1], &QAction::triggered, this, [this] { WidthModeClick(false); });

  connect(ui_->DelBut, &QPushButton::clicked, this, &TViewForm::DelButClick);
  connect(ui_->UndoBut, &QPushButton::clicked, this, &TViewForm::UndoButClick);
  connect(ui_->InsBut, &QPushButton::clicked, this, &TViewForm::InsButClick);
  connect(ui_->EditBut, &QPushButton::clicked, this, &TViewForm::EditButClick);
  connect(ui_->ReSortBut, &QPushButton::clicked, this, &TViewForm::ReSortButClick);
  connect(ui_->PrimBut, &QPushButton::clicked, this, &TViewForm::PrimButClick);
  connect(ui_->SplitCheck, &QCheckBox::clicked, this, &TViewForm::SplitCheckClick);
  connect(ui_->updn1, &QSpinBox::valueChanged, this, &TViewForm::updn1Change);
  connect(ui_->FontBut, &QPushButton::clicked, this, &TViewForm::FontButClick);
  connect(ui_->SaveBut, &QPushButton::clicked, this, [this] { setup_.SaveList(); });
  connect(ui_->ExportBut, &QPushButton::clicked, this, [this] { setup_.ExportList(); });
  connect(ui_->OptBut, &QPushButton::clicked, this, &TViewForm::OptButClick);
  connect(ui_->DupBut, &QPushButton::clicked, this, &TViewForm::DupButClick);
  connect(ui_->CompBut, &QPushButton::clicked, this, &TViewForm::CompButClick);
  connect(deleteItem_, &QAction::triggered, this, &TViewForm::DelButClick);
  connect(undoItem_, &QAction::triggered, this, &TViewForm::UndoButClick);
  connect(insertItem_, &QAction::triggered, this, &TViewForm::InsButClick);
  connect(editItem, &QAction::triggered, this, &TViewForm::EditButClick);
  connect(resortItem_, &QAction::triggered, this, &TViewForm::ResortItemClick);
  connect(findItem_, &QAction::triggered, this, &TViewForm::FindCommand);
  connect(fontItem, &QAction::triggered, this, &TViewForm::FontButClick);
  connect(&header, &QHeaderView::sectionClicked, this, &TViewForm::HeaderClick);
  connect(&grid, &QTableView::doubleClicked, this, &TViewForm::EditButClick);
  connect(&grid, &QWidget::customContextMenuRequested, this, &TViewForm::GridContextPopup);

  auto addKey = [this](QKeySequence key, auto handler) {
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, handler);
  };
  addKey(QKeySequence(Qt::Key_Escape), [this] { close(); });
  addKey(QKeySequence(Qt::ControlModifier | Qt::Key_Delete), &TViewForm::DelButClick);
  addKey(QKeySequence(Qt::ControlModifier | Qt::Key_Z), [this] {
    if (ui_->UndoBut->isEnabled()) UndoButClick();
  });
  addKey(QKeySequence(Qt::ControlModifier | Qt::Key_F), &TViewForm::FindCommand);
  addKey(QKeySequence(Qt::Key_F3), &TViewForm::FindNextCommand);
  addKey(QKeySequence(Qt::ControlModifier | Qt::AltModifier | Qt::Key_F), &TViewForm::FindNextCommand);

  ApplyWindowColor();
  ShowPanelOptions();
  ApplyFilterState();
  UpdateUndo();
  if (setup_.FadingSupported && options_.Main.FadeViewer == 1) fader_->StartTransparent();
}

TViewForm::~TViewForm() = default;

void TViewForm::Open() {
  const WindowPlaces& places = options_.Places;
  resize(places.ViewerWidth, places.ViewerHeight);
  MoveToStoredPlace(*this, {&options_.Places.ViewerLeft, &options_.Places.ViewerTop});
  ApplyFont();
  if (options_.Dialog.ViewerMaximized != 0) {
    showMaximized();
  } else {
    show();
  }
  if (setup_.FadingSupported && options_.Main.FadeViewer == 1) fader_->FadeIn();
}

// ---- The grid ---------------------------------------------------------------------------

void TViewForm::BuildGrid() {
  if (list_.Working().Empty() || building_) return;
  building_ = true;
  SetBusy(true);
  ui_->DupBut->setEnabled(list_.ItemCount() > 1);
  refused_ = RefuseOversizeList(list_.ItemCount(), setup_.OversizeWarned, caller_);
  ui_->updn1->setEnabled(!refused_);
  ui_->FontBut->setEnabled(!refused_);
  model_->Rebuild(BuildColumnLayout(options_.Main), FieldStyleOf(options_, setup_.LocaleDateFormat), !refused_);
  if (!refused_) ApplyWidths();
  UpdateCaption();
  UpdateSortControls();
  SetBusy(false);
  building_ = false;
}

void TViewForm::SetBusy(bool busy) {
  ui_->Panel1->setEnabled(!busy);
  ui_->SG1->setContextMenuPolicy(busy ? Qt::NoContextMenu : Qt::CustomContextMenu);
  if (busy) {
    setWindowTitle(QString());
    setCursor(Qt::WaitCursor);
  } else {
    unsetCursor();
  }
}

void TViewForm::ApplyWidths() {
  if (refused_ || model_->columnCount() == 0) return;
  const ColumnLayout& layout = model_->Layout();
  const std::vector<int> widths =
      options_.Main.ViewerManualColWidth != 0
          ? ManualWidths(layout, options_.Main)
          : AutomaticWidths(list_.Working(), layout, model_->Cells(), GridTextWidth(ui_->SG1->font()));
  QHeaderView& header = *ui_->SG1->horizontalHeader();
  for (std::size_t i = 0; i < widths.size(); ++i) header.resizeSection(static_cast<int>(i), widths[i]);
}

void TViewForm::StoreWidths() {
  if (refused_) return;
  const QHeaderView& header = *ui_->SG1->horizontalHeader();
  std::vector<int> widths;
  for (int i = 0; i < header.count(); ++i) widths.push_back(header.sectionSize(i));
  StoreColumnWidths(model_->Layout(), widths, options_.Main);
}

QFont TViewForm::GridFont() const {
  const MainOptions& main = options_.Main;
  QFont font(ToQString(main.ViewerFontName.View()));
  // "Courier New" is rarely installed here: fall back to a fixed-pitch face like it.
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSize(std::clamp<int>(main.ViewerFontSize, kMinFontSize, kMaxFontSize));
  font.setBold((main.ViewerFontStyle & kFontBold) != 0);
  font.setItalic((main.ViewerFontStyle & kFontItalic) != 0);
  font.setUnderline((main.ViewerFontStyle & kFontUnderline) != 0);
  font.setStrikeOut((main.ViewerFontStyle & kFontStrikeOut) != 0);
  return font;
}

void TViewForm::ApplyFont() {
  const QFont font = GridFont();
  QTableView& grid = *ui_->SG1;
  grid.setFont(font);
  grid.horizontalHeader()->setFont(font);
  const int rowHeight = QFontMetrics(font).height() + 2;
  grid.verticalHeader()->setDefaultSectionSize(rowHeight);
  {
    const QSignalBlocker blocker(ui_->updn1);
    ui_->updn1->setValue(font.pointSize());
  }
  BuildGrid();
}

void TViewForm::ApplyWindowColor() {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, StoredColor(options_.Main.ViewerWindowColor));
  ui_->Panel1->setPalette(palette);
  ui_->Panel1->setAutoFillBackground(true);
}

void TViewForm::ShowPanelOptions() {
  {
    const QSignalBlocker blocker(ui_->updn1);
    ui_->updn1->setValue(std::clamp<int>(options_.Main.ViewerFontSize, kMinFontSize, kMaxFontSize));
  }
  ui_->SplitCheck->setChecked(options_.Main.ViewerSplitArtistTitle != 0);
  const bool manual = options_.Main.ViewerManualColWidth != 0;
  ui_->ManualCheck->setChecked(manual);
  ui_->AutoCheck->setChecked(!manual);
  widthItems_->actions()[manual ? 0 : 1]->setChecked(true);
  totalTimeItems_->actions()[options_.Dialog.ViewerTotalTimeStyle & 3]->setChecked(true);
}

void TViewForm::ApplyScheme() {
  const std::uint8_t scheme = options_.Main.ViewerColorScheme <= 2 ? options_.Main.ViewerColorScheme : 0;
  const SchemeColors colors = ColorsOf(scheme, viewer_.Filtered() && options_.Dialog.FilterInvertedColors != 0);
  QTableView& grid = *ui_->SG1;
  QPalette palette = QApplication::palette();
  palette.setColor(QPalette::Base, ColorOf(colors.Background));
  palette.setColor(QPalette::Text, ColorOf(colors.Text));
  grid.setPalette(palette);
  // The header row: its colour, with the scheme's own text colour (never inverted, so that
  // the names stay readable).
  const QColor headerColor = ColorOf(colors.Header);
  const QColor headerText =
      scheme == 0 ? QApplication::palette().color(QPalette::ButtonText) : ColorOf(ColorsOf(scheme, false).Text);
  grid.horizontalHeader()->setStyleSheet(
      QStringLiteral(
          "QHeaderView { background-color: %1; } QHeaderView::section { background-color: %1; color: %2; border: none; "
          "border-right: 1px solid %3; border-bottom: 1px solid %3; padding-left: %4px; }")
          .arg(headerColor.name(), headerText.name(), headerColor.darker(150).name())
          .arg(kCellTextMargin));
  const std::array<QAbstractButton*, 3> radios = {ui_->WinRadio, ui_->LightRadio, ui_->DarkRadio};
  radios[scheme]->setChecked(true);
  schemeItems_->actions()[scheme]->setChecked(true);
}

void TViewForm::UpdateCaption() {
  if (viewer_.Filtered()) {
    setWindowTitle(ToQString(FilteredViewerCaption(list_.ItemCount(), viewer_.Filter().UnfilteredCount)));
  } else {
    setWindowTitle(ToQString(ViewerCaption(list_.Working(), FieldStyleOf(options_, setup_.LocaleDateFormat))));
  }
}

void TViewForm::UpdateSortControls() {
  ui_->SortLabel->setText(ToQString(SortStateName(list_.SortState)));
  const bool enabled = !refused_ && ResortEnabled(list_.SortState, options_.Main);
  ui_->ReSortBut->setEnabled(enabled);
  ui_->ReSortBut->setToolTip(ToQString(enabled ? ResortHint(options_.Main) : std::string(kResortHint)));
  // While filtered the menu item makes the list primary instead.
  resortItem_->setEnabled(enabled || viewer_.Filtered());
}

void TViewForm::UpdateUndo() {
  ui_->UndoBut->setEnabled(viewer_.CanUndo());
  undoItem_->setEnabled(viewer_.CanUndo());
}

void TViewForm::ApplyFilterState() {
  const StateCaptions captions = CaptionsFor(viewer_.Filtered(), options_.Dialog.FilterInvertedColors != 0);
  ui_->InsBut->setText(ToQString(captions.InsertButton));
  insertItem_->setText(ToQString(captions.InsertMenu));
  resortItem_->setText(ToQString(captions.ResortMenu));
  findItem_->setText(ToQString(captions.FindMenu));
  ui_->ReSortBut->setVisible(captions.ResortButtonShown);
  ui_->PrimBut->setVisible(captions.PrimaryButtonShown);
  for (std::size_t i = 0; i < captions.SchemeMenu.size(); ++i) {
    schemeItems_->actions()[static_cast<qsizetype>(i)]->setText(ToQString(captions.SchemeMenu[i]));
  }
  ApplyScheme();
}

GridPosition TViewForm::CurrentPosition() const {
  const QTableView& grid = *ui_->SG1;
  const int top = grid.rowAt(0);
  const int current = grid.currentIndex().isValid() ? grid.currentIndex().row() : 0;
  return {static_cast<std::uint32_t>(std::max(top, 0)), static_cast<std::uint32_t>(std::max(current, 0))};
}

void TViewForm::GoTo(GridPosition position) {
  QTableView& grid = *ui_->SG1;
  if (model_->rowCount() == 0) return;
  const int column = std::max(grid.currentIndex().column(), 0);
  grid.setCurrentIndex(model_->index(static_cast<int>(position.CurrentRow), column));
  grid.verticalScrollBar()->setValue(static_cast<int>(position.TopRow));
}

void TViewForm::SelectRows(std::uint32_t first, std::uint32_t count) {
  QTableView& grid = *ui_->SG1;
  const int last = static_cast<int>(first + count) - 1;
  const QItemSelection block(model_->index(static_cast<int>(first), 0), model_->index(last, model_->columnCount() - 1));
  grid.selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
}

void TViewForm::Apply(const ViewerUpdate& update) {
  if (update.FilterChanged) ApplyFilterState();
  if (update.StartNewList) setup_.NewList();
  if (update.CloseViewer) {
    closeAgreed_ = true;
    close();
    return;
  }
  if (update.ListChanged) {
    BuildGrid();
    GoTo(update.Position);
  } else if (update.FilterChanged) {
    UpdateCaption();
  }
  UpdateSortControls();
  UpdateUndo();
}

// ---- Commands ---------------------------------------------------------------------------

void TViewForm::DelButClick() {
  if (building_ || refused_) return;
  const QItemSelection selection = ui_->SG1->selectionModel()->selection();
  if (selection.isEmpty()) return;
  int first = selection.front().top();
  int last = selection.front().bottom();
  for (const QItemSelectionRange& range : selection) {
    first = std::min(first, range.top());
    last = std::max(last, range.bottom());
  }
  const GridPosition at = CurrentPosition();
  deletedFirst_ = static_cast<std::uint32_t>(first);
  deletedCount_ = static_cast<std::uint32_t>(last - first + 1);
  const ViewerUpdate update = viewer_.DeleteRows(deletedFirst_, deletedCount_, at, caller_);
  Apply(update);
}

void TViewForm::UndoButClick() {
  if (!viewer_.CanUndo()) return;
  const bool deletion = viewer_.PendingUndo() == UndoKind::Deletion;
  const std::uint32_t before = list_.ItemCount();
  SetBusy(true);
  const ViewerUpdate update = viewer_.Undo(caller_);
  SetBusy(false);
  Apply(update);
  // The entries a deletion took come back selected, as they were.
  if (deletion && list_.ItemCount() == before + deletedCount_) SelectRows(deletedFirst_, deletedCount_);
}

void TViewForm::InsButClick() {
  if (building_ || refused_) return;
  if (viewer_.Filtered()) {
    Apply(viewer_.Unfilter(CurrentPosition(), caller_));
    return;
  }
  const GridPosition at = CurrentPosition();
  ListEntry entry{};
  if (!RunEditor(false, entry)) return;
  Apply(viewer_.Insert(entry, options_.Dialog.InsertPosition, at.CurrentRow, at, caller_));
}

void TViewForm::EditButClick() {
  if (building_ || refused_ || list_.Working().Empty()) return;
  const GridPosition at = CurrentPosition();
  const QModelIndexList selected = ui_->SG1->selectionModel()->selectedRows();
  std::uint32_t index = selected.isEmpty() ? at.CurrentRow : list_.ItemCount();
  for (const QModelIndex& row : selected) index = std::min(index, static_cast<std::uint32_t>(row.row()));
  if (index >= list_.ItemCount()) return;
  ListEntry entry = list_.Working().Entry(index);
  // The editor's position choice shows the edit option while it is open.
  DialogOptions& dialog = options_.Dialog;
  const std::uint8_t insertPosition = dialog.InsertPosition;
  dialog.InsertPosition = dialog.EditPosition;
  const bool confirmed = RunEditor(true, entry);
  dialog.EditPosition = dialog.InsertPosition;
  dialog.InsertPosition = insertPosition;
  if (confirmed) Apply(viewer_.Edit(index, entry, dialog.EditPosition, at, caller_));
}

bool TViewForm::RunEditor(bool editMode, ListEntry& entry) {
  EditorSetup setup{.Options = options_,
                    .Ask = dialogs_,
                    .Host = setup_.Host,
                    .Style = FieldStyleOf(options_, setup_.LocaleDateFormat),
                    .EditMode = editMode,
                    .Entry = entry,
                    .Choices = PositionChoices(list_.SortState, options_.Main)};
  ui_->SG1->setEnabled(false);
  ui_->Panel1->setEnabled(false);
  TInsertForm editor(setup, this);
  const bool confirmed = dialogs_.RunModal(editor);
  ui_->SG1->setEnabled(true);
  ui_->Panel1->setEnabled(true);
  if (confirmed) entry = editor.Entry();
  return confirmed;
}

void TViewForm::FindCommand() {
  if (building_ || refused_ || !SearchPossible(list_.ItemCount(), caller_)) return;
  search_.Wrapped = false;
  filterUpdate_ = {};
  TFindForm finder(
      options_, viewer_.Filtered(), search_.FindText, [this](const std::string& text) { return MakeFilter(text); },
      this);
  dialogs_.RunModal(finder);
  const FindRequest request = finder.Request();
  if (request == FindRequest::Filter) {
    search_.LastRequest = request;
    Apply(filterUpdate_);
    if (options_.Dialog.SkipFilterMsgDontShow != 0) return;
    TSkipFMsgForm notice(options_, this);
    if (!dialogs_.RunModal(notice)) UndoButClick();
    return;
  }
  if (request != FindRequest::Nothing) search_.FindText = finder.Text();
  const std::uint32_t cursor = CurrentPosition().CurrentRow;
  ShowFound(FindAfterWindow(list_.Working().Entries(), request, cursor, options_.Dialog.FindMatchCase != 0, search_,
                            caller_));
}

bool TViewForm::MakeFilter(const std::string& text) {
  filterUpdate_ =
      viewer_.ApplyFilter(NameMatcher(text, options_.Dialog.FindMatchCase != 0), CurrentPosition(), caller_);
  return filterUpdate_.FilterChanged;
}

void TViewForm::FindNextCommand() {
  if (building_ || refused_) return;
  const std::uint32_t cursor = CurrentPosition().CurrentRow;
  ShowFound(FindNext(list_.Working().Entries(), cursor, options_.Dialog.FindMatchCase != 0, search_, caller_));
}

void TViewForm::ShowFound(std::optional<std::uint32_t> found) {
  if (!found) return;
  const QTableView& grid = *ui_->SG1;
  const int rowHeight = std::max(grid.verticalHeader()->defaultSectionSize(), 1);
  const auto visibleRows = static_cast<std::uint32_t>(std::max(grid.viewport()->height() / rowHeight, 1));
  GoTo(CentredOn(*found, visibleRows));
  SelectRows(*found, 1);
}

void TViewForm::ReSortButClick() {
  if (refused_ || !ui_->ReSortBut->isEnabled()) return;
  SetBusy(true);
  const ViewerUpdate update = viewer_.Resort(CurrentPosition(), caller_);
  SetBusy(false);
  Apply(update);
}

void TViewForm::PrimButClick() {
  const ViewerUpdate update = viewer_.MakePrimary(caller_);
  Apply(update);
  if (update.FilterChanged) setWindowTitle(ToQString(PrimaryViewerCaption(list_.ItemCount())));
}

void TViewForm::ResortItemClick() {
  if (viewer_.Filtered()) {
    PrimButClick();
  } else {
    ReSortButClick();
  }
}

void TViewForm::HeaderClick(int position) {
  if (building_ || refused_) return;
  const ViewerUpdate update = viewer_.SortByHeader(position, model_->Layout(), CurrentPosition(), caller_);
  if (!update.ListChanged) return;
  SetBusy(true);
  Apply(update);
  SetBusy(false);
  UpdateCaption();
}

void TViewForm::SchemeClick(std::uint8_t scheme) {
  options_.Main.ViewerColorScheme = scheme;
  ApplyScheme();
}

void TViewForm::WidthModeClick(bool manual) {
  options_.Main.ViewerManualColWidth = manual ? 1 : 0;
  ui_->ManualCheck->setChecked(manual);
  ui_->AutoCheck->setChecked(!manual);
  widthItems_->actions()[manual ? 0 : 1]->setChecked(true);
  ApplyWidths();
}

void TViewForm::SplitCheckClick() {
  options_.Main.ViewerSplitArtistTitle = ui_->SplitCheck->isChecked() ? 1 : 0;
  const GridPosition at = CurrentPosition();
  BuildGrid();
  GoTo(at);
}

void TViewForm::updn1Change(int size) {
  options_.Main.ViewerFontSize = static_cast<std::uint8_t>(std::clamp(size, kMinFontSize, kMaxFontSize));
  const GridPosition at = CurrentPosition();
  ApplyFont();
  GoTo(at);
}

void TViewForm::FontButClick() {
  if (refused_) return;
  const std::optional<QFont> chosen = dialogs_.ChooseFont(GridFont());
  if (!chosen) return;
  MainOptions& main = options_.Main;
  main.ViewerFontName.Set(ToBytes(chosen->family()));
  // A font chosen by pixel size has no point size; the current size stays then.
  if (chosen->pointSize() > 0)
    main.ViewerFontSize = static_cast<std::uint8_t>(std::clamp(chosen->pointSize(), kMinFontSize, kMaxFontSize));
  std::uint8_t style = 0;
  if (chosen->bold()) style |= kFontBold;
  if (chosen->italic()) style |= kFontItalic;
  if (chosen->underline()) style |= kFontUnderline;
  if (chosen->strikeOut()) style |= kFontStrikeOut;
  main.ViewerFontStyle = style;
  const GridPosition at = CurrentPosition();
  ApplyFont();
  GoTo(at);
}

void TViewForm::TotalTimeClick(std::uint8_t style) {
  options_.Dialog.ViewerTotalTimeStyle = style;
  if (!viewer_.Filtered()) UpdateCaption();
}

void TViewForm::OptButClick() {
  if (building_) return;
  const std::optional<MainOptions> before = setup_.RunOptions(*this, [this] { ApplyWindowColor(); });
  if (before) ApplySavedOptions(*before);
}

// The options were kept: everything the viewer shows follows them (a reset or a loaded file
// may have changed any of it). The re-sort command answers to new main sort options at once;
// new columns, cell styles, font or widths rebuild the grid shortly after, as the options
// window closes first.
void TViewForm::ApplySavedOptions(const MainOptions& before) {
  ApplyWindowColor();
  ShowPanelOptions();
  ApplyFilterState();
  if (SortSettingsDiffer(before, options_.Main)) UpdateSortControls();
  if (ViewerColumnsDiffer(before, options_.Main) || ViewerCellsDiffer(before, options_.Main)) {
    QTimer::singleShot(kRebuildAfterOptionsMs, this, [this] {
      const GridPosition at = CurrentPosition();
      ApplyFont();
      GoTo(at);
    });
  } else if (!viewer_.Filtered()) {
    UpdateCaption();
  }
}

void TViewForm::GridContextPopup(const QPoint& position) {
  popupMenu_->popup(ui_->SG1->viewport()->mapToGlobal(position));
}

// ---- Mouse, closing ---------------------------------------------------------------------

bool TViewForm::eventFilter(QObject* watched, QEvent* event) {
  // Whatever the width mode, the widths the user leaves are the manual ones.
  if (event->type() == QEvent::MouseButtonRelease &&
      (watched == ui_->SG1->viewport() || watched == ui_->SG1->horizontalHeader()->viewport())) {
    StoreWidths();
  }
  return QWidget::eventFilter(watched, event);
}

// ---- Duplicates search and comparison ----------------------------------------------------

template <typename MakeSettings, typename MakeProgress>
void TViewForm::RunMatching(MakeSettings makeSettings, MakeProgress makeProgress) {
  if (building_ || refused_) return;
  // The grid and the panel wait while the windows are open; a cancelled settings window
  // leaves the settings as they were.
  SetBusy(true);
  ui_->SG1->setEnabled(false);
  const DialogOptions kept = options_.Dialog;
  auto settings = makeSettings();
  std::vector<std::uint32_t> removed;
  bool cleared = false;
  if (dialogs_.RunModal(*settings)) {
    auto progress = makeProgress(*settings);
    dialogs_.RunModal(*progress);
    removed = progress->Removed();
    cleared = progress->Cleared();
  } else {
    options_.Dialog = kept;
  }
  ui_->SG1->setEnabled(true);
  SetBusy(false);
  if (!removed.empty()) EntriesRemovedBehind(removed, cleared);
  UpdateCaption();
}

void TViewForm::DupButClick() {
  RunMatching([this] { return std::make_unique<TPreDupForm>(options_, this); },
              [this](TPreDupForm&) {
                const DupRunSetup run{list_, options_, dialogs_, setup_.LocaleDateFormat, [this](const QString& text) {
                                        if (setup_.ShowStatus) setup_.ShowStatus(text);
                                      }};
                return std::make_unique<TDupSearchForm>(run, this);
              });
}

void TViewForm::CompButClick() {
  RunMatching([this] { return std::make_unique<TPreCompForm>(options_, dialogs_, this); },
              [this](TPreCompForm& settings) {
                return std::make_unique<TCompForm>(
                    CompRunSetup{list_, options_, dialogs_, setup_.LocaleDateFormat, settings.Relaxed()}, this);
              });
}

void TViewForm::EntriesRemovedBehind(const std::vector<std::uint32_t>& removed, bool cleared) {
  viewer_.EntriesRemovedBehind(removed);
  if (cleared) {
    // The run emptied the list: a new list starts and the viewer closes.
    WarnMessage(dialogs_, ToQString(kListCleared));
    setup_.NewList();
    closeAgreed_ = true;
    close();
    return;
  }
  BuildGrid();
  UpdateSortControls();
  UpdateUndo();
}

void TViewForm::closeEvent(QCloseEvent* event) {
  if (!closeAgreed_) {
    if (!viewer_.ConfirmClose(caller_)) {
      event->ignore();
      return;
    }
    closeAgreed_ = true;
  }
  if (setup_.FadingSupported && options_.Main.FadeViewer == 1 && !fader_->FadedOut()) {
    fader_->FadeOut();
    event->ignore();
    return;
  }
  WindowPlaces& places = options_.Places;
  if (isMaximized()) {
    options_.Dialog.ViewerMaximized = 1;
  } else {
    options_.Dialog.ViewerMaximized = 0;
    KeepPlace(*this, {&places.ViewerLeft, &places.ViewerTop});
    places.ViewerWidth = width();
    places.ViewerHeight = height();
  }
  viewer_.Closed();
  event->accept();
  emit Closed();
}

}  // namespace ordonna
