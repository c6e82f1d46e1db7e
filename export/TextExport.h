// The text export: one line per entry with the selected columns in one of six delimiter
// styles, an optional title row or header file and an optional footer file.
#pragma once

#include "core/Status.h"
#include "export/ExportJob.h"

namespace ordonna {

// Writes the whole working list to `sink`. With HeaderRowTabs, Delimiter becomes 5 (tabs) in
// the options themselves. Missing header or footer files are only warned about. Returns an
// IoError when the sink fails and Cancelled when the user cancelled; the sink has then
// received part of the list.
[[nodiscard]] Status ExportText(const ExportJob& job, OutputSink& sink);

}  // namespace ordonna
