// The main window's controls, commands, start-up and close. Commands gather input, call one
// library operation and show its result; the list and file logic live in the library.
#include "ui/MainUnit.h"

#include <array>
#include <optional>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QScreen>
#include <QShortcut>
#include <QSocketNotifier>
#include <QTimer>

#include "config/ConfigFile.h"
#include "config/ConfigMessages.h"
#include "config/RememberedFolder.h"
#include "import/ImportList.h"
#include "listfile/ListFileCommands.h"
#include "listfile/OrdlMessages.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/SingleInstance.h"
#include "ui/AboutUnit.h"
#include "ui/Dialogs.h"
#include "ui/FolderTree.h"
#include "ui/ImportUnit.h"
#include "ui/InputCaption.h"
#include "ui/LoadMergeUnit.h"
#include "ui/OptUnit.h"
#include "ui/QtText.h"
#include "ui/UiMessages.h"
#include "ui/ViewUnit.h"
#include "ui/WindowFader.h"
#include "ui/WindowPlace.h"
#include "ui/logic/StatusCut.h"
#include "ui_MainUnit.h"

namespace ordonna {
namespace {

// The window's client area when every text fits; larger fonts make it grow.
constexpr int kClientWidth = 276;
constexpr int kClientHeight = 333;
// Status texts wider than this lose their first characters.
constexpr int kStatusWidth = 264;
// "Vie&w ext." stays disabled this long after it started a program, against double starts.
constexpr int kExtViewGuardMs = 5000;
// How often a list file sent by a later copy checks whether the dialogs are closed.
constexpr int kPendingRetryMs = 250;
constexpr std::array<int, 7> kPopupSizes = {6, 8, 9, 10, 11, 12, 16};
constexpr std::array<const char*, 7> kPopupCaptions = {"size=&6",  "size=&8",  "size=&9", "size=1&0 (default)",
                                                       "size=1&1", "size=1&2", "si&ze=16"};

// The option record's colours are 0x00BBGGRR.
QColor ColorOf(std::int32_t stored) {
  const auto value = static_cast<std::uint32_t>(stored);
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

}  // namespace

TMainForm::TMainForm(const MainFormSetup& setup)
    : QWidget(nullptr),
      ui_(std::make_unique<Ui::TMainForm>()),
      host_(setup.Host),
      dialogs_(setup.Ask),
      commandLineFile_(setup.CommandLineFile),
      helpFile_(setup.HelpFile),
      fadingSupported_(setup.FadingSupported),
      rules_(list_, options_, setup.FadingSupported),
      statusText_(ToQString(ui_text::kReady)),
      caller_(
          setup.Ask, [this](const QString& text) { ShowStatus(text); }, rules_.RunningFlag()) {
  ui_->setupUi(this);
  ui_->Cancelbutton->hide();
  // The status line takes the window's width, whatever its text.
  ui_->Label1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  ui_->Label1->installEventFilter(this);
  folders_ = new FolderTree(*ui_->Dir1, this);

  timerve_ = new QTimer(this);
  timerve_->setObjectName(QStringLiteral("timerve"));
  timerve_->setSingleShot(true);
  timerve_->setInterval(kExtViewGuardMs);
  fader_ = new WindowFader(
      *this, QStringLiteral("BlendTimer"), [this] { return rules_.FadeDue(); }, [this] { close(); });

  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
  QAction* fontItem = popupMenu_->addAction(QStringLiteral("Choose &font"));
  fontItem->setObjectName(QStringLiteral("FontItem"));
  connect(fontItem, &QAction::triggered, this, &TMainForm::ButFontClick);
  for (std::size_t i = 0; i < kPopupSizes.size(); ++i) {
    QAction* item = popupMenu_->addAction(QString::fromLatin1(kPopupCaptions[i]));
    item->setObjectName(QStringLiteral("Size%1").arg(kPopupSizes[i]));
    item->setCheckable(true);
    const int size = kPopupSizes[i];
    connect(item, &QAction::triggered, this, [this, size] { SetMainFontSize(size); });
  }

  connect(ui_->StartBut, &QPushButton::clicked, this, &TMainForm::StartButClick);
  connect(ui_->apbut, &QPushButton::clicked, this, &TMainForm::apbutClick);
  connect(ui_->Cancelbutton, &QPushButton::clicked, this, &TMainForm::CancelbuttonClick);
  connect(ui_->sadcheck, &QCheckBox::clicked, this, &TMainForm::sadcheckClick);
  connect(ui_->Incbox, &QCheckBox::clicked, this, &TMainForm::IncboxClick);
  connect(ui_->Drive1, &QComboBox::activated, this, &TMainForm::Drive1Change);
  connect(folders_, &FolderTree::CurrentFolderChanged, this, &TMainForm::Dir1Change);
  connect(ui_->Dir1, &QWidget::customContextMenuRequested, this, &TMainForm::Dir1ContextPopup);
  connect(ui_->SaveBut, &QPushButton::clicked, this, &TMainForm::SaveButClick);
  connect(ui_->LoadBut, &QPushButton::clicked, this, &TMainForm::LoadButClick);
  connect(ui_->ImportBut, &QPushButton::clicked, this, &TMainForm::ImportButClick);
  connect(ui_->ExportBut, &QPushButton::clicked, this, &TMainForm::ExportButClick);
  connect(ui_->ViewBut, &QPushButton::clicked, this, &TMainForm::ViewButClick);
  connect(ui_->ExtViewBut, &QPushButton::clicked, this, &TMainForm::ExtViewButClick);
  connect(ui_->OptBut, &QPushButton::clicked, this, &TMainForm::OptButClick);
  connect(ui_->AboutBut, &QPushButton::clicked, this, &TMainForm::AboutButClick);
  connect(ui_->updn1, &QSpinBox::valueChanged, this, &TMainForm::updn1Change);
  connect(ui_->ButFont, &QPushButton::clicked, this, &TMainForm::ButFontClick);
  connect(timerve_, &QTimer::timeout, this, &TMainForm::timerveTimer);

  // Keys of the whole window: Esc cancels, "+" and "-" change the font size.
  auto addKey = [this](QKeySequence key, auto handler) {
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, handler);
  };
  addKey(QKeySequence(Qt::Key_Escape), [this] { rules_.StopRunning(); });
  addKey(QKeySequence(Qt::Key_Plus), [this] { SetMainFontSize(options_.Dialog.MainFontSize + 1); });
  addKey(QKeySequence(Qt::KeypadModifier | Qt::Key_Plus),
         [this] { SetMainFontSize(options_.Dialog.MainFontSize + 1); });
  addKey(QKeySequence(Qt::Key_Minus), [this] { SetMainFontSize(options_.Dialog.MainFontSize - 1); });
  addKey(QKeySequence(Qt::KeypadModifier | Qt::Key_Minus),
         [this] { SetMainFontSize(options_.Dialog.MainFontSize - 1); });

