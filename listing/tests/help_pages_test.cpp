// The help pages: every page a program or dialog opens exists, and every link between pages leads to
// a page that exists.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "platform/byte_io.h"

namespace fs = std::filesystem;

namespace {
const fs::path kHelp = fs::path(TALPORA_SOURCE_DIR) / "data" / "help";
}

TEST(HelpPages, EveryOpenedPageExists) {
  for (const char* page : {"index.html", "keywords.html", "listing.html"})
    EXPECT_TRUE(fs::exists(kHelp / page)) << page;
  for (int topic : {77, 78, 142, 2000, 2010, 2020, 2030, 2040, 2050, 34000})
    EXPECT_TRUE(fs::exists(kHelp / ("topic-" + std::to_string(topic) + ".html"))) << topic;
}

TEST(HelpPages, LinksLeadToExistingPages) {
  const std::regex href("href=\"([^\"#:]+)(#[^\"]*)?\"");
  int pages = 0, links = 0;
  for (const auto& entry : fs::directory_iterator(kHelp)) {
    if (entry.path().extension() != ".html") continue;
    ++pages;
    const auto text = talpora::readFile(entry.path());
    ASSERT_TRUE(text.has_value()) << entry.path();
    EXPECT_NE(text->find("<title>"), std::string::npos) << entry.path();
    for (std::sregex_iterator it(text->begin(), text->end(), href), end; it != end; ++it) {
      ++links;
      EXPECT_TRUE(fs::exists(kHelp / (*it)[1].str())) << entry.path().filename() << " -> " << (*it)[1].str();
    }
  }
  EXPECT_GE(pages, 13);
  EXPECT_GT(links, 50);
}
