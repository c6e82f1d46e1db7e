// The comparison worker: load, pair loop or replay, result file.
#include "match/Comparison.h"

#include <algorithm>
#include <cmath>

#include "listfile/ListFileCommands.h"
#include "match/ExternalList.h"
#include "match/MatchEngine.h"

namespace ordonna {
namespace {

// The loaders' caller: questions and messages go to the window's caller, and the abort
// button (answer 32 or 8) ends the load.
class LoadCaller final : public Caller {
 public:
  LoadCaller(Caller& inner, const CompareState& state) : inner_(inner), state_(state) {}
  Answer AskYesNo(std::string_view text, std::string_view title, Answer preferred) override {
    return inner_.AskYesNo(text, title, preferred);
  }
  Answer AskYesNoCancel(std::string_view text, std::string_view title, Answer preferred) override {
    return inner_.AskYesNoCancel(text, title, preferred);
  }
  void ShowMessage(std::string_view text, std::string_view title, MessageKind kind) override {
    inner_.ShowMessage(text, title, kind);
  }
  void SetStatus(std::string_view text) override { inner_.SetStatus(text); }
  void ProcessEvents() override { inner_.ProcessEvents(); }
  bool Running() const override {
    std::uint8_t answer = state_.Answer.Get();
    return answer != kCompareIdleStop && answer != kCompareStop && inner_.Running();
  }

 private:
  Caller& inner_;
  const CompareState& state_;
};

enum class Step { Next, Matched, Stop, Save };

class CompareLoop {
 public:
  CompareLoop(const EntryList& current, const EntryList& external, const CompareSettings& settings, CompareState& state,
              CompareMarks& marks, PairQuestion& question)
      : current_(current),
        external_(external),
        settings_(settings),
        state_(state),
        marks_(marks),
        question_(question),
        procedure_(ProcedureOf(settings.Action)),
        outer_(OuterIsExternal(procedure_) ? external : current),
        inner_(OuterIsExternal(procedure_) ? current : external) {}

  std::uint32_t OuterCount() const { return outer_.ItemCount(); }
  std::uint32_t InnerCount() const { return inner_.ItemCount(); }

  // The answer seen at a stop check (the abort question holds the worker here).
  Step StopCheck() {
    while (state_.Paused.load(std::memory_order_acquire)) state_.Paused.wait(true);
    std::uint8_t answer = state_.Answer.Get();
    if (answer == kCompareStop) return Step::Stop;
    if (answer == kCompareStopAndSave) return Step::Save;
    return Step::Next;
  }

  void SetProgress(std::uint16_t progress) { state_.Progress = progress; }

  void ShowProgress(std::uint32_t i) {
    const std::uint32_t n = OuterCount();
    state_.Progress = n <= 1 ? 0 : static_cast<std::uint16_t>(std::nearbyint(1000.0 * i / (n - 1) + 0.4));
  }

  // A pair of outer entry i and inner entry j whose names match and that AcceptPair passed.
  Step Matched(std::uint32_t i, std::uint32_t j, std::uint8_t percent) {
    state_.CurrentPercent = percent;
    const std::uint8_t action = settings_.MatchAction;
    if (action == 0 || (action == 1 && percent > 98)) return Step::Matched;
    std::uint32_t currentIndex = OuterIsExternal(procedure_) ? j : i;
    std::uint32_t externalIndex = OuterIsExternal(procedure_) ? i : j;
    switch (question_.Ask(currentIndex, externalIndex, percent)) {
      case kCompareMatch: return Step::Matched;
      case kCompareDiffer: return Step::Next;
      case kCompareStopAndSave: return Step::Save;
      default: return Step::Stop;
    }
  }

  // The outer entry i is decided: matched or, after its inner loop, unique.
  void Decide(std::uint32_t i, bool matched) {
    if (matched) {
      state_.MatchCount.fetch_add(1, std::memory_order_relaxed);
      marks_[i] = 0;
      if (KeepsMatches(procedure_)) state_.Log.Add(outer_.Entry(i).FileName.View());
    } else {
      state_.UniqueCount.fetch_add(1, std::memory_order_relaxed);
      if (!KeepsMatches(procedure_)) state_.Log.Add(outer_.Entry(i).FileName.View());
    }
    decided_ = i + 1;
  }

  std::uint32_t Decided() const { return decided_; }
  const EntryList& Outer() const { return outer_; }
  const EntryList& Inner() const { return inner_; }
  CompareProcedure Procedure() const { return procedure_; }

  const ListEntry& CurrentOf(std::uint32_t i, std::uint32_t j) const {
    return OuterIsExternal(procedure_) ? inner_.Entry(j) : outer_.Entry(i);
  }
  const ListEntry& ExternalOf(std::uint32_t i, std::uint32_t j) const {
    return OuterIsExternal(procedure_) ? outer_.Entry(i) : inner_.Entry(j);
  }