  // Until the start-up list is in: only what works on an empty list.
  EnableListCommands();
  if (setup.FadingSupported) fader_->StartTransparent();
}

TMainForm::~TMainForm() = default;

bool TMainForm::LoadSettings() {
  const std::string folder = host_.ConfigFolder();
  configPath_ = folder + "/ordonna.ini";
  if (!LoadConfiguration(configPath_, options_).ok()) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    SetFactoryDefaults(options_, FactoryContext{screen.width(), screen.height(), folder});
    if (!WriteConfiguration(configPath_, options_).ok()) {
      dialogs_.ShowMessage(ToQString(ConfigMessageText(ConfigMessage::InitializeFailed)),
                           ToQString(ConfigMessageText(ConfigMessage::InitializeFailedTitle)), MessageKind::Error);
      return false;
    }
  }
  if (!rules_.FadeDue()) fader_->MakeOpaque();
  ApplyWindowColor();
  ApplyFonts();
  const bool allDrives = options_.Dialog.SearchAllDrives != 0;
  ui_->sadcheck->setChecked(allDrives);
  ui_->Incbox->setChecked(options_.Dialog.IncludeSubfolders != 0);
  EnableListCommands();
  MoveToStoredPlace(*this, {&options_.Places.MainLeft, &options_.Places.MainTop});
  return true;
}

