// zykmeans: reading the knowledge bank and filtering its texts by the chart's conditions.
#include "interpretation/oradelle.h"

#include <algorithm>
#include <filesystem>

#include "interpretation/bank_format.h"
#include "platform/byte_io.h"
#include "platform/program_dir.h"

namespace talpora {

void MissingBankFiles::add(const std::string& fileName) {
  if (std::find(files_.begin(), files_.end(), fileName) == files_.end()) files_.push_back(fileName);
}

void MissingBankFiles::report(ui::Interaction& ui) {
  if (files_.empty()) return;
  std::string text;
  for (const auto& f : files_) {
    if (!text.empty()) text += "\n";
    text += "Talpora Interpreter can't open file " + f;
  }
  ui.message({text, "File Error", ui::Buttons::Ok, ui::Icon::None, {}});
  files_.clear();
}

namespace {

bool joins(const AspectEntry& e, int a, int b) {
  return (e.first == a && e.second == b) || (e.first == b && e.second == a);
}

}  // namespace

int IsOradelleConditionFulfilled(int keyA, int keyB, int aspect, int type, const std::int16_t* params,
                                 const Chart1& chart, const Chart2&, const AspectList& aspectList) {
  switch (type) {
    case bank::kApplying:
    case bank::kSeparating: {
      const int wanted = type == bank::kApplying ? 1 : 0;
      for (const auto& e : aspectList)
        if (joins(e, keyA, keyB) && e.aspect == aspect && e.applying == wanted) return 1;
      return 0;
    }
    case bank::kAspectInChart: {
      const AspectEntry* last = nullptr;
      for (const auto& e : aspectList)
        if (joins(e, params[0], params[1])) last = &e;
      return last && bank::aspectCodeAdmits(params[2], last->aspect + 1) ? 1 : 0;
    }
    case bank::kBornBeforeAfter:
      if (params[0] == -1) return chart.year < params[1] ? 1 : 0;
      if (params[0] == 1) return chart.year > params[1] ? 1 : 0;
      return 0;
    case bank::kTimeUnknown:
      return chart.timeKnown == 0 ? 1 : 0;
    case bank::kTimeKnown:
      return chart.timeKnown != 0 ? 1 : 0;
    default:
      return 0;
  }
}

void writeBankText(Report& report, unsigned long* length, std::string_view text, int lineMode) {
  if (!lineMode) {
    AddParagraph(report, length, text);
    return;
  }
  constexpr std::size_t kWidth = 68;
  while (text.size() > kWidth) {
    std::size_t cut = 0;
    for (std::size_t p = kWidth; p >= 1; --p) {
      if (text[p] == ' ') {
        cut = p;
        break;
      }
    }
    if (cut > 0) {
      AddLine(report, length, text.substr(0, cut), 1, 0);
      text.remove_prefix(cut + 1);
    } else {
      AddLine(report, length, text.substr(0, kWidth), 1, 0);
      text.remove_prefix(kWidth);
    }
  }
  AddLine(report, length, text, 1, 0);
}

int ReadOradelleFiles(Report& report, unsigned long* length, int lineMode, int family, int keyA, int keyB,
                      int keyC, int maxLevel, const CIni& settings, const Chart1& chart,
                      const Chart2& computed, const AspectList& aspectList, MissingBankFiles& missing) {
  if (!bank::isFamily(family)) return 0;
  int fileNumber = 0, slot = 0;
  switch (family) {
    case bank::kAspects:
      if (keyA > keyB) std::swap(keyA, keyB);
      if (keyA < 0 || keyB >= kObjectCount) return 0;
      if (keyA == kChiron || keyB == kChiron || keyA == kPartOfFortune || keyB == kPartOfFortune) return 0;
      ++keyC;  // the aspect as number + 1, as the aspect codes count
      fileNumber = keyA + 1;
      slot = keyB;
      break;
    case bank::kHouses:
    case bank::kSigns:
      if (keyA < 0 || keyA >= kObjectCount || keyC < 1 || keyC > 12) return 0;
      fileNumber = keyA + 1;
      slot = keyC - 1;
      break;
    case bank::kGeneral:
      if (keyA < 0 || keyA > 99 || keyB < 1 || keyB > bank::slotCount(family)) return 0;
      fileNumber = keyA;
      slot = keyB - 1;
      break;
  }
  const std::string name = bank::fileName(family, fileNumber);
  const auto path = findCaseInsensitive(std::filesystem::path(programDirOf(settings)), name);
  std::error_code ec;
  const std::uint64_t size = std::filesystem::file_size(path, ec);
  const auto index = ec ? std::nullopt : readFileRange(path, 0, bank::indexBytes(family));
  if (!index) {
    missing.add(name);
    return 0;
  }
  ByteReader indexReader(*index);
  std::vector<std::int32_t> offsets;
  for (int s = 0; s < bank::slotCount(family); ++s) offsets.push_back(indexReader.i32());
  if (index->size() < 4 * static_cast<std::size_t>(slot) + 4) return 0;  // the file does not hold its index
  const std::int32_t offset = offsets[static_cast<std::size_t>(slot)];
  if (offset >= 0 && static_cast<std::uint64_t>(offset) >= size) return 1;
  if (offset < static_cast<std::int32_t>(bank::indexBytes(family))) return 0;  // points into the index

  // The slot's records are read through a window of the file that starts at the slot and reaches
  // past the next slot's offset; a record that does not fit in it widens it.
  std::size_t windowLength = 16384;
  for (auto o : offsets)
    if (o > offset) windowLength = std::max(windowLength, static_cast<std::size_t>(o - offset) + 4096);
  auto window = readFileRange(path, static_cast<std::uint64_t>(offset), windowLength);
  if (!window) return 0;
  std::size_t pos = 0;
  const int slotKey = bank::keyOfSlot(family, slot);
  bool selected = false;
  while (true) {
    bank::Record record;
    ByteReader in(*window);
    in.seek(pos);
    const auto status = bank::readRecord(in, family, record, true);
    if (status != bank::RecordStatus::kRecord && offset + window->size() < size) {
      window = readFileRange(path, static_cast<std::uint64_t>(offset), 2 * window->size());
      if (!window) return 0;
      continue;
    }
    pos = in.pos();
    if (status == bank::RecordStatus::kEnd) return 1;
    if (status == bank::RecordStatus::kDamaged) return 0;
    if (record.conditional) {
      if (record.key > slotKey) return 0;  // the next slot's records begin
      selected = record.key == slotKey;
      if (selected && family == bank::kAspects && !bank::aspectCodeAdmits(record.aspectCode, keyC))
        selected = false;
      if (selected && record.level > maxLevel) selected = false;
      for (const auto& c : record.conditions) {
        if (!selected) break;
        if (!IsOradelleConditionFulfilled(keyA, keyB, keyC - 1, c.type, c.params.data(), chart, computed,
                                          aspectList))
          selected = false;
      }
    }
    if (selected && !record.text.empty()) writeBankText(report, length, record.text, lineMode);
  }
}

}  // namespace talpora
