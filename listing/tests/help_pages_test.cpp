// The help pages: every page a program or dialog opens exists, and every link between pages leads to
// a page that exists.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/byte_io.h"

namespace fs = std::filesystem;

namespace {
const fs::path kHelp = fs::path(TALPORA_SOURCE_DIR) / "data" / "help";

// The pages the links of a page lead to: every href="..." that names a file of the folder (links to
// other sites and anchors within the page left out, an anchor after a file name dropped).
std::vector<std::string> linkedPages(const std::string& html) {
  std::vector<std::string> out;
  const std::string probe = "href=\"";
  for (auto at = html.find(probe); at != std::string::npos; at = html.find(probe, at + 1)) {
    const auto start = at + probe.size();
    const auto end = html.find('"', start);
    if (end == std::string::npos) break;
    std::string target = html.substr(start, end - start);
    if (target.find(':') != std::string::npos || target.empty() || target[0] == '#') continue;
    out.push_back(target.substr(0, target.find('#')));
  }
  return out;
}
}  // namespace

TEST(HelpPages, EveryOpenedPageExists) {
  for (const char* page : {"index.html", "keywords.html", "listing.html"})
    EXPECT_TRUE(fs::exists(kHelp / page)) << page;
  for (int topic : {77, 78, 142, 2000, 2010, 2020, 2030, 2040, 2050, 34000})
    EXPECT_TRUE(fs::exists(kHelp / ("topic-" + std::to_string(topic) + ".html"))) << topic;
}

TEST(HelpPages, LinksLeadToExistingPages) {
  int pages = 0, links = 0;
  for (const auto& entry : fs::directory_iterator(kHelp)) {
    if (entry.path().extension() != ".html") continue;
    ++pages;
    const auto text = talpora::readFile(entry.path());
    ASSERT_TRUE(text.has_value()) << entry.path();
    EXPECT_NE(text->find("<title>"), std::string::npos) << entry.path();
    for (const std::string& target : linkedPages(*text)) {
      ++links;
      EXPECT_TRUE(fs::exists(kHelp / target)) << entry.path().filename() << " -> " << target;
    }
  }
  EXPECT_GE(pages, 13);
  EXPECT_GT(links, 50);
}