void TMainForm::WatchInstance(SingleInstance& instance) {
  instance_ = &instance;
  // Without a socket the program runs alone, unreachable by later copies.
  if (instance.ListenDescriptor() < 0) return;
  instanceNotifier_ =
      new QSocketNotifier(static_cast<qintptr>(instance.ListenDescriptor()), QSocketNotifier::Read, this);
  connect(instanceNotifier_, &QSocketNotifier::activated, this, &TMainForm::ReceiveInstanceMessages);
}

void TMainForm::ReceiveInstanceMessages() {
  setWindowState(windowState() & ~Qt::WindowMinimized);
  raise();
  activateWindow();
  for (const std::string& message : instance_->TakeMessages()) {
    if (!message.empty()) OpenListFile(ToQString(message));
  }
}

// ---- Shared operations ------------------------------------------------------------------

bool TMainForm::NewList(bool ask) {
  if (ask && !ConfirmDiscard(list_, options_.Main.AskSaveThreshold, caller_)) return false;
  ClearList(list_);
  ShowStatus(ToQString(ui_text::kReady));
  EnableListCommands();
  return true;
}

void TMainForm::EnableListCommands() { ApplyCommands(rules_.Commands()); }

void TMainForm::DisableAllCommands() { ApplyCommands(MainCommands{}); }

void TMainForm::ApplyCommands(const MainCommands& commands) {
  ui_->StartBut->setEnabled(commands.New);
  ui_->apbut->setEnabled(commands.Append);
  ui_->SaveBut->setEnabled(commands.Save);
  ui_->LoadBut->setEnabled(commands.Load);
  ui_->ImportBut->setEnabled(commands.Import);
  ui_->ExportBut->setEnabled(commands.Export);
  ui_->ViewBut->setEnabled(commands.View);
  ui_->ExtViewBut->setEnabled(commands.ExtView);
  ui_->OptBut->setEnabled(commands.Options);
  ui_->ButFont->setEnabled(commands.Font);
  ui_->updn1->setEnabled(commands.Font);
  ui_->sadcheck->setEnabled(commands.AllDrives);
  ui_->Drive1->setEnabled(commands.Folder);
  ui_->Dir1->setEnabled(commands.Folder);
  ui_->Incbox->setEnabled(commands.Folder);
}

void TMainForm::SetBusyCursor() { setCursor(Qt::WaitCursor); }

void TMainForm::SetNormalCursor() { unsetCursor(); }

void TMainForm::ShowStatus(const QString& text) {
  statusText_ = text;
  ui_->Label1->setText(ToQString(
      CutFromFront(ToBytes(text), kStatusWidth, [this](std::string_view part) { return StatusWidth(part); })));
}

int TMainForm::StatusWidth(std::string_view text) const {
  return QFontMetrics(ui_->Label1->font()).horizontalAdvance(ToQString(text));
}

void TMainForm::SetLastExportFile(const QString& path) {
  rules_.SetLastExportFile(ToBytes(path));
  ui_->ExtViewBut->setEnabled(rules_.Commands().ExtView);
}

void TMainForm::OpenListFile(const QString& path) {
  rules_.QueueFile(ToBytes(path));
  OpenPendingFiles();
}

// A file also waits while a modal dialog is open: a command may be half-way.
void TMainForm::OpenPendingFiles() {
  while (rules_.PendingFileDue()) {
    if (QApplication::activeModalWidget() != nullptr) {
      QTimer::singleShot(kPendingRetryMs, this, &TMainForm::OpenPendingFiles);
      return;
    }
    LoadFile(rules_.TakePendingFile(), false, list_.SortState);
  }
}

// ---- Long operations --------------------------------------------------------------------

void TMainForm::BeginOperation() {
  rules_.BeginOperation();
  SetBusyCursor();
  DisableAllCommands();
}

void TMainForm::EndOperation() {
  const MainWindowRules::AfterOperation next = rules_.EndOperation();
  EnableListCommands();
  SetNormalCursor();
  if (next == MainWindowRules::AfterOperation::Close) close();
  if (next == MainWindowRules::AfterOperation::OpenPendingFiles) {
    QTimer::singleShot(0, this, &TMainForm::OpenPendingFiles);
  }
}

