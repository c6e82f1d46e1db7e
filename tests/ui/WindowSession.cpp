// The per-test window: scripted dialogs, settings folder, settings file, start, and acting inside
// operations.
#include "ui/WindowSession.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "config/ConfigFile.h"
#include "core/ListEntry.h"
#include "core/ListStore.h"
#include "listfile/ListFileCommands.h"
#include "ui/QtText.h"

namespace ordonna::testing {
namespace {

// The front of `queue`, taken off it; nothing when it is empty.
template <class T>
std::optional<T> Pop(std::deque<T>& queue) {
  if (queue.empty()) return std::nullopt;
  T value = std::move(queue.front());
  queue.pop_front();
  return value;
}

}  // namespace

Answer ScriptedDialogs::AskMessage(const QString& text, const QString& title, bool /*withCancel*/, Answer preferred) {
  Asked.push_back(text);
  const auto reply = Pop(questions_);
  if (!reply || (!reply->first.isEmpty() && reply->first != text))
    Unexpected.push_back(QStringLiteral("question: %1 (%2; expected: %3)").arg(text, title, reply ? reply->first : ""));
  return reply ? reply->second : preferred;
}

QString ScriptedDialogs::NextFile(const FileDialogRequest& request) {
  const std::optional<QString> path = Pop(files_);
  if (!path) Unexpected.push_back(QStringLiteral("file dialog: ") + request.Title);
  return path.value_or(QString());
}

std::optional<QFont> ScriptedDialogs::ChooseFont(const QFont& initial) {
  const std::optional<std::optional<QFont>> font = Pop(fonts_);
  if (!font) Unexpected.push_back(QStringLiteral("font dialog from ") + initial.family());
  return font.value_or(std::nullopt);
}

std::optional<QColor> ScriptedDialogs::ChooseColor(const QColor& initial, std::array<QColor, 16>& customColors) {
  const auto reply = Pop(colors_);
  if (!reply) Unexpected.push_back(QStringLiteral("colour picker from ") + initial.name());
  if (reply && reply->second) reply->second(customColors);
  return reply ? reply->first : std::nullopt;
}

bool ScriptedDialogs::RunModal(QDialog& dialog) {
  const std::optional<std::function<void(QDialog&)>> run = Pop(modals_);
  if (!run) {
    Unexpected.push_back(QStringLiteral("modal window: ") + dialog.windowTitle());
    return false;
  }
  (*run)(dialog);
  return dialog.result() == QDialog::Accepted;
}

bool ShowAndWait(QWidget& window) {
  window.show();
  return QTest::qWaitForWindowExposed(&window);
}

WindowSession::WindowSession() {
  qputenv("ORDONNA_HOME", QByteArray::fromStdString(home_.Path()));
  host_ = MakeHostPlatform();
}

void WindowSession::WriteSettings(const std::function<void(AppOptions&)>& change) {
  AppOptions options{};
  SetFactoryDefaults(options, FactoryContext{1024, 768, home_.Path()});
  change(options);
  if (!WriteConfiguration(home_.File("ordonna.ini"), options).ok()) qFatal("cannot write the settings file");
}

TMainForm& WindowSession::Start(const std::string& commandLineFile, bool fadingSupported) {
  MainFormSetup setup{*host_, dialogs, fadingSupported, commandLineFile,
                      QString::fromStdString(home_.File("help.html"))};
  form_ = std::make_unique<TMainForm>(setup);
  if (!form_->LoadSettings()) qFatal("the window could not load its settings");
  if (!ShowAndWait(*form_)) qFatal("the window was not shown");
  // The start-up list loads from the event loop once the window is up.
  QTest::qWait(20);
  return *form_;
}

ListEntry NamedEntry(const std::string& name, const std::string& folder) {
  ListEntry entry = UndeterminedEntry();
  entry.FileName.Set(name);
  entry.Folder.Set(folder);
  return entry;
}

void WriteList(const std::string& path, int count) {
  EntryList entries;
  for (int i = 0; i < count; ++i) entries.AppendEntry(NamedEntry("title " + std::to_string(i), "/music"));
  if (!WriteListFile(path, entries, kNoSortOrder).ok()) qFatal("cannot write %s", path.c_str());
}

TMainForm& StartWithNames(WindowSession& session, const std::vector<std::string>& names,
                          const std::function<void(AppOptions&)>& change) {
  session.WriteSettings([&](AppOptions& o) {
    o.Dialog.ViewerMaximized = 0;
    if (change) change(o);
  });
  TMainForm& form = session.Start();
  for (const std::string& name : names) form.List().AppendEntry(NamedEntry(name, "/music"));
  form.List().SortState = kNoSortOrder;
  form.EnableListCommands();
  return form;
}

TViewForm& OpenViewer(TMainForm& form) {
  QTest::mouseClick(&Find<QPushButton>(form, "ViewBut"), Qt::LeftButton);
  auto* viewer = form.findChild<TViewForm*>();
  if (viewer == nullptr) qFatal("View opened no viewer");
  if (!QTest::qWaitFor([viewer] { return viewer->isActiveWindow(); })) qFatal("the viewer is not active");
  return *viewer;
}

QString Names(const ListStore& list) {
  QStringList names;
  for (const ListEntry& entry : list.Working().Entries()) names << ToQString(entry.FileName.View());
  return names.join('|');
}

bool ClickWhenShown(QDialog& dialog, const char* name) {
  auto& button = Find<QPushButton>(dialog, name);
  if (!QTest::qWaitFor([&] { return button.isVisible() && button.isEnabled(); }, 5000)) return false;
  QTest::mouseClick(&button, Qt::LeftButton);
  return true;
}

std::function<void(QDialog&)> PlayProgress(QString& finish, std::vector<const char*> answers) {
  return [&finish, answers](QDialog& dialog) {
    dialog.show();
    for (const char* answer : answers) QVERIFY(ClickWhenShown(dialog, answer));
    auto& close = Find<QPushButton>(dialog, "CloseBut");
    QVERIFY(QTest::qWaitFor([&] { return close.isVisible() || !dialog.isVisible(); }, 5000));
    finish = QStringLiteral("%1 %2 log %3")
                 .arg(close.text(), Find<QLabel>(dialog, "FinishLabel").text())
                 .arg(Find<QListWidget>(dialog, "LogList").count());
    if (dialog.isVisible()) QTest::mouseClick(&close, Qt::LeftButton);
  };
}

void CheckViewerFollowsTheList(WindowSession& session, TViewForm& viewer, const QString& names, bool unsaved) {
  const ListStore& list = session.Form().List();
  QCOMPARE(Names(list), names);
  QCOMPARE(list.Unsaved, unsaved);
  QCOMPARE(Find<QTableView>(viewer, "SG1").model()->rowCount(), static_cast<int>(list.ItemCount()));
  QVERIFY(!Find<QPushButton>(viewer, "UndoBut").isEnabled());
  QVERIFY(Find<QWidget>(viewer, "Panel1").isEnabled());
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

}  // namespace ordonna::testing
