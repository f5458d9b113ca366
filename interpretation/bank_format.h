// zykmeans: the binary layout of the interpretation text bank.
// Four families of files ("zoraA%02d.dtf" aspects, "zorah%02d.dtf" houses, "zorab%02d.dtf" general
// topics, "zoraS%02d.dtf" signs). A file starts with a slot index (one int32 absolute offset per slot)
// followed by records in ascending key order. A record is a marker byte; for a conditional record
// (marker '@') a header (key byte, for aspects the aspect code byte, level byte, int16 condition
// count, the conditions as int16 type and parameters, one spare byte); then an int32 length L and L
// bytes of CP1252 text whose last byte is the terminating zero. Any other marker opens a
// continuation record (no header), selected when the record before it was. Little-endian.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/byte_io.h"

namespace talpora::bank {

enum Family : int { kAspects = 1, kHouses = 2, kGeneral = 3, kSigns = 4 };

inline constexpr unsigned char kConditionalMarker = 0x40;   // '@'
inline constexpr unsigned char kContinuationMarker = 0x2B;  // '+', as the compiler writes it
inline constexpr std::int32_t kMaxTextBytes = 2000;         // a text with its terminating zero
inline constexpr int kMaxConditions = 64;

// Condition types.
enum ConditionType : int {
  kApplying = 0,         // the aspect being interpreted is applying
  kSeparating = 1,       // ... separating
  kAspectInChart = 2,    // P, Q, aspect code: the chart has such an aspect between P and Q
  kBornBeforeAfter = 3,  // D, Y: D = -1 year below Y, D = 1 year above Y
  kTimeUnknown = 4,
  kTimeKnown = 5,
};

bool isFamily(int family);
// Slots per file: aspects 17 (the higher-numbered object 0..16), houses and signs 12, general 32.
int slotCount(int family);
std::size_t indexBytes(int family);
// "zoraA01.dtf" and the like, for a file number 0..99.
std::string fileName(int family, int number);
// The slot a record's key byte belongs to: aspects, houses, signs the key itself; general key - 1.
int slotOfKey(int family, int key);
int keyOfSlot(int family, int slot);

// Number of int16 parameters of a condition type; -1 for a type outside 0..5.
int conditionParameterCount(int type);

// Whether an aspect code admits an aspect given as its number + 1 (1 conjunction ... 9 quintile):
// 0 any, 1..9 exactly that one, 10..17 the fixed groups, above 17 no restriction.
bool aspectCodeAdmits(int code, int aspectPlusOne);

struct Condition {
  std::int16_t type = 0;
  std::vector<std::int16_t> params;
  bool operator==(const Condition&) const = default;
};

struct Record {
  bool conditional = true;
  int key = 0;         // key byte (conditional records)
  int aspectCode = 0;  // aspect code byte (conditional records of the aspects family)
  int level = 1;       // level byte (conditional records)
  std::vector<Condition> conditions;
  std::string text;  // CP1252, without the terminating zero
  bool operator==(const Record&) const = default;
};

// Outcome of reading one record.
enum class RecordStatus {
  kRecord,   // a record was read
  kEnd,      // the position is at (or beyond) the end of the bytes
  kDamaged,  // the record does not fit in the bytes or breaks a limit: nothing of it may be used
};

// Reads the record at the reader's position. With `withText` false the text is skipped, not copied.
// Never reads past the end of the bytes; `problem` (when given) says what was wrong for kDamaged.
RecordStatus readRecord(ByteReader& in, int family, Record& out, bool withText = true,
                        std::string* problem = nullptr);

// Appends one record in the file layout.
void writeRecord(ByteWriter& out, int family, const Record& record);

// A whole file from records in key order (continuations after their conditional record). Slots
// without records point where their records would be.
std::string encodeFile(int family, const std::vector<Record>& records);

// A whole file back into records, checking the index against the records' keys.
struct DecodedFile {
  bool ok = false;
  std::string error;  // what was wrong and at which byte offset
  std::vector<Record> records;
};
DecodedFile decodeFile(int family, std::string_view bytes);

}  // namespace talpora::bank