void TMainForm::StartButClick() { RunScan(ScanMode::New); }

void TMainForm::apbutClick() { RunScan(ScanMode::Append); }

void TMainForm::CancelbuttonClick() { rules_.StopRunning(); }

void TMainForm::RunScan(ScanMode mode) {
  if (rules_.Busy()) return;
  if (mode == ScanMode::New && !NewList(true)) return;
  ScanRequest request;
  request.Mode = mode;
  request.Folder = ToBytes(folders_->CurrentFolder());
  request.IncludeSubfolders = options_.Dialog.IncludeSubfolders != 0;
  request.AllDrives = options_.Dialog.SearchAllDrives != 0;

  BeginOperation();
  ui_->StartBut->hide();
  ui_->apbut->hide();
  ui_->Cancelbutton->setEnabled(true);
  ui_->Cancelbutton->show();
  auto measure = [this](std::string_view text) { return StatusWidth(text); };
  ScanContext context{list_, options_, host_, caller_, analyzer_, scanMemory_, measure};
  StartScan(request, context);
  // The list changed under the last export: "Vie&w ext." would show another list.
  rules_.SetLastExportFile({});
  ui_->Cancelbutton->hide();
  ui_->StartBut->show();
  ui_->apbut->show();
  EndOperation();
}

void TMainForm::SaveButClick() {
  if (rules_.Busy()) return;
  if (list_.ItemCount() == 0) {
    WarnMessage(dialogs_, ToQString(ordl_text::kEmptyList));
    return;
  }
  FileDialogRequest request;
  request.Title = ToQString(ui_text::kSaveTitle);
  request.Filter = ToQString(ui_text::kSaveFilter);
  request.Folder = DialogFolder(options_.Dialog.SaveFolder.View());
  request.ProposedName = ToQString(list_.ListFileName());
  request.DefaultSuffix = QStringLiteral("ordl");
  const QString chosen = dialogs_.ChooseSaveFile(request);
  if (chosen.isEmpty()) return;

  bool extensionAdded = false;
  const std::string target = ListFileTarget(ToBytes(chosen), &extensionAdded);
  options_.Dialog.SaveFolder.Set(StoredFolderOf(target));
  // The file dialog asked about the name it returned, not about the one with ".ordl".
  if (extensionAdded && PathExists(target) &&
      dialogs_.AskMessage(ToQString(target) + ToQString(ui_text::kAlreadyExists) + ToQString(ui_text::kReplaceIt),
                          ToQString(ui_text::kReplaceTitle), false, Answer::No) != Answer::Yes) {
    return;
  }
  BeginOperation();
  const Status status = SaveListFile(target, list_, options_);
  EndOperation();
  if (!status.ok()) WarnMessage(dialogs_, ToQString(ordl_text::kCantWrite));
}

void TMainForm::LoadButClick() {
  if (rules_.Busy()) return;
  if (QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier)) options_.Dialog.LoadModeDontShow = 0;
  bool append = false;
  if (!list_.Working().Empty() && options_.Dialog.LoadModeDontShow == 0) {
    TLoadMergeForm form(options_, dialogs_, this);
    if (!dialogs_.RunModal(form)) return;
    append = options_.Dialog.LoadAppend != 0;
  }
  const std::uint8_t previousSortState = list_.SortState;
  FileDialogRequest request;
  request.Title = ToQString(ui_text::kLoadTitle);
  request.Filter = ToQString(ui_text::kLoadFilter);
  request.Folder = DialogFolder(options_.Dialog.LoadFolder.View());
  const QString chosen = dialogs_.ChooseOpenFile(request);
  if (chosen.isEmpty()) return;
  const std::string path = ToBytes(chosen);
  options_.Dialog.LoadFolder.Set(StoredFolderOf(path));
  LoadFile(path, append, previousSortState);
}

