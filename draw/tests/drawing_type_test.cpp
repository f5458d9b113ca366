// Drawing-type and colour-set records: exact file layouts, round trips, the hand-over file.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "draw/drawing_type.h"
#include "platform/byte_io.h"
#include "platform/headless/scripted_interaction.h"

namespace fs = std::filesystem;
using namespace talpora;

namespace {
ChPar samplePar(const char* title) {
  ChPar p;
  p.typeOrigin = 601;
  p.projection = 3;
  p.style = 27779;
  p.ringKind[1] = 1;
  p.ringKind[2] = 6;
  p.houseSystem = 4;
  p.showChiron = 1;
  p.dataBlock = 27;
  p.aspectLine[0] = 1;
  p.aspectLine[8] = 5;
  p.reserved46 = -3;
  p.reserved48[14] = 1234;
  setField(p.title, title);
  return p;
}
ChCol sampleCol() {
  ChCol c;
  for (int i = 0; i < 79; ++i) c.colour[i] = 0x00010203u * static_cast<std::uint32_t>(i);
  for (int i = 0; i < 20; ++i) c.width[i] = static_cast<std::int16_t>(i - 5);
  return c;
}
fs::path freshDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-draw-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}
}  // namespace

TEST(ChParFile, ExactLayoutAndRoundTrip) {
  const ChPar p = samplePar("Heptagram, week and hour");
  const std::string bytes = encodeChPar(p);
  ASSERT_EQ(bytes.size(), kChParFileSize);
  ByteReader r(bytes);
  EXPECT_EQ(r.i16(), 601);
  EXPECT_EQ(r.i16(), 3);
  EXPECT_EQ(r.i16(), 27779);
  r.seek(18);
  EXPECT_EQ(r.u8(), 4);  // house system
  EXPECT_EQ(static_cast<signed char>(bytes[46]), -3);  // reserved46, last byte field
  r.seek(47 + 14 * 2);
  EXPECT_EQ(r.i16(), 1234);  // reserved48[14] directly after (no alignment byte in files)
  EXPECT_EQ(std::string(bytes.data() + 77, 8), "Heptagra");
  const ChPar back = decodeChPar(bytes);
  EXPECT_EQ(std::memcmp(&back, &p, sizeof p), 0);
}

TEST(ChColFile, RoundTrip) {
  const ChCol c = sampleCol();
  const auto bytes = encodeChCol(c);
  ASSERT_EQ(bytes.size(), kChColSize);
  EXPECT_EQ(static_cast<unsigned char>(bytes[4 * 78]), 0x00010203u * 78 & 0xFF);
  const ChCol back = decodeChCol(bytes);
  EXPECT_EQ(std::memcmp(&back, &c, sizeof c), 0);
}

TEST(DrawingTypeFiles, EntriesAppendReadAndReplace) {
  const auto dir = freshDir("types");
  const auto file = dir / kCustomTypesFile;
  std::vector<DrawingType> types = {{samplePar("Custom A (Favourite)"), sampleCol()},
                                    {samplePar("Custom B"), sampleCol()},
                                    {samplePar("Custom C"), sampleCol()}};
  ASSERT_TRUE(writeDrawingTypes(file, types));
  EXPECT_EQ(fs::file_size(file), 3 * kDrawingTypeEntrySize);
  ChPar extra = samplePar("Mine");
  ChCol extraCol = sampleCol();
  ASSERT_EQ(Serialise_par(&extra, file, -1), 1);
  ASSERT_EQ(Serialise_chc(&extraCol, file, -1), 1);
  const auto all = readDrawingTypes(file);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(titleOf(all[3].par), "Mine");
  headless::ScriptedInteraction ui;
  ChPar read;
  ASSERT_EQ(Read_par(&read, file, 463 * 1, ui), 1);
  EXPECT_EQ(titleOf(read), "Custom B");
  EXPECT_EQ(Read_par(&read, file, 463 * 4, ui), 0);  // past the last entry
  EXPECT_EQ(ui.messages.back().caption, "Error Message from zykstyle.dll");
  EXPECT_EQ(titleOf(read), "Custom B");
  // Removing an entry rewrites the file at once: the other entries stay, in order.
  auto kept = all;
  kept.erase(kept.begin() + 3);
  ASSERT_TRUE(writeDrawingTypes(file, kept));
  EXPECT_EQ(fs::file_size(file), 3 * kDrawingTypeEntrySize);
}

TEST(Data9, TheInMemoryRecordTravelsWhole) {
  ChPar p = samplePar("Title that is exactly 29 char");
  p.pad47 = 0x55;
  const std::string bytes = encodeData9(p, sampleCol());
  ASSERT_EQ(bytes.size(), kData9Size);
  EXPECT_EQ(static_cast<unsigned char>(bytes[47]), 0x55);
  const auto back = decodeData9(bytes);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(titleOf(back->par), "Title that is exactly 29 char");
  EXPECT_FALSE(decodeData9(bytes.substr(0, 463)).has_value());
}

TEST(DrawingTypeNames, StylesAndRings) {
  EXPECT_EQ(styleName(26), "Standard Style III");
  EXPECT_EQ(styleName(27768), "Mandala Hept.hour");
  EXPECT_EQ(styleName(8), "");
  EXPECT_EQ(wheelStyles().size(), 14u);
  EXPECT_EQ(ringKindName(8), "28 Solilunar sectors");
  EXPECT_EQ(ringKindName(9), "");
}
