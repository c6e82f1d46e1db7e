// The texts the options window shows: its warnings, questions, explanations and titles.
// Code names a message by its enum; only this table holds the words.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace ordonna {

enum class OptionsMessage : std::size_t {
  PlainHtmlTabs,  // plain HTML and tabs chosen together
  OmitInfo,       // "Omit info" for unreadable values
  OwnHtmlTags,    // own html, title and body tags ticked
  OwnHtmlTagsTitle,
  NoEffectWithOwnTags,  // plain HTML style or table font while own tags are used
  BgNoEffectInPlainHtml,
  WarningTitle,
  BgColorNotEnabled,
  TextColorNotEnabled,
  ErrorTitle,
  TooDark,
  TooDarkTitle,
  Discarded,  // closed by the close box with changes
  ResetQuestion,
  ResetTitle,
  HeaderFileIs,
  FooterFileIs,
  StartupListIs,
  ChangeThis,
  PromptTitle,
  ProcessingHelpTitle,
  ProcessingHelp,
  ExistingHelpTitle,
  ExistingHelp,
  Count,
};

inline constexpr std::array<std::string_view, static_cast<std::size_t>(OptionsMessage::Count)> kOptionsMessageText = {
    "You chose \"plain HTML\" and \"tabs as delimiters\".\r\n\nTabs can be used only in TEXT mode.\r\nIn plain HTML "
    "mode, four spaces will be used instead.\r\n\nChoose HTML table mode for precise aligning.",
    "This setting may make importing previously exported files impossible.",
    "This will cancel html font and color.\r\n\nNote that if your code contains errors,\r\nthe whole output file may "
    "be unusable.",
    " do this on your own risk",
    "Note that this won't have any effect until you uncheck\r\n\"use html, title and body tags from my header & "
    "footer files\".",
    "This won't have effect in plain html export until you uncheck\r\n\"use html, title and body tags from my header "
    "& footer files\".",
    "Warning",
    "Bgcolor not enabled!\r\nCheck the checkbox first.",
    "Textcolor not enabled!\r\nCheck the checkbox first.",
    "Error",
    "The color is too dark. Are you certain?",
    "Color",
    "Options changes have been discarded.\r\nUse the OK button to save them next time.",
    "This will irreversibly set ALL program options\r\nto default (state after installation), including\r\nthose not "
    "visible on this window, such as\r\ndefault folders and other windows switches.\r\n\n(once you click OK there "
    "will be no cancelling)\r\n\nProceed?",
    " - WARNING -",
    "Header message file is:\r\n",
    "Footer message file is:\r\n",
    "The list to auto-load is:\r\n",
    "Change this?",
    "prompt",
    " Processing type",
    "Mp3 files are built of certain number of frames. In order to determine playtime,\r\nbitrate, and other "
    "parameters, Ordonna can use two methods:\r\n\nFAST PROCESSING: First 200 frames of a file are examined. If Xing "
    "or Vbri\r\nheader is found, information is taken from it. If a file is CBR (constant bitrate)\r\nbased on the "
    "first 200 frames, and no header is found, playtime is estimated\r\nby the position of last frame header.\r\n\n"
    "SLOW PROCESSING: All frames found in a file are examined. There is very\r\nsmall chance of miscalculating "
    "bitrate or playtime. However, the time needed\r\nfor slow processing is significantly larger.",
    " read carefully:",
    "File of the same filename in the same folder on the\r\nsame drive with the same volume label is considered\r\nan "
    "existing entry. Bitrate, size and other parameters\r\nare not taken into account. Upon encountering such\r\na "
    "file, that has already been indexed, Ordonna can\r\nperform one of the offered actions.\r\n\nNote that although "
    "actions other than \"always add\"\r\nare more desirable, they slow down the processing,\r\nat a rate which "
    "ranges from insignificant for small\r\nlists (like hundreds of items) to substantial for\r\nlarge lists (like "
    "tens of thousands of items).\r\n\nAlso note that minor file differences are actually\r\nignored (in \"update if "
    "different\" mode), to allow\r\nminor trimming and tags editing.",
};

constexpr std::string_view OptionsMessageText(OptionsMessage message) {
  return kOptionsMessageText[static_cast<std::size_t>(message)];
}

}  // namespace ordonna
