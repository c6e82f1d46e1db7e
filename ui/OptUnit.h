// The options window: every control writes its option of MainOptions at once; "O&K" saves
// the configuration, "&CANCEL", Esc and the close box put the block back as it was when the
// window opened. Its rules (numbers, header row, warnings, cancel) are OptionsWindowRules.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QDialog>
#include <QFont>

#include "config/AppOptions.h"
#include "ui/logic/OptionsWindowRules.h"

class QLineEdit;
class QTimer;
class QWidget;

namespace Ui {
class TOptform;
}

namespace ordonna {

class Dialogs;
class WindowFader;

// What the window needs from the program.
struct OptionsWindowSetup {
  AppOptions& Options;
  Dialogs& Ask;
  std::string ConfigFolder;  // holds "ordonna.ini"; the factory options folder
  std::string HomeFolder;    // where folders stored as "c:\" open
  bool FadingSupported = false;
  // A window colour changed: the windows apply their colours.
  std::function<void()> WindowColorsChanged;
  // The whole record was replaced (loaded or reset): the program applies it as at start.
  std::function<void()> OptionsReplaced;
};

class TOptform final : public QDialog {
  Q_OBJECT

 public:
  // The setup's references must outlive the window. Run it modally.
  TOptform(const OptionsWindowSetup& setup, QWidget* parent);
  ~TOptform() override;

  // Left with "O&K" or "&Reset ALL options": the options were saved and stay.
  bool OptionsSaved() const { return saved_; }
  // MainOptions as it was when the window opened.
  const MainOptions& Snapshot() const { return rules_.Snapshot(); }

  // Every way of leaving ends here.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  enum class MessageFile { TextHeader, HtmlHeader, TextFooter, HtmlFooter, StartupList };
  struct NumberEdit {
    QLineEdit* Edit;
    std::string_view Field;  // its name in the settings' field table
  };

  void FillChoices();
  void ShowOptions();
  void ShowDependentControls();
  void ShowColors();
  void ShowFileHints();
  void ApplyOwnColor();
  void ApplyWindowColors();

  void NumberEdited(const NumberEdit& number, const QString& text);
  void NumberLeft(const NumberEdit& number);
  void ShowNumberValidity(const NumberEdit& number, bool valid);
  void HeaderRowTabsClick();
  void MarkChanged(const std::vector<HeaderRowSetting>& changed);
  void ExportTypeChange(int index);
  void DelimiterChange(int index);
  void ErrorInfoStyleChange(int index);
  void UseOwnHtmlTagsClick();
  void PlainHtmlStyledClick();
  void ColorPanelClick(ColorPanel panel);
  void FontButClick(bool captionFont);
  void ChooseMessageFile(MessageFile file);
  void Warn(const std::optional<OptionsMessage>& message, std::string_view title);

  void OkButClick();
  void CancelButClick();
  void DefaultsButClick();
  void SaveAsButClick();
  void LoadFromButClick();
  void ResetButClick();
  bool SaveConfiguration();
  bool FadeDue() const;

  std::unique_ptr<Ui::TOptform> ui_;
  AppOptions& options_;
  Dialogs& dialogs_;
  const std::string configFolder_;
  const std::string homeFolder_;
  const bool fadingSupported_;
  std::function<void()> windowColorsChanged_;
  std::function<void()> optionsReplaced_;
  OptionsWindowRules rules_;
  std::vector<NumberEdit> numbers_;
  QFont askSaveFont_;  // the threshold field's font before it shrinks for five digits
  QTimer* captionTimer_;
  std::vector<QWidget*> markedCaptions_;
  WindowFader* fader_;
  bool saved_ = false;
  bool left_ = false;
  int closeResult_ = QDialog::Rejected;
};

}  // namespace ordonna
