// The per-test window: settings folder, settings file, start, and acting inside operations.
#include "ui/WindowSession.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "config/ConfigFile.h"
#include "core/ListEntry.h"
#include "listfile/ListFileCommands.h"
#include "support/Mp3Builder.h"
#include "ui/QtText.h"

namespace ordonna::testing {

AppOptions FactoryOptions() {
  AppOptions options{};
  SetFactoryDefaults(options, FactoryContext{1024, 768, "/tmp"});
  return options;
}

bool ShowAndWait(QWidget& window) {
  window.show();
  return QTest::qWaitForWindowExposed(&window);
}

WindowSession::WindowSession() {
  qputenv("ORDONNA_HOME", QByteArray::fromStdString(home_.Path()));
  host_ = MakeHostPlatform();
}

WindowSession::~WindowSession() { form_.reset(); }

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

bool ClickAndActDuring(QWidget& button, const std::function<void()>& during) {
  bool done = false;
  QTimer timer;
  timer.setInterval(0);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (done) return;
    done = true;
    during();
  });
  timer.start();
  QTest::mouseClick(&button, Qt::LeftButton);
  timer.stop();
  return done;
}

void WriteMp3Files(const std::string& folder, int count, int frames) {
  const std::string bytes = Frames(frames, FrameSpec{}, true);
  for (int i = 1; i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "/song%03d.mp3", i);
    WriteFileBytes(folder + name, bytes);
  }
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

QString LastShown(const ScriptedDialogs& dialogs) {
  return dialogs.Shown.back().Title + QStringLiteral(": ") + dialogs.Shown.back().Text;
}

}  // namespace ordonna::testing
