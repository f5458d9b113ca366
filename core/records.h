// zykcore: the chart data record, computed chart, chart index, settings block and transfer block.
// Their byte layouts are binding (they travel whole in the transfer file), so every field offset and
// every size is checked at compile time. Padding members are explicit and travel with the record.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace talpora {

// Chart objects 0..16; the name tables add 17 Vertex and 18 East Point.
enum Object : int {
  kSun = 0, kMoon, kMercury, kVenus, kMars, kJupiter, kSaturn, kUranus, kNeptune, kPluto,
  kNorthNode, kSouthNode, kBlackMoon, kChiron, kAscendant, kMidheaven, kPartOfFortune,
  kVertex, kEastPoint
};
inline constexpr int kObjectCount = 17;
// The longitude that marks an object without a position (Chiron outside its table).
inline constexpr double kNoPosition = -1.0;
inline bool hasPosition(double lon) { return lon != kNoPosition; }

// Chart data record (who, when, where): 336 bytes in memory.
struct Chart1 {
  std::int16_t chartType = 0;
  std::int16_t day = 0;
  std::int16_t month = 0;
  std::int16_t year = 0;
  std::int16_t hour = 0;
  std::int16_t minute = 0;
  std::uint8_t pad12[4] = {};
  double longitude = 0;  // hours (degrees / 15), east positive
  double latitude = 0;   // degrees, north positive
  double timeZone = 0;   // hours later than Greenwich, summer time included
  std::uint8_t timeKnown = 0;
  std::uint8_t pad41 = 0;
  std::int16_t zoneStatus = 0;
  std::int16_t country = 0;
  char place[25] = {};
  char name[25] = {};
  char typeText[25] = {};
  char comment[200] = {};
  std::uint8_t pad321 = 0;
  std::int16_t region = 0;
  std::int16_t marker1 = 32;
  std::int16_t marker2 = 32;
  std::uint8_t doubleChart = 0;
  std::uint8_t marker3 = ' ';
  std::uint8_t reserved = 0;
  std::uint8_t pad331[5] = {};
};

// Computed chart: 544 bytes in memory.
struct Chart2 {
  double julianDay = 0;  // universal time
  double siderealTime = 0;  // hours, at the chart's longitude
  double obliquity = 0;
  double trueAyanamsa = 0;
  double syneticVernalPoint = 0;
  std::int16_t houseSystem = 0;
  std::uint8_t pad42[6] = {};
  double cusps[12] = {};
  double objects[17] = {};
  char motion[17] = {};
  std::uint8_t pad297[7] = {};
  double objectLat[17] = {};
  double extra[12] = {};  // heliocentric longitudes: 0, 1 Earth; 2..9 Mercury..Pluto; 10, 11 zero
  std::int16_t planetaryHour = 0;
  std::int16_t spare[3] = {};
};

// Chart index: 273 bytes, the same in memory and in files.
struct Chart3 {
  std::uint8_t houseOf[17] = {};
  std::uint8_t aspectOf[16][16] = {};
};

// Settings block: 684 bytes in memory.
struct CIni {
  std::int16_t houseSystem = 0;
  std::int16_t monochrome = 0;
  std::int16_t ayanamsa = 0;
  std::uint8_t pad6[2] = {};
  float orbsLuminaries[20] = {};
  float orbsOthers[20] = {};
  char wordProcessor[256] = {};
  std::uint8_t ampm = 0;
  char programDir[256] = {};
  std::uint8_t pad681[3] = {};
};

// The five handles of a hand-over: settings, chart A (record, computed), chart B (record, computed).
struct TransferBlock {
  std::uint32_t settings = 0;
  std::uint32_t chartA = 0;
  std::uint32_t computedA = 0;
  std::uint32_t chartB = 0;
  std::uint32_t computedB = 0;
};

static_assert(sizeof(Chart1) == 336);
static_assert(offsetof(Chart1, chartType) == 0 && offsetof(Chart1, day) == 2 && offsetof(Chart1, month) == 4);
static_assert(offsetof(Chart1, year) == 6 && offsetof(Chart1, hour) == 8 && offsetof(Chart1, minute) == 10);
static_assert(offsetof(Chart1, pad12) == 12 && offsetof(Chart1, longitude) == 16);
static_assert(offsetof(Chart1, latitude) == 24 && offsetof(Chart1, timeZone) == 32);
static_assert(offsetof(Chart1, timeKnown) == 40 && offsetof(Chart1, pad41) == 41);
static_assert(offsetof(Chart1, zoneStatus) == 42 && offsetof(Chart1, country) == 44);
static_assert(offsetof(Chart1, place) == 46 && offsetof(Chart1, name) == 71 && offsetof(Chart1, typeText) == 96);
static_assert(offsetof(Chart1, comment) == 121 && offsetof(Chart1, pad321) == 321);
static_assert(offsetof(Chart1, region) == 322 && offsetof(Chart1, marker1) == 324);
static_assert(offsetof(Chart1, marker2) == 326 && offsetof(Chart1, doubleChart) == 328);
static_assert(offsetof(Chart1, marker3) == 329 && offsetof(Chart1, reserved) == 330);
static_assert(offsetof(Chart1, pad331) == 331);