// A failed load keeps the list as it was (the reader never leaves part of a file behind), so
// there is nothing to clear afterwards.
void TMainForm::LoadFile(const std::string& path, bool append, std::uint8_t previousSortState) {
  BeginOperation();
  const LoadResult result = LoadListFile(path, true, append, list_, caller_, [this] {
    return ConfirmDiscard(list_, options_.Main.AskSaveThreshold, caller_);
  });
  if (result.Count > 0) {
    if (append) SortAfterAppend(list_, options_, previousSortState, list_.SortState);
    ShowStatus(ToQString(LoadedStatus(append, result.Count, list_.ItemCount())));
  }
  EndOperation();
}

namespace {

// The main window's side of the import command: the open dialog.
class WindowImportHost final : public ImportHost {
 public:
  WindowImportHost(Dialogs& dialogs, std::string homeFolder) : dialogs_(dialogs), homeFolder_(std::move(homeFolder)) {}

  std::string ChooseImportFile(const ImportDialogRequest& request) override {
    FileDialogRequest dialog;
    dialog.Title = ToQString(request.Title);
    dialog.Filter = QtFileFilter(request.Filter);
    dialog.FilterIndex = request.FilterIndex - 1;
    dialog.Folder = ToQString(ResolveDialogFolder(request.InitialFolder, homeFolder_));
    return ToBytes(dialogs_.ChooseOpenFile(dialog));
  }

 private:
  Dialogs& dialogs_;
  std::string homeFolder_;
};

}  // namespace

// The options window stays open beside the main window; GO starts the import itself.
void TMainForm::ImportButClick() {
  // Not while an operation runs, nor twice.
  if (!rules_.Commands().Import) return;
  // The options window is not modal: the commands wait until it closes.
  rules_.HoldCommands(true);
  DisableAllCommands();
  auto* form = new TImportForm(options_, list_, this);
  form->setAttribute(Qt::WA_DeleteOnClose);
  connect(form, &QDialog::finished, this, [this, form] {
    if (form->ImportGo()) {
      QTimer::singleShot(0, this, &TMainForm::RunImport);
      return;
    }
    rules_.HoldCommands(false);
    EnableListCommands();
    QTimer::singleShot(0, this, &TMainForm::OpenPendingFiles);
  });
  form->show();
}

void TMainForm::RunImport() {
  rules_.HoldCommands(false);
  if (rules_.Busy()) {
    EnableListCommands();
    return;
  }
  WindowImportHost importHost(dialogs_, host_.HomeFolder());
  BeginOperation();
  (void)ImportList(list_, options_, HostImportEnvironment(host_), importHost, caller_);
  EndOperation();
}

namespace {

// The main window's side of the export command: the caption window, the save dialog, the
// status line and the busy cursor.
class WindowExportHost final : public ExportHost {
 public:
  WindowExportHost(TMainForm& form, Dialogs& dialogs, std::string homeFolder)
      : form_(form), dialogs_(dialogs), homeFolder_(std::move(homeFolder)) {}

  bool InputCaption(AppOptions& options) override {
    TInputCaptionForm window(options, &form_);
    return dialogs_.RunModal(window);
  }

  std::string ChooseExportFile(const ExportDialogRequest& request) override {
    FileDialogRequest dialog;
    dialog.Title = ToQString(request.Title);
    dialog.Filter = QtFileFilter(request.Filter);
    dialog.FilterIndex = request.FilterIndex - 1;
    dialog.DefaultSuffix = ToQString(request.DefaultExtension);
    dialog.ProposedName = ToQString(request.ProposedName);
    dialog.Folder = ToQString(ResolveDialogFolder(request.InitialFolder, homeFolder_));
    return ToBytes(dialogs_.ChooseSaveFile(dialog));
  }

  std::string StatusText() override { return ToBytes(form_.StatusText()); }

  void SetBusy(bool busy) override {
    if (busy) {
      form_.SetBusyCursor();
    } else {
      form_.SetNormalCursor();
    }
  }

 private:
  TMainForm& form_;
  Dialogs& dialogs_;
  std::string homeFolder_;
};

}  // namespace

void TMainForm::ExportButClick() {
  if (rules_.Busy()) return;
  WindowExportHost exportHost(*this, dialogs_, host_.HomeFolder());
  BeginOperation();
  const bool written = ExportList(list_, options_, host_.ShortDateFormat(), exportMemory_, exportHost, caller_);
  EndOperation();
  if (written) SetLastExportFile(ToQString(exportMemory_.LastExportPath));
}

