// ordonna: the windowed program. One copy per user: a later start hands its list file to
// the running copy and ends. Then the list file type is registered, the configuration
// loaded and the main window shown.
#include <memory>
#include <string>

#include <QApplication>
#include <QGuiApplication>
#include <QStringList>

#include "platform/FileSystem.h"
#include "platform/FileTypeRegistration.h"
#include "platform/Platform.h"
#include "platform/RunFolder.h"
#include "platform/SingleInstance.h"
#include "ui/Dialogs.h"
#include "ui/MainUnit.h"
#include "ui/QtText.h"
#include "ui/UiMessages.h"

namespace {

constexpr char kInstanceName[] = "OrdonnaOne";

// Window systems that can make a top-level window translucent.
bool WindowOpacitySupported() {
  const QString platform = QGuiApplication::platformName();
  return platform == QStringLiteral("xcb") || platform == QStringLiteral("windows") ||
         platform == QStringLiteral("cocoa");
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace ordonna;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Ordonna"));
  QApplication::setApplicationVersion(QStringLiteral(ORDONNA_VERSION));

  // At most one argument: a list file. The running copy has another working folder, so the
  // name travels as an absolute path (as given when this copy's folder is gone).
  const QStringList arguments = QApplication::arguments().mid(1);
  std::string listFile;
  if (arguments.size() == 1) {
    listFile = AbsolutePath(ToBytes(arguments.front()));
    if (listFile.empty()) listFile = ToBytes(arguments.front());
  }
  std::unique_ptr<Platform> host = MakeHostPlatform();
  QtDialogs dialogs;

  std::unique_ptr<SingleInstance> instance = AcquireSingleInstance(host->TempFolder(), kInstanceName);
  if (!instance) {
    SendToRunningInstance(host->TempFolder(), kInstanceName, listFile);
    QString text = ToQString(ui_text::kAlreadyRunning);
    if (!listFile.empty()) text += ToQString(ui_text::kNoMultipleLists);
    dialogs.ShowMessage(text, ToQString(ui_text::kAlreadyRunningTitle), MessageKind::Warning);
    return 0;
  }

  // The fixed temporary names are this copy's; command-line runs that were killed may have
  // left folders of their own beside them.
  RemoveEndedRunFolders(host->TempFolder());

  switch (RegisterListFileType(UserDataHome(), ToBytes(QApplication::applicationFilePath()))) {
    case FileTypeResult::CannotStart: WarnMessage(dialogs, ToQString(ui_text::kCantRegister)); break;
    case FileTypeResult::Incomplete: WarnMessage(dialogs, ToQString(ui_text::kRegisterIncomplete)); break;
    case FileTypeResult::Unchanged:
    case FileTypeResult::Registered: break;
  }

  MainFormSetup setup{*host, dialogs, WindowOpacitySupported(), listFile,
                      QApplication::applicationDirPath() + QStringLiteral("/ordonna.local.help.html")};
  TMainForm form(setup);
  dialogs.SetParent(&form);
  if (!form.LoadSettings()) return 1;
  form.WatchInstance(*instance);
  form.show();
  return QApplication::exec();
}
