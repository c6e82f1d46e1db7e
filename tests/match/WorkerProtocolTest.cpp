// The questions a comparison worker leaves for its window: answered on the window's thread in
// any order, a stop just before or during a question, and a window closing while one is open.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "listfile/ListFileCommands.h"
#include "match/CompareRun.h"
#include "support/ScriptedCaller.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace std::chrono_literals;
using testing::ScriptedCaller;
using testing::TempDir;

constexpr std::string_view kLabelQuestion = "External file doesn't seem to be a ORDL file.\r\nTry to process anyway?";

// Waits for the worker's next request, for at most two seconds.
std::optional<WorkerRequests::Request> NextRequest(WorkerRequests& requests) {
  for (int i = 0; i < 400; ++i) {
    if (std::optional<WorkerRequests::Request> request = requests.Next()) return request;
    std::this_thread::sleep_for(5ms);
  }
  return std::nullopt;
}

TEST(WorkerProtocol, RequestsInEveryOrder) {
  struct Case {
    const char* name;
    bool stopFirst;      // the stop comes before the question
    bool staleReply;     // a reply arrives before any question
    bool stopWhileOpen;  // the stop comes while the question waits
    Answer expected;
  };
  const Case cases[] = {
      {"replied", false, false, false, Answer::Yes},
      {"stale reply ignored", false, true, false, Answer::Yes},
      {"stop before the question", true, false, false, Answer::No},
      {"stop while it waits", false, false, true, Answer::No},
  };
  for (const Case& c : cases) {
    WorkerRequests requests;
    if (c.stopFirst) requests.Stop();
    if (c.staleReply) requests.Reply(Answer::No);
    std::future<Answer> worker = std::async(std::launch::async, [&] {
      requests.Tell("first", "Warning", MessageKind::Warning);
      return requests.Ask("go on?", "prompt", Answer::No);
    });
    std::optional<WorkerRequests::Request> message = NextRequest(requests);
    ASSERT_TRUE(message && !message->Question && message->Text == "first") << c.name;
    if (!c.stopFirst) {
      std::optional<WorkerRequests::Request> question = NextRequest(requests);
      ASSERT_TRUE(question && question->Question && question->Text == "go on?") << c.name;
      if (c.stopWhileOpen) {
        requests.Stop();
      } else {
        requests.Reply(Answer::Yes);
      }
    }
    EXPECT_EQ(worker.get(), c.expected) << c.name;
    EXPECT_FALSE(requests.Next()) << c.name;
  }
}

struct LabelFixture {
  TempDir dir;
  ListStore current;
  EntryList external;
  CompareSettings settings;

  // An external list whose volume label is too long for the format: its loader asks.
  LabelFixture() {
    ListEntry entry = UndeterminedEntry();
    entry.FileName.Set("Alpha - One");
    current.AppendEntry(entry);
    std::string file("\x03Ord\x00", 5);
    file += '\x0b';
    file += "Alpha - One";
    file += '\0';
    file += '\x28';
    file += std::string(40, 'L');
    file += std::string(19, '\0');
    testing::WriteFileBytes(dir.File("labels.ordl"), file);
    settings.Match.MatchPercent = 80;
    settings.Match.PartThreshold = PartThreshold(80);
    settings.MatchAction = 0;
    settings.Action = 7;
    settings.ListFile = dir.File("labels.ordl");
    settings.SaveFile = dir.File("out.txt");
  }
};

TEST(WorkerProtocol, LoaderQuestionThroughTheWindow) {
  // Answered Yes on the window's thread: the run goes on and writes its log.
  {
    LabelFixture f;
    CompareRun run;
    run.Start(f.current, f.external, f.settings, ThreadPriorityLevel::Normal);
    ScriptedCaller window;
    window.Expect(std::string(kLabelQuestion), Answer::Yes);
    while (!run.Ended()) (void)run.ServeRequests(window);
    run.Wait();
    EXPECT_TRUE(window.AllAnswered());
    EXPECT_EQ(run.End(), CompareEnd::Finished);
    EXPECT_TRUE(run.State().LogWritten);
  }
  // The window closes while the question is open (taken, not answered), or before it took it.
  for (bool taken : {true, false}) {
    LabelFixture f;
    CompareRun run;
    run.Start(f.current, f.external, f.settings, ThreadPriorityLevel::Normal);
    if (taken) {
      std::optional<WorkerRequests::Request> question = NextRequest(run.State().Requests);
      ASSERT_TRUE(question && question->Question);
    }
    EXPECT_FALSE(run.Close(f.current).Changed) << taken;
    EXPECT_EQ(run.End(), CompareEnd::Stopped) << taken;
    EXPECT_FALSE(run.State().LogWritten) << taken;
  }
  // "&ABORT" while loading (answer 32) with the question open stops the load.
  {
    LabelFixture f;
    CompareRun run;
    run.Start(f.current, f.external, f.settings, ThreadPriorityLevel::Normal);
    ASSERT_TRUE(NextRequest(run.State().Requests));
    ScriptedCaller nobody;
    run.Abort(nobody);
    run.Wait();
    EXPECT_EQ(run.End(), CompareEnd::Stopped);
    EXPECT_EQ(f.current.ItemCount(), 1u);
  }
}

}  // namespace
}  // namespace ordonna