void TMainForm::OptButClick() {
  if (rules_.Busy()) return;
  (void)OpenOptions(this);
}

TMainForm::OptionsOutcome TMainForm::OpenOptions(QWidget* parent, const std::function<void()>& recolorParent) {
  OptionsWindowSetup setup{options_,
                           dialogs_,
                           host_.ConfigFolder(),
                           host_.HomeFolder(),
                           fadingSupported_,
                           [this, recolorParent] {
                             ApplyWindowColor();
                             if (recolorParent) recolorParent();
                           },
                           [this] { ApplyReplacedOptions(); }};
  TOptform window(setup, parent);
  // Over the viewer it blocks just the viewer and this window; over this window it stays
  // application-modal, so that the import options window cannot start an import meanwhile.
  if (parent != this) window.setWindowModality(Qt::WindowModal);
  dialogs_.RunModal(window);
  return {window.OptionsSaved(), window.Snapshot()};
}

void TMainForm::ApplyReplacedOptions() {
  ApplyWindowColor();
  ApplyFonts();
  ui_->sadcheck->setChecked(options_.Dialog.SearchAllDrives != 0);
  ui_->Incbox->setChecked(options_.Dialog.IncludeSubfolders != 0);
  MoveToStoredPlace(*this, {&options_.Places.MainLeft, &options_.Places.MainTop});
  // The remembered scan folder, or the home folder when it is gone; the selector then says
  // which folder is really shown.
  if (!SelectFolder(DialogFolder(options_.Dialog.LastScanFolder.View()))) SelectFolder(ToQString(host_.HomeFolder()));
  options_.Dialog.LastScanFolder.Set(StoredFolder(ToBytes(folders_->CurrentFolder())));
  EnableListCommands();
}

// The viewer is window-modal: a scan, load or import under it would leave its grid and undo
// image stale. The commands are held while it is open; list files sent meanwhile wait.
void TMainForm::ViewButClick() {
  if (rules_.Busy()) return;
  if (list_.Working().Empty()) {
    WarnMessage(dialogs_, ToQString(ui_text::kNoDataToView));
    ui_->ViewBut->setEnabled(false);
    return;
  }
  rules_.HoldCommands(true);
  DisableAllCommands();
  viewedCount_ = list_.ItemCount();
  ViewerSetup setup{.List = list_,
                    .Options = options_,
                    .Ask = dialogs_,
                    .TempFolder = host_.TempFolder(),
                    .LocaleDateFormat = host_.ShortDateFormat(),
                    .FadingSupported = fadingSupported_,
                    .OversizeWarned = oversizeWarned_,
                    .SaveList = [this] { SaveButClick(); },
                    .ExportList = [this] { ExportButClick(); },
                    .NewList = [this] { NewList(false); },
                    .ShowStatus = [this](const QString& text) { ShowStatus(text); },
                    .RunOptions = [this](QWidget& over, std::function<void()> recolor) -> std::optional<MainOptions> {
                      const OptionsOutcome outcome = OpenOptions(&over, recolor);
                      if (!outcome.Saved) return std::nullopt;
                      return outcome.Before;
                    },
                    .Host = &host_};
  auto* viewer = new TViewForm(setup, this);
  viewer->setAttribute(Qt::WA_DeleteOnClose);
  connect(viewer, &TViewForm::Closed, this, &TMainForm::ViewerClosed);
  viewer->Open();
}

void TMainForm::ViewerClosed() {
  if (list_.ItemCount() != viewedCount_) {
    viewedCount_ = list_.ItemCount();
    ShowStatus(ToQString(ui_text::kAlteredStart) + QString::number(viewedCount_) + ToQString(ui_text::kAlteredEnd));
  }
  rules_.HoldCommands(false);
  EnableListCommands();
  QTimer::singleShot(0, this, &TMainForm::OpenPendingFiles);
}

void TMainForm::ExtViewButClick() {
  if (rules_.LastExportFile().empty()) return;
  dialogs_.OpenDocument(ToQString(rules_.LastExportFile()));
  rules_.GuardExtView(true);
  ui_->ExtViewBut->setEnabled(false);
  timerve_->start();
}

