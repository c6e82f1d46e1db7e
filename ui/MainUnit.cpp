// The main window's controls, commands, start-up and close. Commands gather input, call one
// library operation and show its result; the list and file logic live in the library.
#include "ui/MainUnit.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLayout>
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
#include "config/WindowPlacement.h"
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
#include "ui/QtText.h"
#include "ui/UiMessages.h"
#include "ui_MainUnit.h"

namespace ordonna {
namespace {

// The window's client area when every text fits; larger fonts make it grow.
constexpr int kClientWidth = 276;
constexpr int kClientHeight = 333;
// Status texts wider than this lose their first characters.
constexpr int kStatusWidth = 264;
constexpr int kMinFontSize = 4;
constexpr int kMaxFontSize = 32;
constexpr int kFadeStep = 15;
constexpr int kFadeIntervalMs = 15;
// "Vie&w ext." stays disabled this long after it started a program, against double starts.
constexpr int kExtViewGuardMs = 5000;
// How often a list file sent by a later copy checks whether the dialogs are closed.
constexpr int kPendingRetryMs = 250;
constexpr std::array<int, 7> kPopupSizes = {6, 8, 9, 10, 11, 12, 16};
constexpr std::array<const char*, 7> kPopupCaptions = {"size=&6",  "size=&8",  "size=&9", "size=1&0 (default)",
                                                       "size=1&1", "size=1&2", "si&ze=16"};

// Font style bits of the option record.
constexpr std::uint8_t kBold = 1;
constexpr std::uint8_t kItalic = 2;
constexpr std::uint8_t kUnderline = 4;
constexpr std::uint8_t kStrikeOut = 8;

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
      fadingSupported_(setup.FadingSupported),
      commandLineFile_(setup.CommandLineFile),
      helpFile_(setup.HelpFile),
      statusText_(ToQString(ui_text::kReady)),
      caller_(
          setup.Ask, [this](const QString& text) { ShowStatus(text); }, running_) {
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
  blendTimer_ = new QTimer(this);
  blendTimer_->setObjectName(QStringLiteral("BlendTimer"));
  blendTimer_->setInterval(kFadeIntervalMs);

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
  connect(blendTimer_, &QTimer::timeout, this, &TMainForm::BlendTimerTimer);

  // Keys of the whole window: Esc cancels, "+" and "-" change the font size.
  auto addKey = [this](QKeySequence key, auto handler) {
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, handler);
  };
  addKey(QKeySequence(Qt::Key_Escape), [this] { running_ = false; });
  addKey(QKeySequence(Qt::Key_Plus), [this] { SetMainFontSize(options_.Dialog.MainFontSize + 1); });
  addKey(QKeySequence(Qt::KeypadModifier | Qt::Key_Plus),
         [this] { SetMainFontSize(options_.Dialog.MainFontSize + 1); });
  addKey(QKeySequence(Qt::Key_Minus), [this] { SetMainFontSize(options_.Dialog.MainFontSize - 1); });
  addKey(QKeySequence(Qt::KeypadModifier | Qt::Key_Minus),
         [this] { SetMainFontSize(options_.Dialog.MainFontSize - 1); });