static_assert(sizeof(Chart2) == 544);
static_assert(offsetof(Chart2, julianDay) == 0 && offsetof(Chart2, siderealTime) == 8);
static_assert(offsetof(Chart2, obliquity) == 16 && offsetof(Chart2, trueAyanamsa) == 24);
static_assert(offsetof(Chart2, syneticVernalPoint) == 32 && offsetof(Chart2, houseSystem) == 40);
static_assert(offsetof(Chart2, pad42) == 42 && offsetof(Chart2, cusps) == 48 && offsetof(Chart2, objects) == 144);
static_assert(offsetof(Chart2, motion) == 280 && offsetof(Chart2, pad297) == 297);
static_assert(offsetof(Chart2, objectLat) == 304 && offsetof(Chart2, extra) == 440);
static_assert(offsetof(Chart2, planetaryHour) == 536 && offsetof(Chart2, spare) == 538);

static_assert(sizeof(Chart3) == 273);
static_assert(offsetof(Chart3, houseOf) == 0 && offsetof(Chart3, aspectOf) == 17);

static_assert(sizeof(CIni) == 684);
static_assert(offsetof(CIni, houseSystem) == 0 && offsetof(CIni, monochrome) == 2 && offsetof(CIni, ayanamsa) == 4);
static_assert(offsetof(CIni, pad6) == 6 && offsetof(CIni, orbsLuminaries) == 8 && offsetof(CIni, orbsOthers) == 88);
static_assert(offsetof(CIni, wordProcessor) == 168 && offsetof(CIni, ampm) == 424);
static_assert(offsetof(CIni, programDir) == 425 && offsetof(CIni, pad681) == 681);

static_assert(sizeof(TransferBlock) == 20);
static_assert(offsetof(TransferBlock, settings) == 0 && offsetof(TransferBlock, chartA) == 4);
static_assert(offsetof(TransferBlock, computedA) == 8 && offsetof(TransferBlock, chartB) == 12);
static_assert(offsetof(TransferBlock, computedB) == 16);

// Sets every byte of a record, padding included, to zero (a "zeroed record").
template <typename Record>
void zeroRecord(Record& r) {
  std::memset(static_cast<void*>(&r), 0, sizeof r);
}
template <typename Record>
Record zeroedRecord() {
  Record r;
  zeroRecord(r);
  return r;
}

// chartType codes the suite branches on.
namespace chart_type {
inline constexpr int kOrdinary = 0;
inline constexpr int kSolarReturn = 5, kLunarReturn1 = 6, kLunarReturn2 = 7;
inline constexpr int kSiderealSolarReturn = 105, kSiderealLunarReturn1 = 106, kSiderealLunarReturn2 = 107;
inline constexpr int kConverseSolarReturnSidereal = 1000, kConverseSolarReturn = 2000;
inline constexpr int kSymbolicDirections = 9, kSymbolicNaibod = 10;
inline constexpr int kSolarArc = 67, kConverseSolarArc = 68;
inline constexpr int kSiderealTransits = 26, kTransits = 27, kSynastryPair = 28;
inline constexpr int kHereAndNow = 33, kHereAndNowOtherPlace = 34;
inline constexpr int kSynastryComposite = 88, kNotAMoment = 333, kDeleted = 666;
}  // namespace chart_type

// Chart-kind predicates. The unused arguments of the exported forms are kept as in the suite.
int IsDirectedChart(const Chart1& chart);
int IsAstronomicalChart(int x, const Chart1& chart, int y);
int IsReturn(const Chart1& chart);
int MakesSenseOnlyInTropical(int x, const Chart1& chart, int y);
int MakesSenseOnlyInSidereal(int x, const Chart1& chart, int y);
int AreThereHouses(const Chart1& chart, int x = 0);

// Text fields as std::string (up to the NUL, never past the field).
std::string placeOf(const Chart1&);
std::string nameOf(const Chart1&);
std::string typeTextOf(const Chart1&);
std::string commentOf(const Chart1&);
std::string programDirOf(const CIni&);
std::string wordProcessorOf(const CIni&);

// The default settings: Placidus, True Ayanamsa, colour, 24-hour clock, the default orbs.
CIni defaultSettings(const std::string& programDir);
// The default orbs (degrees) with the Sun or Moon, for other objects, and for transits/progressions.
extern const float kDefaultOrbsLuminaries[20];
extern const float kDefaultOrbsOthers[20];
extern const double kDefaultTransitOrbs[9];
extern const float kMaximumOrbs[20];

// A sample chart compiled into the program: the moment J2000.0 at Greenwich.
Chart1 embeddedDefaultChart();

}  // namespace talpora
