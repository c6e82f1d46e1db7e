// The controls the duplicates search and comparison settings windows share: the percentage
// slider with its scale, and the limits (high characters, bitrate, first letter, size and
// time differences). Each control writes its option at once.
#pragma once

#include <cstdint>
#include <optional>

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>
#include <QString>

#include "config/AppOptions.h"

class QWidget;

namespace ordonna {

// A whole number no greater than `limit`, or nothing (the setting keeps its value).
std::optional<int> NumberUpTo(const QString& text, int limit);

// Labels "50" ... "95" under the slider's ticks, then "100 %", placed on `window`.
void AddPercentScale(QWidget& window, const QSlider& slider);

// `Form` is a window's generated form holding the shared controls by their names.
template <class Form>
void ConnectMatchLimits(QObject& owner, Form& form, DialogOptions& dialog) {
  QObject::connect(form.TrackBar1, &QSlider::valueChanged, &owner,
                   [&dialog](int value) { dialog.MatchPercent = static_cast<std::uint8_t>(value); });
  QObject::connect(form.HighCheck, &QCheckBox::toggled, &owner, [&dialog](bool on) { dialog.MatchHighChars = on; });
  QObject::connect(form.Bitcheck, &QCheckBox::toggled, &owner, [&dialog](bool on) { dialog.BitrateMustMatch = on; });
  QObject::connect(form.LetterCheck, &QCheckBox::toggled, &owner, [&dialog](bool on) { dialog.LetterCheck = on; });
  QObject::connect(form.sizedifcheck, &QCheckBox::toggled, &owner, [&form, &dialog](bool on) {
    dialog.SizeMayDiffer = on;
    form.SizeEdit->setEnabled(on);
  });
  QObject::connect(form.timedifcheck, &QCheckBox::toggled, &owner, [&form, &dialog](bool on) {
    dialog.TimeMayDiffer = on;
    form.TimeEdit->setEnabled(on);
  });
  QObject::connect(form.SizeEdit, &QLineEdit::textEdited, &owner, [&dialog](const QString& text) {
    if (std::optional<int> value = NumberUpTo(text, 9999)) dialog.SizeDiffKB = static_cast<std::uint16_t>(*value);
  });
  QObject::connect(form.TimeEdit, &QLineEdit::textEdited, &owner, [&dialog](const QString& text) {
    if (std::optional<int> value = NumberUpTo(text, 99)) dialog.TimeDiffSec = static_cast<std::uint16_t>(*value);
  });
  QObject::connect(form.SizeEdit, &QLineEdit::returnPressed, &owner, [&form] { form.TimeEdit->setFocus(); });
  QObject::connect(form.TimeEdit, &QLineEdit::returnPressed, &owner, [&form] { form.GoBut->setFocus(); });
}

}  // namespace ordonna