 private:
  const EntryList& current_;
  const EntryList& external_;
  const CompareSettings& settings_;
  CompareState& state_;
  CompareMarks& marks_;
  PairQuestion& question_;
  CompareProcedure procedure_;
  const EntryList& outer_;
  const EntryList& inner_;
  std::uint32_t decided_ = 0;
};

Step ReferenceLoop(CompareLoop& loop, const CompareSettings& settings) {
  const bool highChars = settings.Match.HighChars;
  std::vector<PreparedTitle> innerTitles;
  for (const ListEntry& entry : loop.Inner().Entries())
    innerTitles.push_back(PrepareTitle(entry.FileName.View(), highChars));
  std::uint8_t pairCounter = 0;
  for (std::uint32_t i = 0; i < loop.OuterCount(); ++i) {
    loop.ShowProgress(i);
    PreparedTitle outerTitle = PrepareTitle(loop.Outer().Entry(i).FileName.View(), highChars);
    bool matched = false;
    for (std::uint32_t j = 0; j < loop.InnerCount() && !matched; ++j) {
      if (++pairCounter % 8 == 0) {
        Step step = loop.StopCheck();
        if (step != Step::Next) return step;
      }
      const bool outerIsExternal = OuterIsExternal(loop.Procedure());
      const PreparedTitle& currentTitle = outerIsExternal ? innerTitles[j] : outerTitle;
      const PreparedTitle& externalTitle = outerIsExternal ? outerTitle : innerTitles[j];
      int percent = TitleMatchPercent(currentTitle, externalTitle, settings.Match);
      if (percent < settings.Match.MatchPercent) continue;
      if (!AcceptPair(loop.CurrentOf(i, j), loop.ExternalOf(i, j), settings.Limits, false)) continue;
      Step step = loop.Matched(i, j, static_cast<std::uint8_t>(percent));
      if (step == Step::Stop || step == Step::Save) return step;
      matched = step == Step::Matched;
    }
    loop.Decide(i, matched);
  }
  return Step::Next;
}

Step FastLoop(CompareLoop& loop, const EntryList& current, const EntryList& external, const CompareSettings& settings) {
  JoinControl control;
  control.Threads = settings.Threads;
  control.ShouldStop = [&loop] { return loop.StopCheck() != Step::Next; };
  control.Progress = [&loop](std::uint16_t progress) { loop.SetProgress(progress); };
  const bool outerIsExternal = OuterIsExternal(loop.Procedure());
  const NameGroups currentGroups = GroupNames(current.Entries());
  const NameGroups externalGroups = GroupNames(external.Entries());
  NameMatches matches;
  if (!FindCrossNameMatches(current.Entries(), currentGroups, external.Entries(), externalGroups, settings.Match,
                            control, matches)) {
    return loop.StopCheck() == Step::Save ? Step::Save : Step::Stop;
  }
  if (outerIsExternal) matches = Transposed(matches, externalGroups.Count());
  const NameGroups& outerGroups = outerIsExternal ? externalGroups : currentGroups;
  const NameGroups& innerGroups = outerIsExternal ? currentGroups : externalGroups;
  // Each outer entry visits the inner entries of the names that match its own, in inner
  // order, until one matches: the pairs between them change nothing.
  struct Candidate {
    std::uint32_t Place;
    std::uint32_t End;
    std::uint8_t Percent;
    std::uint32_t Entry(const NameGroups& groups) const { return groups.Members[Place]; }
  };
  auto later = [&innerGroups](const Candidate& x, const Candidate& y) {
    return x.Entry(innerGroups) > y.Entry(innerGroups);
  };
  std::vector<Candidate> heap;
  // The search above ran the progress to its end; confirmations show the loop's own.
  const bool asks = settings.MatchAction != 0;
  for (std::uint32_t i = 0; i < loop.OuterCount(); ++i) {
    if (asks) loop.ShowProgress(i);
    if (i % 1024 == 0) {
      Step step = loop.StopCheck();
      if (step != Step::Next) return step;
    }
    heap.clear();
    for (const NamePartner& partner : matches.Of(outerGroups.NameOf[i])) {
      heap.push_back({innerGroups.Start[partner.Name], innerGroups.Start[partner.Name + 1], partner.Percent});
    }
    std::make_heap(heap.begin(), heap.end(), later);
    bool matched = false;
    while (!heap.empty() && !matched) {
      std::pop_heap(heap.begin(), heap.end(), later);
      Candidate& candidate = heap.back();
      const std::uint32_t j = candidate.Entry(innerGroups);
      if (AcceptPair(loop.CurrentOf(i, j), loop.ExternalOf(i, j), settings.Limits, false)) {
        Step step = loop.StopCheck();
        if (step == Step::Next) step = loop.Matched(i, j, candidate.Percent);
        if (step == Step::Stop || step == Step::Save) return step;
        matched = step == Step::Matched;
      }
      if (++candidate.Place < candidate.End) {
        std::push_heap(heap.begin(), heap.end(), later);
      } else {
        heap.pop_back();
      }
    }
    loop.Decide(i, matched);
  }
  return Step::Next;
}

std::string ExternalName(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes the log or new list of a log or new-list action; false after a write failure.
bool WriteResult(const CompareLoop& loop, const CompareSettings& settings, const ListStore& current,
                 std::uint8_t externalSortState, const CompareMarks& marks, CompareState& state, Caller& caller) {
  const CompareProcedure procedure = loop.Procedure();
  const ProcedureTexts& texts = kProcedureTexts[static_cast<std::size_t>(procedure)];
  const bool keepMatches = KeepsMatches(procedure);
  const bool outerIsExternal = OuterIsExternal(procedure);
  // Only entries whose inner loop ended count: after a stop with saving, the rest are open.
  std::vector<std::uint32_t> chosen;
  for (std::uint32_t i = 0; i < loop.Decided(); ++i) {
    if ((marks[i] == 0) == keepMatches) chosen.push_back(i);
  }
  state.Texts.SetFiles(kSavingReport, "");
  const std::uint32_t count = keepMatches ? state.MatchCount.load() : state.UniqueCount.load();
  Status status;
  if (WritesNewList(settings.Action)) {
    EntryList entries;
    entries.SetCapacity(chosen.size());
    for (std::uint32_t i : chosen) {
      ListEntry entry = loop.Outer().Entry(i);
      if (outerIsExternal) {
        entry.FileDate = -1;
        // A text list's Folder holds the source line, which is no folder.
        if (!keepMatches || settings.TextList) {
          entry.Folder.Set("");
          entry.VolumeLabel.Set("");
        }
        if (!keepMatches) entry.DateAdded = -1;
      }
      entries.AppendEntry(entry);
    }
    std::uint8_t sortState =
        outerIsExternal ? (settings.TextList ? kNoSortOrder : externalSortState) : current.SortState;
    status = WriteListFile(settings.SaveFile, entries, sortState);
    if (!status.ok()) {
      caller.ShowMessage(texts.NewListError, "Warning", MessageKind::Warning);
      return false;
    }
    return true;
  }
  std::vector<std::string> lines;
  lines.reserve(chosen.size());
  for (std::uint32_t i : chosen) {
    const ListEntry& entry = loop.Outer().Entry(i);
    if (outerIsExternal) {
      lines.push_back(settings.TextList ? std::string(entry.Folder.View())
                                        : LogEntryLine(entry, LogFields::Determined, settings.Style));
    } else {
      lines.push_back(
          LogEntryLine(entry, keepMatches ? LogFields::NameOnly : LogFields::ErrorInfoRule, settings.Style));
    }
  }
  std::string header = std::to_string(count);
  if (keepMatches) {
    header += MatchWord(count);
    header += outerIsExternal ? " found in \"" + ExternalName(settings.ListFile) + "\":" : std::string(" found:");
  } else {
    header += UniqueWord(count);
    header += outerIsExternal ? "found in \"" + ExternalName(settings.ListFile) + "\":" : std::string("found:");
  }
  status =
      WriteLogFile(settings.SaveFile, "Ordonna log file at ", CurrentLogStamp(settings.ShortDateFormat), header, lines);
  if (!status.ok()) {
    caller.ShowMessage(texts.LogError, texts.LogErrorTitle, MessageKind::Warning);
    return false;
  }
  state.LogWritten = true;
  return true;
}

}  // namespace

CompareSettings CompareSettingsOf(const AppOptions& options, bool relaxedMatching, const FieldStyle& style) {
  CompareSettings settings;
  const DialogOptions& dialog = options.Dialog;
  settings.TextList = (dialog.CompareWith & 1) != 0;
  settings.Match = MatchSettingsOf(dialog, settings.TextList && relaxedMatching);
  settings.Limits = PairLimitsOf(dialog);
  if (settings.Limits.TimeDiffSec > 99) settings.Limits.TimeDiffSec = 20;
  if (settings.Limits.SizeDiffKB > 9999) settings.Limits.SizeDiffKB = 400;
  settings.MatchAction = static_cast<std::uint8_t>(dialog.MatchAction % 3);
  settings.Action = static_cast<std::uint8_t>(dialog.CompareAction % kCompareActionCount);
  settings.MircLines = dialog.MircLines != 0;
  settings.ListFile = std::string(dialog.CompareListFile.View());
  settings.SaveFile = std::string(dialog.CompareSaveFile.View());
  settings.Style = style;
  settings.ShortDateFormat = style.LocaleDateFormat;
  return settings;
}

std::uint8_t StateCompareQuestion::Ask(std::uint32_t first, std::uint32_t second, std::uint8_t percent) {
  const ProcedureTexts& texts = kProcedureTexts[static_cast<std::size_t>(ProcedureOf(settings_.Action))];
  state_.Texts.SetFiles(PairLine(texts.CurrentPrefix, current_.Entry(first), settings_.Style),
                        PairLine(texts.ExternalPrefix, external_.Entry(second), settings_.Style));
  if (std::uint8_t stop = state_.Answer.ClearUnless(kCompareStop, kCompareStopAndSave); stop != 0) return stop;
  std::string confirm = " Please confirm this " + std::to_string(percent) + " % match:";
  state_.Texts.SetCaption(confirm, confirm);
  state_.Confirming = true;
  std::uint8_t answer = state_.Answer.WaitForAnswer();
  state_.Texts.SetCaption(kCompareSearchingCaption, "Progress:");
  state_.Confirming = false;
  state_.Texts.SetFiles("", "");
  return answer;
}

CompareEnd RunComparison(const ListStore& current, EntryList& external, const CompareSettings& settings,
                         CompareState& state, CompareMarks& marks, PairQuestion& question, Caller& caller) {
  state.UniqueCount = 0;
  state.MatchCount = 0;
  state.Texts.SetCaption(kCompareSearchingCaption, "Progress:");
  LoadCaller loadCaller(caller, state);
  ExternalList loaded;
  if (settings.TextList) {
    loaded = LoadExternalText(settings.ListFile, settings.MircLines, external, loadCaller);
  } else {
    state.Texts.SetFiles(kLoadingSecondList, "");
    loaded = LoadExternalOrdl(settings.ListFile, external, loadCaller);
  }
  state.Texts.SetFiles("", "");
  if (!loaded.Ok) return CompareEnd::Stopped;
  if (external.Empty()) {
    caller.ShowMessage(kNothingImported, "Warning", MessageKind::Warning);
    return CompareEnd::Stopped;
  }

  CompareLoop loop(current.Working(), external, settings, state, marks, question);
  marks.assign(loop.OuterCount(), 1);
  state.Running = true;
  Step end = settings.Engine == PairEngine::Reference ? ReferenceLoop(loop, settings)
                                                      : FastLoop(loop, current.Working(), external, settings);
  state.Running = false;
  if (end == Step::Stop) return CompareEnd::Stopped;

  const std::uint8_t action = settings.Action;
  const bool keepMatches = KeepsMatches(loop.Procedure());
  if (RemovesFromCurrent(action)) {
    // A stop with saving has nothing to save for a removal.
    if (end == Step::Save) return CompareEnd::Stopped;
    const std::uint32_t count = action == 4 ? state.MatchCount.load() : state.UniqueCount.load();
    state.Texts.SetFinish(CompareFinishText(action, count));
    state.Finished = true;
    if (count == 0) return CompareEnd::Finished;
    if (state.Answer.ClearUnless(kCompareStop, kCompareIdleStop) != 0) return CompareEnd::Finished;
    state.AwaitingDelete = true;
    std::uint8_t answer = state.Answer.WaitForAnswer();
    state.AwaitingDelete = false;
    return answer == kCompareRemove ? CompareEnd::Remove : CompareEnd::Finished;
  }
  const std::uint32_t count = keepMatches ? state.MatchCount.load() : state.UniqueCount.load();
  if (count > 0 && !WriteResult(loop, settings, current, loaded.SortState, marks, state, caller)) {
    return CompareEnd::Stopped;
  }
  state.Texts.SetFiles("", "");
  if (end == Step::Save) return CompareEnd::SavedOnStop;
  state.Texts.SetFinish(CompareFinishText(action, count));
  state.Texts.SetCaption(kCompareDoneCaption, "Progress:");
  state.Finished = true;
  return CompareEnd::Finished;
}

std::string_view AbortQuestion(std::uint8_t action, std::uint32_t uniqueCount, std::uint32_t matchCount) {
  switch (action) {
    case 0:
    case 2: return uniqueCount > 0 ? kSaveLogSoFar : std::string_view();
    case 1:
    case 3: return uniqueCount > 0 ? kSaveListSoFar : std::string_view();
    case 5:
    case 6:
    case 7:
    case 8: return matchCount > 0 ? kSaveMatchesSoFar : std::string_view();
    default: return {};
  }
}

DeletionResult ApplyRemoval(ListStore& current, const CompareMarks& marks, std::uint8_t action) {
  // Action 4 keeps the unique entries (mark 1), action 9 the matches (mark 0).
  DeletionMarks keep(marks.size());
  for (std::size_t i = 0; i < marks.size(); ++i) keep[i] = (marks[i] == 1) == (action == 4) ? 1 : 0;
  return ApplyDeletions(current, keep);
}

}  // namespace ordonna
