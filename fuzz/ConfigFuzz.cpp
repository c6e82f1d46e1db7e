// Feeds arbitrary bytes to the configuration reader, as an image and as a source, and checks
// that every repaired field is in range and that stored window positions place safely.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "config/ConfigFile.h"
#include "config/WindowPlacement.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckRepaired(const ordonna::AppOptions& options) {
  const ordonna::MainOptions& main = options.Main;
  Require(main.MinSizeKB >= 1 && main.MinSizeKB <= 2000);
  Require(main.MaxSizeMB >= 10 && main.MaxSizeMB <= 2048);
  Require(main.ErrorInfoStyle <= 2 && main.ErrorAction <= 2 && main.Delimiter <= 5);
  Require(main.PadFilenameTo <= 99 && main.DateStyle <= 3 && main.ViewerColorScheme <= 2);
  Require(main.SortField <= 9 && main.SizeStyle <= 4);
  Require(main.ViewerFontSize >= 4 && main.ViewerFontSize <= 32);
  Require(main.ExportType <= 3 && main.VbrStyle <= 3 && main.CaptionMode <= 3 && main.ExistingEntries <= 3);
  Require(main.FadeMain <= 1 && main.FadeViewer <= 1 && main.FadeOptions <= 1);
  const ordonna::DialogOptions& dialog = options.Dialog;
  Require(dialog.ImportDateStyleFallback <= 1 && dialog.ImportDateAddedFallback <= 1);
  Require(dialog.CompareWith <= 1 && dialog.ImportFileType <= 1);
  Require(dialog.InsertPosition <= 3 && dialog.ViewerTotalTimeStyle <= 3);
  Require(dialog.MatchAction <= 2 && dialog.CompareAction <= 9);
  Require(dialog.EditPosition >= 2 && dialog.EditPosition <= 3);
  Require(dialog.AppendSort <= 3 && dialog.ThreadPriority <= 2 && dialog.ColorWindowChoice <= 2);
  Require(dialog.MainFontSize >= 4 && dialog.MainFontSize <= 32);
}

void CheckPlacement(const ordonna::WindowPlaces& places) {
  // The viewer's stored size against a small screen, and a fixed size against the stored one.
  ordonna::WindowPosition placed =
      ordonna::PlaceWindow({places.ViewerLeft, places.ViewerTop}, places.ViewerWidth, places.ViewerHeight, 800, 600);
  Require(placed.Left >= 0 && placed.Top >= 0);
  placed = ordonna::PlaceWindow({places.MainLeft, places.MainTop}, 284, 362, places.FindLeft, places.FindTop);
  Require(placed.Left >= 0 && placed.Top >= 0);
  if (places.FindLeft >= 284) Require(placed.Left <= places.FindLeft - 284);
  if (places.FindTop >= 362) Require(placed.Top <= places.FindTop - 362);
}

void CheckPadding(const ordonna::AppOptions& options) {
  ordonna::MainOptions padded = options.Main;
  ordonna::PadStrings(padded);
  ordonna::MainOptions twice = padded;
  ordonna::PadStrings(twice);
  Require(std::memcmp(&padded, &twice, sizeof padded) == 0);
  Require(padded.TextHeaderFile.View() == options.Main.TextHeaderFile.View());
  Require(options.Dialog.CustomColors[15].View().size() <= 8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> input(data, size);

  // The input as it is: anything but a whole image must fail and leave the record alone.
  ordonna::AppOptions options{};
  ordonna::AppOptions before = options;
  ordonna::Status status = ordonna::ParseConfiguration(input, options);
  Require(status.ok() == (size == ordonna::kConfigFileSize));
  if (!status.ok()) Require(std::memcmp(&options, &before, sizeof options) == 0);

  // The input repeated to a whole image, so every input exercises the repairs.
  if (size > 0) {
    static std::uint8_t image[ordonna::kConfigFileSize];
    for (std::size_t i = 0; i < sizeof image; ++i) image[i] = data[i % size];
    Require(ordonna::ParseConfiguration(image, options).ok());
    CheckRepaired(options);
    CheckPlacement(options.Places);
    CheckPadding(options);
  }

  // The same bytes through the reader of the file.
  ordonna::MemoryInput source(std::span(data, size));
  ordonna::AppOptions loaded{};
  Require(ordonna::ReadConfigurationImage(source, loaded).ok() == (size == ordonna::kConfigFileSize));
  return 0;
}
