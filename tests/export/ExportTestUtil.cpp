// Entries and options for the export tests.
#include "export/ExportTestUtil.h"

#include "export/FieldStyle.h"

namespace ordonna::testing {

ListEntry FullEntry(std::string_view name, std::string_view folder, std::string_view label) {
  ListEntry e = SparseEntry(name, folder);
  e.VolumeLabel.Set(label);
  e.BitrateCode = 9, e.SizeKB = 5250, e.Frames = 8613, e.StereoMode = 1, e.FrequencyCode = 0;
  e.FileDate = 38082, e.DateAdded = 38083;
  return e;
}

ListEntry SparseEntry(std::string_view name, std::string_view folder) {
  ListEntry e = UndeterminedEntry();
  e.FileName.Set(name);
  e.Folder.Set(folder);
  e.BitrateCode = kBitrateVariable;
  return e;
}

std::string Describe(const ListEntry& e) {
  std::string numbers;
  for (long long v :
       {+e.BitrateCode, +e.SizeKB, +e.Frames, +e.StereoMode, +e.FrequencyCode, +e.FileDate, +e.DateAdded}) {
    numbers += (numbers.empty() ? "" : " ") + std::to_string(v);
  }
  return std::string(e.FileName.View()) + "|" + std::string(e.Folder.View()) + "|" + std::string(e.VolumeLabel.View()) +
         "|" + numbers;
}

AppOptions PlainOptions() {
  AppOptions options{};
  MainOptions& m = options.Main;
  m.DateStyle = m.SizeStyle = m.ErrorInfoStyle = m.CaptionFontStyle = m.Border = 1;
  m.TableFontName.Set("Courier New");
  m.CaptionFontName.Set("Arial");
  m.TableFontSize = 10, m.CaptionFontSize = 9, m.CellSpacing = 0, m.CellPadding = 2;
  return options;
}

AppOptions AllColumnsOptions() {
  AppOptions options = PlainOptions();
  MainOptions& m = options.Main;
  m.InfoTime = m.InfoKbps = m.InfoSize = m.InfoStereo = m.InfoFrequency = 1;
  m.InfoDateCreated = m.InfoPath = m.InfoDateAdded = m.InfoVolumeLabel = 1;
  return options;
}

ExportJob ExportFixture::Job() { return ExportJob{list, options, FieldStyleOf(options, "%d/%m/%Y"), caller, "Ready."}; }

}  // namespace ordonna::testing
