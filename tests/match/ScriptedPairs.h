// Scripted answers to the pair loops' questions, recording every question, and a wait for
// what a worker thread does.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "match/DuplicateSearch.h"

namespace ordonna::testing {

// Answers `replies` in turn (one more question fails the test and gets 8, the stop of both
// windows), or with a `seed`, one of `replies` drawn at random for every question.
class ScriptedPairs final : public PairQuestion {
 public:
  explicit ScriptedPairs(std::vector<std::uint8_t> replies, std::optional<std::uint32_t> seed = std::nullopt)
      : replies_(std::move(replies)), random_(seed.value_or(0)), drawn_(seed.has_value()) {}
  std::uint8_t Ask(std::uint32_t first, std::uint32_t second, std::uint8_t percent) override {
    asked += std::to_string(first) + "," + std::to_string(second) + "," + std::to_string(percent) + ";";
    if (drawn_) return replies_[random_() % replies_.size()];
    if (next_ < replies_.size()) return replies_[next_++];
    ADD_FAILURE() << "unexpected question about " << first << " and " << second;
    return 8;
  }
  std::string asked;  // "first,second,percent;" per question

 private:
  std::vector<std::uint8_t> replies_;
  std::mt19937 random_;
  bool drawn_;
  std::size_t next_ = 0;
};

// Waits until `condition` holds, for at most two seconds.
template <typename Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 400 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return condition();
}

}  // namespace ordonna::testing
