// Console questions, messages and progress; SIGINT as cancel.
#include "cli/ConsoleCaller.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>

#include "core/Text.h"

namespace ordonna::cli {
namespace {

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int) { interrupted.store(true); }

long long NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

const char* AnswerWord(Answer answer) {
  switch (answer) {
    case Answer::Yes: return "yes";
    case Answer::No: return "no";
    default: return "cancel";
  }
}

}  // namespace

std::string ConsoleText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i]);
  }
  return DecodeForDisplay(out);
}

ConsoleCaller::ConsoleCaller(Policy policy, bool showProgress)
    : policy_(policy), showProgress_(showProgress && isatty(STDERR_FILENO) != 0) {}

ConsoleCaller::~ConsoleCaller() { ClearProgress(); }

void ConsoleCaller::CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

bool ConsoleCaller::Running() const { return !interrupted.load(); }

void ConsoleCaller::ClearProgress() {
  if (!progressShown_) return;
  std::fputs("\r\x1b[K", stderr);
  progressShown_ = false;
}

Answer ConsoleCaller::Decide(std::string_view text, std::string_view title, Answer preferred, bool withCancel) {
  ClearProgress();
  if (policy_ != Policy::Ask || isatty(STDIN_FILENO) == 0) {
    const Answer answer = policy_ == Policy::Yes ? Answer::Yes : policy_ == Policy::No ? Answer::No : preferred;
    // Nobody saw the question, so it is printed with the answer taken for the user.
    std::cerr << "ordonna-cli: ";
    if (!title.empty()) std::cerr << ConsoleText(title) << ": ";
    std::cerr << ConsoleText(text) << " [" << AnswerWord(answer) << "]\n";
    return answer;
  }
  std::cerr << "[" << ConsoleText(title) << "] " << ConsoleText(text) << "\n"
            << (withCancel ? "(y)es, (n)o or (c)ancel" : "(y)es or (n)o") << " [" << AnswerWord(preferred)
            << "]: " << std::flush;
  std::string reply;
  if (!std::getline(std::cin, reply) || reply.empty()) return preferred;
  switch (AsciiLower(reply[0])) {
    case 'y': return Answer::Yes;
    case 'n': return Answer::No;
    case 'c': return withCancel ? Answer::Cancel : preferred;
    default: return preferred;
  }
}

Answer ConsoleCaller::AskYesNo(std::string_view text, std::string_view title, Answer preferred) {
  return Decide(text, title, preferred, false);
}

Answer ConsoleCaller::AskYesNoCancel(std::string_view text, std::string_view title, Answer preferred) {
  return Decide(text, title, preferred, true);
}

void ConsoleCaller::ShowMessage(std::string_view text, std::string_view title, MessageKind) {
  ClearProgress();
  std::cerr << "ordonna-cli: ";
  if (!title.empty()) std::cerr << ConsoleText(title) << ": ";
  std::cerr << ConsoleText(text) << '\n';
}

void ConsoleCaller::SetStatus(std::string_view text) {
  if (!showProgress_) return;
  // A status per file would flood the terminal; ten updates a second are plenty.
  long long now = NowMs();
  if (now - lastProgressMs_ < 100) return;
  lastProgressMs_ = now;
  std::string line = ConsoleText(text);
  if (CharacterCount(line) > 100) line = "..." + line.substr(line.size() - 97);
  std::fprintf(stderr, "\r\x1b[K%s", line.c_str());
  progressShown_ = true;
}

namespace {

std::string Clock(double seconds) {
  const long whole = static_cast<long>(seconds);
  char text[32];
  if (whole >= 3600) {
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
  } else {
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
  }
  return text;
}

}  // namespace

std::string ProgressText(std::uint16_t thousandths, std::uint32_t found, std::string_view what, double elapsedSeconds) {
  char share[16];
  std::snprintf(share, sizeof share, "%.1f", thousandths / 10.0);
  std::string text = std::string(share) + " % done, " + std::to_string(found) + " " + std::string(what) + ", " +
                     Clock(elapsedSeconds) + " elapsed";
  if (thousandths > 0 && thousandths < 1000) {
    text += ", about " + Clock(elapsedSeconds * (1000 - thousandths) / thousandths) + " left";
  }
  return text;
}

ProgressLine::ProgressLine(bool wanted, std::string found)
    : shown_(wanted && isatty(STDERR_FILENO) != 0),
      found_(std::move(found)),
      start_(std::chrono::steady_clock::now()) {}

ProgressLine::~ProgressLine() {
  std::lock_guard lock(mutex_);
  Clear();
}

void ProgressLine::Update(std::uint16_t thousandths, std::uint32_t found) {
  if (!shown_) return;
  std::lock_guard lock(mutex_);
  const auto now = std::chrono::steady_clock::now();
  // Four times a second: enough to see it move, little enough to cost nothing.
  if (paused_ || (drawn_ && now - lastDrawn_ < std::chrono::milliseconds(250))) return;
  lastDrawn_ = now;
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  std::fprintf(stderr, "\r\x1b[K%s",
               ProgressText(std::min<std::uint16_t>(thousandths, 1000), found, found_, elapsed).c_str());
  std::fflush(stderr);
  drawn_ = true;
}

void ProgressLine::Pause() {
  std::lock_guard lock(mutex_);
  Clear();
  paused_ = true;
}

void ProgressLine::Resume() {
  std::lock_guard lock(mutex_);
  paused_ = false;
}

void ProgressLine::Clear() {
  if (!drawn_) return;
  std::fputs("\r\x1b[K", stderr);
  std::fflush(stderr);
  drawn_ = false;
}

}  // namespace ordonna::cli
