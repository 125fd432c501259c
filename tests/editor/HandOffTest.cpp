#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "editor/HostHandOff.h"
#include "editor/TextMailbox.h"

namespace {

TEST(TextMailbox, DeliversEachPostOnceCutToItsCapacity) {
  TextMailbox box;
  char out[TextMailbox::kCapacity];
  EXPECT_FALSE(box.Take(out)) << "nothing posted yet";
  box.Post("Wow \n12.000000 %");
  ASSERT_TRUE(box.Take(out));
  EXPECT_STREQ(out, "Wow \n12.000000 %");
  EXPECT_FALSE(box.Take(out));

  const std::string longText(300, 'x');
  box.Post(longText.c_str());
  box.Post(nullptr);
  ASSERT_TRUE(box.Take(out));
  EXPECT_STREQ(out, "") << "the newest post wins; null posts an empty text";
  box.Post(longText.c_str());
  ASSERT_TRUE(box.Take(out));
  EXPECT_EQ(std::strlen(out), static_cast<std::size_t>(TextMailbox::kCapacity - 1));
}

// Every text a writer posts is one letter repeated as often as its position
// in the alphabet says, so a torn read shows as mixed letters or a wrong length.
TEST(TextMailbox, AReaderNeverSeesAHalfWrittenText) {
  TextMailbox box;
  std::atomic<bool> done{false};
  std::thread writer([&] {
    char text[TextMailbox::kCapacity];
    for (int i = 0; i < 200000; ++i) {
      const int letter = i % 26;
      const int length = 1 + letter * 4;
      std::memset(text, 'a' + letter, static_cast<std::size_t>(length));
      text[length] = 0;
      box.Post(text);
    }
    done = true;
  });
  int taken = 0;
  char out[TextMailbox::kCapacity];
  while (true) {
    const bool finished = done.load();
    if (!box.Take(out)) {
      if (finished) break;
      continue;
    }
    ++taken;
    const int letter = out[0] - 'a';
    ASSERT_GE(letter, 0);
    ASSERT_LT(letter, 26);
    ASSERT_EQ(std::strlen(out), static_cast<std::size_t>(1 + letter * 4)) << out;
    for (const char* c = out; *c; ++c) ASSERT_EQ(*c, out[0]) << out;
  }
  writer.join();
  EXPECT_GT(taken, 0);
}

TEST(HostHandOff, MailboxesHoldTheNewestPostAndIgnoreOutsideIndexes) {
  HostHandOff handOff(3, 2);
  double v = -1.0;
  bool greyed = false;
  char text[TextMailbox::kCapacity];

  handOff.PostValue(1, 0.25);
  handOff.PostValue(1, 0.75);
  handOff.PostValue(3, 0.5);
  handOff.PostValue(-1, 0.5);
  EXPECT_FALSE(handOff.TakeValue(0, &v));
  ASSERT_TRUE(handOff.TakeValue(1, &v));
  EXPECT_EQ(v, 0.75);
  EXPECT_FALSE(handOff.TakeValue(1, &v));
  EXPECT_FALSE(handOff.TakeValue(3, &v));

  handOff.PostGreyed(1, true);
  handOff.PostGreyed(2, true);
  ASSERT_TRUE(handOff.TakeGreyed(1, &greyed));
  EXPECT_TRUE(greyed);
  handOff.PostGreyed(1, false);
  ASSERT_TRUE(handOff.TakeGreyed(1, &greyed));
  EXPECT_FALSE(greyed);
  EXPECT_FALSE(handOff.TakeGreyed(1, &greyed));
  EXPECT_FALSE(handOff.TakeGreyed(2, &greyed));

  handOff.PostText(0, "On");
  handOff.PostText(5, "nowhere");
  EXPECT_FALSE(handOff.TakeText(1, text));
  ASSERT_TRUE(handOff.TakeText(0, text));
  EXPECT_STREQ(text, "On");

  EXPECT_FALSE(handOff.TakeMarkAll());
  handOff.PostMarkAll();
  handOff.PostMarkAll();
  EXPECT_TRUE(handOff.TakeMarkAll());
  EXPECT_FALSE(handOff.TakeMarkAll());
}

}  // namespace