  // Until the start-up list is in: only what works on an empty list.
  EnableListCommands();
  if (fadingSupported_) {
    opacity_ = 0;
    setWindowOpacity(0.0);
  }
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
  if (!fadingSupported_ || options_.Main.FadeMain == 0) {
    opacity_ = 255;
    setWindowOpacity(1.0);
  }
  ApplyWindowColor();
  ApplyFonts();
  const bool allDrives = options_.Dialog.SearchAllDrives != 0;
  ui_->sadcheck->setChecked(allDrives);
  ui_->Incbox->setChecked(options_.Dialog.IncludeSubfolders != 0);
  EnableListCommands();

  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  WindowPlaces& places = options_.Places;
  const WindowPosition placed =
      PlaceWindow({places.MainLeft, places.MainTop}, width(), height(), screen.width(), screen.height());
  places.MainLeft = placed.Left;
  places.MainTop = placed.Top;
  move(placed.Left, placed.Top);
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
  ui_->ViewBut->setEnabled(false);
  ui_->ExportBut->setEnabled(false);
  ui_->SaveBut->setEnabled(false);
  return true;
}

void TMainForm::EnableListCommands() {
  const bool hasItems = !list_.Working().Empty();
  for (QWidget* control : {static_cast<QWidget*>(ui_->SaveBut), static_cast<QWidget*>(ui_->ExportBut),
                           static_cast<QWidget*>(ui_->ViewBut), static_cast<QWidget*>(ui_->apbut)}) {
    control->setEnabled(hasItems);
  }
  for (QWidget* control :
       {static_cast<QWidget*>(ui_->StartBut), static_cast<QWidget*>(ui_->LoadBut),
        static_cast<QWidget*>(ui_->ImportBut), static_cast<QWidget*>(ui_->OptBut), static_cast<QWidget*>(ui_->ButFont),
        static_cast<QWidget*>(ui_->updn1), static_cast<QWidget*>(ui_->sadcheck)}) {
    control->setEnabled(true);
  }
  const bool selectors = options_.Dialog.SearchAllDrives == 0;
  ui_->Drive1->setEnabled(selectors);
  ui_->Dir1->setEnabled(selectors);
  ui_->Incbox->setEnabled(selectors);
  ui_->ExtViewBut->setEnabled(!lastExportFile_.isEmpty() && !timerve_->isActive());
}

void TMainForm::DisableAllCommands() {
  for (QWidget* control :
       {static_cast<QWidget*>(ui_->StartBut), static_cast<QWidget*>(ui_->apbut), static_cast<QWidget*>(ui_->SaveBut),
        static_cast<QWidget*>(ui_->LoadBut), static_cast<QWidget*>(ui_->ImportBut),
        static_cast<QWidget*>(ui_->ExportBut), static_cast<QWidget*>(ui_->ViewBut),
        static_cast<QWidget*>(ui_->ExtViewBut), static_cast<QWidget*>(ui_->OptBut), static_cast<QWidget*>(ui_->ButFont),
        static_cast<QWidget*>(ui_->updn1), static_cast<QWidget*>(ui_->Drive1), static_cast<QWidget*>(ui_->Dir1),
        static_cast<QWidget*>(ui_->sadcheck), static_cast<QWidget*>(ui_->Incbox)}) {
    control->setEnabled(false);
  }
}

void TMainForm::SetBusyCursor() { setCursor(Qt::WaitCursor); }

void TMainForm::SetNormalCursor() { unsetCursor(); }

void TMainForm::ShowStatus(const QString& text) {
  statusText_ = text;
  ui_->Label1->setText(FitStatus(text));
}

int TMainForm::StatusWidth(const QString& text) const {
  return QFontMetrics(ui_->Label1->font()).horizontalAdvance(text);
}

// The first characters give way to "..." one at a time until the text fits. The width only
// shrinks as characters go, so the first start that fits is found by halving.
QString TMainForm::FitStatus(const QString& text) const {
  if (StatusWidth(text) <= kStatusWidth) return text;
  const QString dots = QStringLiteral("...");
  std::vector<qsizetype> starts;  // character starts, so a surrogate pair is never split
  for (qsizetype i = 1; i < text.size(); ++i) {
    if (!text.at(i).isLowSurrogate()) starts.push_back(i);
  }
  std::size_t low = 0;
  std::size_t high = starts.size();  // starts.size() stands for "nothing left but dots"
  while (low < high) {
    const std::size_t middle = (low + high) / 2;
    if (StatusWidth(dots + text.mid(starts[middle])) <= kStatusWidth) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low == starts.size() ? dots : dots + text.mid(starts[low]);
}

void TMainForm::SetLastExportFile(const QString& path) {
  lastExportFile_ = path;
  ui_->ExtViewBut->setEnabled(!busy_ && !path.isEmpty() && !timerve_->isActive());
}

void TMainForm::OpenListFile(const QString& path) {
  pendingFiles_.push_back(path);
  OpenPendingFiles();
}

// A file waits while an operation runs or a dialog is open (a command half-way, between its
// dialog and its work, must not find another list under it).
void TMainForm::OpenPendingFiles() {
  while (!pendingFiles_.empty() && !busy_ && !closeAgreed_ && importForm_ == nullptr) {
    if (QApplication::activeModalWidget() != nullptr) {
      QTimer::singleShot(kPendingRetryMs, this, &TMainForm::OpenPendingFiles);
      return;
    }
    const QString path = pendingFiles_.front();
    pendingFiles_.pop_front();
    LoadFile(ToBytes(path), false, list_.SortState);
  }
}

// ---- Long operations --------------------------------------------------------------------

void TMainForm::BeginOperation() {
  busy_ = true;
  running_ = true;
  SetBusyCursor();
  DisableAllCommands();
}

void TMainForm::EndOperation() {
  running_ = false;
  busy_ = false;
  EnableListCommands();
  SetNormalCursor();
  if (closePending_) {
    // The user agreed to close while the operation ran; only now is the list free.
    closePending_ = false;
    close();
    return;
  }
  if (!pendingFiles_.empty()) QTimer::singleShot(0, this, &TMainForm::OpenPendingFiles);
}

void TMainForm::StartButClick() { RunScan(ScanMode::New); }

void TMainForm::apbutClick() { RunScan(ScanMode::Append); }

void TMainForm::CancelbuttonClick() { running_ = false; }

void TMainForm::RunScan(ScanMode mode) {
  if (busy_) return;
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
  ScanContext context{list_, options_, host_, caller_, analyzer_, scanMemory_, [this](std::string_view text) {
                        return StatusWidth(ToQString(text));
                      }};
  StartScan(request, context);
  // The list changed under the last export: "Vie&w ext." would show another list.
  lastExportFile_.clear();
  ui_->Cancelbutton->hide();
  ui_->StartBut->show();
  ui_->apbut->show();
  EndOperation();
}

void TMainForm::SaveButClick() {
  if (busy_) return;
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
  if (busy_) return;
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
  if (busy_ || importForm_) return;
  // The options window is not modal: the commands wait until it closes.
  DisableAllCommands();
  importForm_ = new TImportForm(options_, list_, this);
  importForm_->setAttribute(Qt::WA_DeleteOnClose);
  connect(importForm_, &QDialog::finished, this, [this] {
    if (importForm_ != nullptr && importForm_->ImportGo()) {
      QTimer::singleShot(0, this, &TMainForm::RunImport);
      return;
    }
    EnableListCommands();
    if (!pendingFiles_.empty()) QTimer::singleShot(0, this, &TMainForm::OpenPendingFiles);
  });
  importForm_->show();
}

void TMainForm::RunImport() {
  if (busy_) {
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
  if (busy_) return;
  WindowExportHost exportHost(*this, dialogs_, host_.HomeFolder());
  BeginOperation();
  const bool written = ExportList(list_, options_, host_.ShortDateFormat(), exportMemory_, exportHost, caller_);
  EndOperation();
  if (written) SetLastExportFile(ToQString(exportMemory_.LastExportPath));
}

void TMainForm::OptButClick() {
  if (busy_) return;
  NotAvailable(QStringLiteral("The options window"));
}

void TMainForm::ViewButClick() {
  if (list_.Working().Empty()) {
    WarnMessage(dialogs_, ToQString(ui_text::kNoDataToView));
    ui_->ViewBut->setEnabled(false);
    return;
  }
  NotAvailable(QStringLiteral("The viewer"));
}

void TMainForm::NotAvailable(const QString& command) {
  dialogs_.ShowMessage(command + ToQString(ui_text::kNotAvailableYet), QStringLiteral(" Ordonna"),
                       MessageKind::Information);
}

void TMainForm::ExtViewButClick() {
  if (lastExportFile_.isEmpty()) return;
  dialogs_.OpenDocument(lastExportFile_);
  ui_->ExtViewBut->setEnabled(false);
  timerve_->start();
}

void TMainForm::timerveTimer() { ui_->ExtViewBut->setEnabled(!busy_ && !lastExportFile_.isEmpty()); }

void TMainForm::AboutButClick() {
  TAboutForm about(options_, dialogs_, helpFile_, this);
  dialogs_.RunModal(about);
}

// ---- Selectors and check boxes ----------------------------------------------------------

void TMainForm::sadcheckClick() {
  const bool allDrives = ui_->sadcheck->isChecked();
  options_.Dialog.SearchAllDrives = allDrives ? 1 : 0;
  ui_->Drive1->setEnabled(!allDrives);
  ui_->Dir1->setEnabled(!allDrives);
  ui_->Incbox->setEnabled(!allDrives);
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
  if (activatedOnce_) options_.Dialog.LastScanFolder.Set(StoredFolder(ToBytes(folder)));
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
  font.setPointSize(std::clamp(static_cast<int>(dialog.MainFontSize), kMinFontSize, kMaxFontSize));
  font.setBold((dialog.MainFontStyle & kBold) != 0);
  font.setItalic((dialog.MainFontStyle & kItalic) != 0);
  font.setUnderline((dialog.MainFontStyle & kUnderline) != 0);
  font.setStrikeOut((dialog.MainFontStyle & kStrikeOut) != 0);
  return font;
}

void TMainForm::SetMainFontSize(int size) {
  options_.Dialog.MainFontSize = static_cast<std::uint8_t>(std::clamp(size, kMinFontSize, kMaxFontSize));
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
    dialog.MainFontSize = static_cast<std::uint8_t>(std::clamp(chosen->pointSize(), kMinFontSize, kMaxFontSize));
  }
  std::uint8_t style = 0;
  if (chosen->bold()) style |= kBold;
  if (chosen->italic()) style |= kItalic;
  if (chosen->underline()) style |= kUnderline;
  if (chosen->strikeOut()) style |= kStrikeOut;
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
  FitWindowSize();
  ShowStatus(statusText_);
}

void TMainForm::ApplyWindowColor() {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ColorOf(options_.Main.MainWindowColor));
  setPalette(palette);
  setAutoFillBackground(true);
}

// The described client area, or more when larger fonts need the room.
void TMainForm::FitWindowSize() {
  layout()->activate();
  setFixedSize(layout()->minimumSize().expandedTo(QSize(kClientWidth, kClientHeight)));
}

// ---- Start-up ---------------------------------------------------------------------------

void TMainForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!activatedOnce_) FormActivate();
}