void TMainForm::timerveTimer() {
  rules_.GuardExtView(false);
  ui_->ExtViewBut->setEnabled(rules_.Commands().ExtView);
}

void TMainForm::AboutButClick() {
  TAboutForm about(options_, dialogs_, helpFile_, this);
  dialogs_.RunModal(about);
}

// ---- Selectors and check boxes ----------------------------------------------------------

void TMainForm::sadcheckClick() {
  options_.Dialog.SearchAllDrives = ui_->sadcheck->isChecked() ? 1 : 0;
  EnableListCommands();
}

void TMainForm::IncboxClick() { options_.Dialog.IncludeSubfolders = ui_->Incbox->isChecked() ? 1 : 0; }

// Every mounted volume, and the one holding the remembered folder when it is of another kind.
void TMainForm::FillDrives() {
  ui_->Drive1->clear();
  for (const Volume& volume : host_.Volumes()) {
    QString caption = ToQString(volume.Root);
    if (!volume.Label.empty()) caption += QStringLiteral("  [") + ToQString(volume.Label) + QStringLiteral("]");
    ui_->Drive1->addItem(caption, ToQString(volume.Root));
  }
}

bool TMainForm::SelectFolder(const QString& folder) {
  const QString clean = QDir::cleanPath(folder);
  if (clean.isEmpty() || !IsFolder(ToBytes(clean))) return false;
  const std::optional<Volume> volume = host_.VolumeOf(ToBytes(clean));
  if (!volume) return false;
  const QString root = ToQString(volume->Root);
  int index = ui_->Drive1->findData(root);
  if (index < 0) {
    QString caption = root;
    if (!volume->Label.empty()) caption += QStringLiteral("  [") + ToQString(volume->Label) + QStringLiteral("]");
    ui_->Drive1->addItem(caption, root);
    index = ui_->Drive1->count() - 1;
  }
  ui_->Drive1->setCurrentIndex(index);
  if (folders_->Root() != root) folders_->SetRoot(root);
  return folders_->SetCurrentFolder(clean);
}

void TMainForm::Drive1Change() {
  const QString root = ui_->Drive1->currentData().toString();
  if (!root.isEmpty() && root != folders_->Root()) folders_->SetRoot(root);
}

void TMainForm::Dir1Change(const QString& folder) {
  if (rules_.Activated()) options_.Dialog.LastScanFolder.Set(StoredFolder(ToBytes(folder)));
}

QString TMainForm::DialogFolder(std::string_view stored) const {
  return ToQString(ResolveDialogFolder(stored, host_.HomeFolder()));
}

// ---- Fonts, colours, size ---------------------------------------------------------------

QFont TMainForm::MainFont() const {
  const DialogOptions& dialog = options_.Dialog;
  QFont font(ToQString(dialog.MainFontName.View()));
  // "Courier New" is rarely installed here: fall back to a fixed-pitch face like it.
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSize(ClampMainFontSize(dialog.MainFontSize));
  font.setBold((dialog.MainFontStyle & kFontBold) != 0);
  font.setItalic((dialog.MainFontStyle & kFontItalic) != 0);
  font.setUnderline((dialog.MainFontStyle & kFontUnderline) != 0);
  font.setStrikeOut((dialog.MainFontStyle & kFontStrikeOut) != 0);
  return font;
}

void TMainForm::SetMainFontSize(int size) {
  options_.Dialog.MainFontSize = ClampMainFontSize(size);
  ApplyFonts();
}

void TMainForm::updn1Change(int size) { SetMainFontSize(size); }

void TMainForm::ButFontClick() {
  const std::optional<QFont> chosen = dialogs_.ChooseFont(MainFont());
  if (!chosen) return;
  DialogOptions& dialog = options_.Dialog;
  dialog.MainFontName.Set(ToBytes(chosen->family()));
  // A font chosen by pixel size has no point size; the current size stays then.
  if (chosen->pointSize() > 0) {
    dialog.MainFontSize = ClampMainFontSize(chosen->pointSize());
  }
  std::uint8_t style = 0;
  if (chosen->bold()) style |= kFontBold;
  if (chosen->italic()) style |= kFontItalic;
  if (chosen->underline()) style |= kFontUnderline;
  if (chosen->strikeOut()) style |= kFontStrikeOut;
  dialog.MainFontStyle = style;
  ApplyFonts();
}

