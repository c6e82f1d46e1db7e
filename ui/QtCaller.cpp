// Caller calls mapped onto the window's dialogs and status line.
#include "ui/QtCaller.h"

#include <QCoreApplication>

#include "ui/Dialogs.h"
#include "ui/QtText.h"

namespace ordonna {

Answer QtCaller::AskYesNo(std::string_view text, std::string_view title, Answer preferred) {
  return dialogs_.AskMessage(ToQString(text), ToQString(title), false, preferred);
}

Answer QtCaller::AskYesNoCancel(std::string_view text, std::string_view title, Answer preferred) {
  return dialogs_.AskMessage(ToQString(text), ToQString(title), true, preferred);
}

void QtCaller::ShowMessage(std::string_view text, std::string_view title, MessageKind kind) {
  dialogs_.ShowMessage(ToQString(text), ToQString(title), kind);
}

void QtCaller::SetStatus(std::string_view text) { showStatus_(ToQString(text)); }

void QtCaller::ProcessEvents() { QCoreApplication::processEvents(); }

}  // namespace ordonna