void TMainForm::FormActivate() {
  if (fadingSupported_ && options_.Main.FadeMain == 1) StartFade(Fade::In);
  FillDrives();
  const QString remembered = DialogFolder(options_.Dialog.LastScanFolder.View());
  if (!SelectFolder(remembered)) SelectFolder(ToQString(host_.HomeFolder()));
  activatedOnce_ = true;
  // After the first paint, so the window is there while the list loads.
  QTimer::singleShot(0, this, &TMainForm::LoadStartupList);
}

void TMainForm::LoadStartupList() {
  if (!commandLineFile_.empty() && LoadAtStart(commandLineFile_)) return;
  const DialogOptions& dialog = options_.Dialog;
  std::string name;
  if (options_.Main.StartupLoad == 1) name = std::string(dialog.LastSavedList.View());
  if (options_.Main.StartupLoad == 2) name = std::string(options_.Main.StartupListFile.View());
  if (!name.empty() && LoadAtStart(name)) return;
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

// ---- Fading and closing -----------------------------------------------------------------

void TMainForm::StartFade(Fade direction) {
  fade_ = direction;
  blendTimer_->start();
}

void TMainForm::BlendTimerTimer() {
  const bool fading = fadingSupported_ && options_.Main.FadeMain != 0;
  if (fading && fade_ == Fade::In && opacity_ < 255) {
    opacity_ = std::min(255, opacity_ + kFadeStep);
    setWindowOpacity(opacity_ / 255.0);
    return;
  }
  if (fading && fade_ == Fade::Out && opacity_ >= kFadeStep) {
    opacity_ -= kFadeStep;
    setWindowOpacity(opacity_ / 255.0);
    return;
  }
  blendTimer_->stop();
  const Fade ended = fade_;
  fade_ = Fade::None;
  if (ended == Fade::In && opacity_ < 255) {
    // Fading was switched off half-way: never leave the window translucent.
    opacity_ = 255;
    setWindowOpacity(1.0);
  }
  if (ended == Fade::Out) {
    fadedOut_ = true;
    close();
  }
}

bool TMainForm::UnsavedQuestionDue() const {
  const std::uint16_t threshold = options_.Main.AskSaveThreshold;
  return threshold != 0 && list_.Unsaved && list_.ItemCount() >= threshold;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!closeAgreed_) {
    if (running_) {
      if (dialogs_.AskMessage(ToQString(ui_text::kQuitWhileRunning), ToQString(ui_text::kQuitTitle), false,
                              Answer::No) != Answer::Yes) {
        event->ignore();
        return;
      }
    } else if (UnsavedQuestionDue() &&
               dialogs_.AskMessage(ToQString(ui_text::kQuitUnsaved), ToQString(ui_text::kQuitTitle), false,
                                   Answer::No) != Answer::Yes) {
      event->ignore();
      return;
    }
    closeAgreed_ = true;
  }
  if (busy_) {
    // Never under a running operation: it stops at its next test of the flag, and its end
    // closes the window.
    running_ = false;
    closePending_ = true;
    event->ignore();
    return;
  }
  if (fadingSupported_ && options_.Main.FadeMain == 1 && !fadedOut_) {
    if (fade_ != Fade::Out) StartFade(Fade::Out);
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void TMainForm::FormClose() {
  running_ = false;
  options_.Places.MainLeft = x();
  options_.Places.MainTop = y();
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
