// Tests of the shell access that reads output line by line, and of quoting a
// text as one shell word.
#include "driver/shell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& command, size_t stopAfter = 1000) {
  std::vector<std::string> lines;
  EXPECT_TRUE(ForEachOutputLine(command, [&](const std::string& line) {
    lines.push_back(line);
    return lines.size() < stopAfter;
  }));
  return lines;
}

TEST(ForEachOutputLine, HandsOverWholeLinesUntilTheConsumerStops) {
  const std::string longLine(10000, 'x');
  EXPECT_EQ((std::vector<std::string>{"a\n", "\n", longLine + "\n", "end"}),
            Lines("printf 'a\\n\\n%s\\nend' " + longLine));
  EXPECT_EQ(std::vector<std::string>{}, Lines("true"));
  // Stopping early closes the pipe; the writer is not waited out.
  EXPECT_EQ((std::vector<std::string>{"y\n", "y\n"}), Lines("yes", 2));
}

TEST(ShellQuote, EveryTextBecomesOneWordThatRunsNothing) {
  const char* const texts[] = {
      "/sys/devices/pci0000:00/0000:00:02.0/0000:05:00.1",
      "",
      "two words",
      "it's",
      "'",
      "$(echo ran)",
      "`echo ran`",
      "a;echo ran",
      "a\nb",
      "\\",
      "-n",
      "*",
  };
  for (const std::string text : texts) {
    EXPECT_EQ("[" + text + "]", RunCommand("printf '[%s]' " + ShellQuote(text))) << text;
  }
  const std::string plainPath = "/sys/devices/pci0000:00/0000:05:00.1";
  EXPECT_EQ(plainPath, ShellQuote(plainPath)) << "plain paths stay as they are";
  EXPECT_EQ("'a b'", ShellQuote("a b"));
}

}  // namespace