void TMainForm::Dir1ContextPopup(const QPoint& position) {
  for (QAction* item : popupMenu_->actions()) {
    if (item->isCheckable())
      item->setChecked(item->objectName() ==
                       QStringLiteral("Size%1").arg(static_cast<int>(options_.Dialog.MainFontSize)));
  }
  popupMenu_->popup(ui_->Dir1->viewport()->mapToGlobal(position));
}

void TMainForm::ApplyFonts() {
  const QFont font = MainFont();
  ui_->Label1->setFont(font);
  ui_->Drive1->setFont(font);
  ui_->Dir1->setFont(font);
  {
    const QSignalBlocker blocker(ui_->updn1);
    ui_->updn1->setValue(options_.Dialog.MainFontSize);
  }
  FixWindowSize(*this, QSize(kClientWidth, kClientHeight));
  ShowStatus(statusText_);
}

void TMainForm::ApplyWindowColor() {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ColorOf(options_.Main.MainWindowColor));
  setPalette(palette);
  setAutoFillBackground(true);
}

// ---- Start-up ---------------------------------------------------------------------------

void TMainForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!rules_.Activated()) FormActivate();
}

void TMainForm::FormActivate() {
  if (rules_.FadeDue()) fader_->FadeIn();
  FillDrives();
  const QString remembered = DialogFolder(options_.Dialog.LastScanFolder.View());
  if (!SelectFolder(remembered)) SelectFolder(ToQString(host_.HomeFolder()));
  rules_.MarkActivated();
  // After the first paint, so the window is there while the list loads.
  QTimer::singleShot(0, this, &TMainForm::LoadStartupList);
}

void TMainForm::LoadStartupList() {
  for (const std::string& path : StartupLists(commandLineFile_, options_)) {
    if (LoadAtStart(path)) return;
  }
  NewList(false);
}

// Silently: a missing start-up list is no reason for a message box.
bool TMainForm::LoadAtStart(const std::string& path) {
  BeginOperation();
  const LoadResult result = LoadListFile(path, false, false, list_, caller_, [] { return true; });
  if (result.Count > 0) ShowStatus(ToQString(LoadedStatus(false, result.Count, list_.ItemCount())));
  EndOperation();
  return result.Count > 0;
}

// ---- Closing ----------------------------------------------------------------------------

void TMainForm::closeEvent(QCloseEvent* event) {
  switch (rules_.RequestClose(fader_->FadedOut(), [this](CloseQuestion question) { return ConfirmClose(question); })) {
    case CloseStep::Stay:
    case CloseStep::AfterOperation: event->ignore(); return;
    case CloseStep::FadeOut:
      fader_->FadeOut();
      event->ignore();
      return;
    case CloseStep::Close: break;
  }
  FormClose();
  event->accept();
}

bool TMainForm::ConfirmClose(CloseQuestion question) {
  const std::string_view text = question == CloseQuestion::Running ? ui_text::kQuitWhileRunning : ui_text::kQuitUnsaved;
  return dialogs_.AskMessage(ToQString(text), ToQString(ui_text::kQuitTitle), false, Answer::No) == Answer::Yes;
}

void TMainForm::FormClose() {
  rules_.StopRunning();
  KeepPlace(*this, {&options_.Places.MainLeft, &options_.Places.MainTop});
  RemoveTemporaryFiles(host_.TempFolder());
  if (!WriteConfiguration(configPath_, options_).ok()) {
    dialogs_.ShowMessage(ToQString(ConfigMessageText(ConfigMessage::WriteFailed)),
                         ToQString(ConfigMessageText(ConfigMessage::WriteFailedTitle)), MessageKind::Error);
  }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->Label1 && event->type() == QEvent::MouseButtonDblClick) {
    Label1DblClick();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TMainForm::Label1DblClick() { dialogs_.ShowMessage(statusText_, QString(), MessageKind::Information); }

}  // namespace ordonna
