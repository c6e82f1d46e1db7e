// The caption input window: its texts, the caption it offers, O&K storing the trimmed caption
// and the Remember box, cancel and Esc changing nothing but its place on the screen.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "config/AppOptions.h"
#include "config/ConfigFile.h"
#include "ui/InputCaption.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

bool Shown(QWidget& window) { return window.show(), QTest::qWaitForWindowExposed(&window); }

}  // namespace

class InputCaptionTest : public QObject {
  Q_OBJECT

 private slots:
  void showsItsTextsAndNoCaptionUnlessRemembered();
  void okStoresTheTrimmedCaptionAndTheRememberBoxAndOffersItAgain();
  void cancelAndEscapeChangeNothingButThePlace();
};

void InputCaptionTest::showsItsTextsAndNoCaptionUnlessRemembered() {
  AppOptions options = FactoryOptions();
  options.Dialog.LastCaption.Set("My mp3s");
  options.Dialog.RememberCaption = 0;
  TInputCaptionForm window(options, nullptr);
  QVERIFY(Shown(window));
  QCOMPARE(window.windowTitle(), QStringLiteral("Input the caption"));
  QCOMPARE(Find<QLabel>(window, "CaptionLabel").text(), QStringLiteral("&Caption text (leave empty for no caption):"));
  auto& remember = Find<QCheckBox>(window, "RememberCheck");
  QCOMPARE(remember.text() + '|' + remember.toolTip(), QStringLiteral("&Remember|Offer the same caption next time"));
  QCOMPARE(Find<QPushButton>(window, "OkBut").text() + '|' + Find<QPushButton>(window, "CancelBut").text(),
           QStringLiteral("O&K|cancel"));
  QVERIFY(window.width() >= 305 && window.height() >= 115);
  QVERIFY(Find<QLineEdit>(window, "CaptionEdit").text().isEmpty() && !remember.isChecked());
}

void InputCaptionTest::okStoresTheTrimmedCaptionAndTheRememberBoxAndOffersItAgain() {
  AppOptions options = FactoryOptions();
  TInputCaptionForm window(options, nullptr);
  QVERIFY(Shown(window));
  QLineEdit& edit = Find<QLineEdit>(window, "CaptionEdit");
  edit.setFocus();
  QTest::keyClicks(&edit, QStringLiteral("  Sigur R"));
  edit.insert(QStringLiteral("\u00f3"));  // typed with a compose key: key clicks are ASCII only
  QTest::keyClicks(&edit, QStringLiteral("s & friends  "));
  QTest::mouseClick(&Find<QCheckBox>(window, "RememberCheck"), Qt::LeftButton);
  QCOMPARE(options.Dialog.RememberCaption, 0);  // only O&K stores it
  QTest::mouseClick(&Find<QPushButton>(window, "OkBut"), Qt::LeftButton);
  QCOMPARE(window.result(), int(QDialog::Accepted));
  QCOMPARE(QString::fromStdString(std::string(options.Dialog.LastCaption.View())),
           QStringLiteral("Sigur R\u00f3s & friends"));
  QCOMPARE(options.Dialog.RememberCaption, 1);

  TInputCaptionForm again(options, nullptr);
  QVERIFY(Shown(again));
  auto& offered = Find<QLineEdit>(again, "CaptionEdit");
  QCOMPARE(offered.text(), QStringLiteral("Sigur R\u00f3s & friends"));
  QVERIFY(Find<QCheckBox>(again, "RememberCheck").isChecked());
  offered.clear();
  QTest::keyClick(&offered, Qt::Key_Return);
  QCOMPARE(again.result(), int(QDialog::Accepted));
  QVERIFY2(options.Dialog.LastCaption.Empty(), "an empty caption is stored as empty");
}

// Only the place where the window was closed is kept.
void InputCaptionTest::cancelAndEscapeChangeNothingButThePlace() {
  AppOptions options = FactoryOptions();
  options.Dialog.LastCaption.Set("kept");
  options.Places.CaptionLeft = 120;
  options.Places.CaptionTop = 90;
  for (bool escape : {false, true}) {
    const AppOptions before = options;
    TInputCaptionForm window(options, nullptr);
    QVERIFY(Shown(window));
    QCOMPARE(window.pos(), QPoint(before.Places.CaptionLeft, before.Places.CaptionTop));
    Find<QLineEdit>(window, "CaptionEdit").setText(QStringLiteral("typed"));
    Find<QCheckBox>(window, "RememberCheck").setChecked(true);
    window.move(200 + escape, 150);
    if (escape) {
      QTest::keyClick(&window, Qt::Key_Escape);
    } else {
      QTest::mouseClick(&Find<QPushButton>(window, "CancelBut"), Qt::LeftButton);
    }
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QCOMPARE(std::string(options.Dialog.LastCaption.View()), std::string("kept"));
    QCOMPARE(options.Dialog.RememberCaption, before.Dialog.RememberCaption);
    QCOMPARE(QPoint(options.Places.CaptionLeft, options.Places.CaptionTop), QPoint(200 + escape, 150));
  }
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::InputCaptionTest)
#include "InputCaptionTest.moc"
