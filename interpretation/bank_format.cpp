// zykmeans: the binary layout of the interpretation text bank (records, index, whole files).
#include "interpretation/bank_format.h"

#include <cstdio>

namespace talpora::bank {

bool isFamily(int family) {
  return family >= kAspects && family <= kSigns;
}

int slotCount(int family) {
  switch (family) {
    case kAspects:
      return 17;
    case kHouses:
    case kSigns:
      return 12;
    case kGeneral:
      return 32;
    default:
      return 0;
  }
}

std::size_t indexBytes(int family) {
  return 4 * static_cast<std::size_t>(slotCount(family));
}

std::string fileName(int family, int number) {
  const char* pattern = family == kAspects   ? "zoraA%02d.dtf"
                        : family == kHouses  ? "zorah%02d.dtf"
                        : family == kGeneral ? "zorab%02d.dtf"
                                             : "zoraS%02d.dtf";
  char buf[32];
  std::snprintf(buf, sizeof buf, pattern, number);
  return buf;
}

int slotOfKey(int family, int key) {
  return family == kGeneral ? key - 1 : key;
}
int keyOfSlot(int family, int slot) {
  return family == kGeneral ? slot + 1 : slot;
}

int conditionParameterCount(int type) {
  switch (type) {
    case kApplying:
    case kSeparating:
    case kTimeUnknown:
    case kTimeKnown:
      return 0;
    case kAspectInChart:
      return 3;
    case kBornBeforeAfter:
      return 2;
    default:
      return -1;
  }
}

bool aspectCodeAdmits(int code, int a) {
  switch (code) {
    case 0:
      return true;
    case 10:
      return a == 1 || a == 2;
    case 11:
      return a == 1 || a == 2 || a == 3;
    case 12:
      return a == 1 || a == 2 || a == 4;
    case 13:
      return a == 1 || a == 4;
    case 14:
      return a == 2 || a == 4;
    case 15:
      return a == 3 || a == 5;
    case 16:
      return a == 1 || a == 3 || a == 4 || a == 5;
    case 17:
      return a == 1 || a == 2 || a == 3 || a == 4;
    default:
      if (code >= 1 && code <= 9) return a == code;
      return true;  // codes above 17 (and, read as unsigned bytes, never below 0) put no restriction
  }
}

RecordStatus readRecord(ByteReader& in, int family, Record& out, bool withText, std::string* problem) {
  auto damaged = [&](std::size_t at, const std::string& what) {
    if (problem) *problem = what + " at byte " + std::to_string(at);
    return RecordStatus::kDamaged;
  };
  if (in.remaining() == 0) return RecordStatus::kEnd;
  const std::size_t start = in.pos();
  out = Record{};
  const unsigned marker = in.u8();
  out.conditional = marker == kConditionalMarker;
  if (out.conditional) {
    out.key = in.u8();
    if (family == kAspects) out.aspectCode = in.u8();
    out.level = in.u8();
    const std::int16_t count = in.i16();
    if (!in.ok()) return damaged(start, "record header cut off");
    if (count < 0 || count > kMaxConditions)
      return damaged(start, "condition count " + std::to_string(count) + " outside 0..64");
    for (int i = 0; i < count; ++i) {
      Condition c;
      const std::size_t at = in.pos();
      c.type = in.i16();
      const int n = conditionParameterCount(c.type);
      if (!in.ok()) return damaged(at, "condition cut off");
      if (n < 0) return damaged(at, "unknown condition type " + std::to_string(c.type));
      for (int k = 0; k < n; ++k) c.params.push_back(in.i16());
      if (!in.ok()) return damaged(at, "condition cut off");
      out.conditions.push_back(std::move(c));
    }
    in.skip(1);  // spare byte
    if (!in.ok()) return damaged(start, "record header cut off");
  }
  const std::size_t lengthAt = in.pos();
  const std::int32_t length = in.i32();
  if (!in.ok()) return damaged(lengthAt, "text length cut off");
  if (length < 0 || length > kMaxTextBytes)
    return damaged(lengthAt, "text length " + std::to_string(length) + " outside 0..2000");
  if (static_cast<std::size_t>(length) > in.remaining())
    return damaged(lengthAt, "text of " + std::to_string(length) + " bytes runs past the end of the file");
  if (withText) {
    std::string text(static_cast<std::size_t>(length), '\0');
    in.raw(text.data(), text.size());
    const auto nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    out.text = std::move(text);
  } else {
    in.skip(static_cast<std::size_t>(length));
  }
  return RecordStatus::kRecord;
}

void writeRecord(ByteWriter& out, int family, const Record& r) {
  if (r.conditional) {
    out.u8(kConditionalMarker);
    out.u8(static_cast<std::uint8_t>(r.key));
    if (family == kAspects) out.u8(static_cast<std::uint8_t>(r.aspectCode));
    out.u8(static_cast<std::uint8_t>(r.level));
    out.i16(static_cast<std::int16_t>(r.conditions.size()));
    for (const auto& c : r.conditions) {
      out.i16(c.type);
      for (auto p : c.params) out.i16(p);
    }
    out.u8(0);  // spare
  } else {
    out.u8(kContinuationMarker);
  }
  out.i32(static_cast<std::int32_t>(r.text.size() + 1));
  out.raw(r.text.data(), r.text.size());
  out.u8(0);
}

std::string encodeFile(int family, const std::vector<Record>& records) {
  const int slots = slotCount(family);
  ByteWriter body;
  std::vector<std::int32_t> offsets(static_cast<std::size_t>(slots), -1);
  const auto base = static_cast<std::int32_t>(indexBytes(family));
  int lastKey = -1;
  for (const auto& r : records) {
    if (r.conditional && r.key != lastKey) {
      const int slot = slotOfKey(family, r.key);
      if (slot >= 0 && slot < slots && offsets[static_cast<std::size_t>(slot)] < 0)
        offsets[static_cast<std::size_t>(slot)] = base + static_cast<std::int32_t>(body.bytes().size());
      lastKey = r.key;
    }
    writeRecord(body, family, r);
  }
  // A slot without records points at the records of the next slot that has some (or the end).
  std::int32_t next = base + static_cast<std::int32_t>(body.bytes().size());
  for (int s = slots - 1; s >= 0; --s) {
    auto& o = offsets[static_cast<std::size_t>(s)];
    if (o < 0)
      o = next;
    else
      next = o;
  }
  ByteWriter file;
  for (auto o : offsets) file.i32(o);
  file.raw(body.bytes().data(), body.bytes().size());
  return file.take();
}

DecodedFile decodeFile(int family, std::string_view bytes) {
  DecodedFile result;
  if (!isFamily(family)) {
    result.error = "unknown family " + std::to_string(family);
    return result;
  }
  const int slots = slotCount(family);
  const std::size_t index = indexBytes(family);
  if (bytes.size() < index) {
    result.error = "the file is shorter (" + std::to_string(bytes.size()) + " bytes) than its slot index";
    return result;
  }
  ByteReader in(bytes);
  std::vector<std::int32_t> offsets;
  for (int s = 0; s < slots; ++s) offsets.push_back(in.i32());
  // Where each slot's records begin, found by reading the records in order.
  std::vector<std::int64_t> firstOfSlot(static_cast<std::size_t>(slots), -1);
  int lastSlot = -1;
  bool seenConditional = false;
  while (true) {
    const std::size_t at = in.pos();
    Record r;
    std::string problem;
    const auto status = readRecord(in, family, r, true, &problem);
    if (status == RecordStatus::kEnd) break;
    if (status == RecordStatus::kDamaged) {
      result.error = problem;
      return result;
    }
    if (r.conditional) {
      const int slot = slotOfKey(family, r.key);
      if (slot < 0 || slot >= slots) {
        result.error =
            "key " + std::to_string(r.key) + " outside the slot index at byte " + std::to_string(at);
        return result;
      }
      if (slot < lastSlot) {
        result.error = "key " + std::to_string(r.key) + " out of order at byte " + std::to_string(at);
        return result;
      }
      if (slot != lastSlot) firstOfSlot[static_cast<std::size_t>(slot)] = static_cast<std::int64_t>(at);
      lastSlot = slot;
      seenConditional = true;
    } else if (!seenConditional) {
      result.error = "a continuation record before any conditional record at byte " + std::to_string(at);
      return result;
    }
    result.records.push_back(std::move(r));
  }
  // Every slot with records must point at its first record; an empty slot may point anywhere at or
  // after the index that does not lead into another slot's records.
  for (int s = 0; s < slots; ++s) {
    const std::int64_t o = offsets[static_cast<std::size_t>(s)];
    const std::int64_t first = firstOfSlot[static_cast<std::size_t>(s)];
    if (first >= 0 && o != first) {
      result.error = "slot " + std::to_string(s) + " points at byte " + std::to_string(o) +
                     " instead of its first record at byte " + std::to_string(first);
      return result;
    }
    if (o > static_cast<std::int64_t>(bytes.size())) {
      result.error =
          "slot " + std::to_string(s) + " points beyond the end of the file (byte " + std::to_string(o) + ")";
      return result;
    }
    if (o < static_cast<std::int64_t>(index)) {
      result.error =
          "slot " + std::to_string(s) + " points into the slot index (byte " + std::to_string(o) + ")";
      return result;
    }
  }
  result.ok = true;
  return result;
}

}  // namespace talpora::bank
