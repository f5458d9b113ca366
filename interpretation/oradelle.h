// zykmeans: finding the texts of the knowledge bank for a topic and writing those whose conditions
// the chart fulfils.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"
#include "format/report_buffer.h"
#include "interpretation/aspect_list.h"
#include "platform/ui.h"

namespace talpora {

// The bank files an interpretation could not open. Each reading notes its file here instead of
// showing a message per topic; the caller shows one message at the end of the interpretation.
class MissingBankFiles {
 public:
  void add(const std::string& fileName);  // kept once, in the order first met
  const std::vector<std::string>& files() const { return files_; }
  bool empty() const { return files_.empty(); }
  // One "File Error" message with a line "Talpora Interpreter can't open file NAME" per file, then
  // forgets them. Shows nothing when no file is missing.
  void report(ui::Interaction& ui);

 private:
  std::vector<std::string> files_;
};

// One condition of a text record (type 0..5, params pointing at its int16 parameters); keyA and keyB
// are the objects of the topic and `aspect` the aspect being interpreted (for families other than
// the aspects it carries the house or sign number less one). 1 fulfilled, 0 not (and for an unknown
// type).
int IsOradelleConditionFulfilled(int keyA, int keyB, int aspect, int type, const std::int16_t* params,
                                 const Chart1& chart, const Chart2& computed, const AspectList& aspectList);

// Writes the texts of one topic into the report. family 1 aspects: keyA and keyB the two objects (any
// order), keyC the aspect number; 2 houses and 4 signs: keyA the object, keyC the house or sign
// (1..12), keyB ignored; 3 general: keyA the file number, keyB the topic (1 = first slot). lineMode
// non-zero writes each text as lines of at most 68 characters, zero as one paragraph. Records whose
// level exceeds maxLevel are not written. Result 1 when the reading ran to the end of the file (or the
// slot lies at or beyond it); 0 when it stopped at a later slot's record, the file could not be
// opened (noted in `missing`), Chiron or the Part of Fortune were asked in family 1, or the file is
// damaged at that point (nothing more is written then).
int ReadOradelleFiles(Report& report, unsigned long* length, int lineMode, int family, int keyA, int keyB,
                      int keyC, int maxLevel, const CIni& settings, const Chart1& chart,
                      const Chart2& computed, const AspectList& aspectList, MissingBankFiles& missing);

// Writes one text: as a paragraph, or in line mode folded into lines of at most 68 characters at
// blanks (a stretch of 69 characters without a blank is cut at 68).
void writeBankText(Report& report, unsigned long* length, std::string_view text, int lineMode);

}  // namespace talpora
