// The status line's front cut, with one width unit per character.
#include "ui/logic/StatusCut.h"

#include <gtest/gtest.h>

#include "core/Text.h"

namespace ordonna {
namespace {

int Characters(std::string_view text) { return static_cast<int>(CharacterCount(text)); }

TEST(StatusCut, TheFirstCharactersGiveWayToDotsUntilTheTextFits) {
  struct Row {
    const char* Text;
    int MaxWidth;
    const char* Expected;
  };
  const Row rows[] = {
      {"/music/song", 11, "/music/song"},
      {"/music/song", 10, "...ic/song"},
      {"/music/song", 4, "...g"},
      {"/music/song", 3, "..."},
      {"", 0, ""},
      // Characters of several bytes stay whole; an invalid byte counts as one character.
      {"\xC3\xA9t\xC3\xA9 \xF0\x9F\x8E\xB5\xF0\x9F\x8E\xB5", 6, "\xC3\xA9t\xC3\xA9 \xF0\x9F\x8E\xB5\xF0\x9F\x8E\xB5"},
      {"\xC3\xA9t\xC3\xA9 \xF0\x9F\x8E\xB5\xF0\x9F\x8E\xB5", 5, "...\xF0\x9F\x8E\xB5\xF0\x9F\x8E\xB5"},
      {"abcd\xFF!", 5, "...\xFF!"},
  };
  for (const Row& r : rows) EXPECT_EQ(CutFromFront(r.Text, r.MaxWidth, Characters), r.Expected) << r.Text;
}

}  // namespace
}  // namespace ordonna
