// Generates the fixed-star files of the listing program from Swiss Ephemeris's star catalogue:
//   ZYKFFL.DTF  22 little-endian doubles per star: tropical ecliptic longitude of date (degrees) at
//               the start of the years 1790, 1800, ..., 2000;
//   zykffn.dtf  one 45-byte record per star: its name and description, NUL-padded.
// 106 stars ordered by longitude, 25 of them from 0 to 90 degrees, 28 above 90, 24 above 180 and 29
// above 270, with no star crossing a quadrant boundary between 1790 and 2100. The stars an astrologer
// expects are always taken; the rest of each quadrant is filled with the brightest named stars.
//
// Usage: make_stars CATALOGUE EPHEMERIS_DIR OUT_DIR   (e.g. /usr/share/libswe/ephe/sefstars.txt)
#include <swephexp.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Star {
  std::string name, nomenclature;
  double magnitude = 99;
  std::array<double, 22> lon{};  // 1790 .. 2000
  double lon2100 = 0;
  bool required = false;
};

const char* kRequired[] = {
    "Aldebaran", "Regulus",   "Spica",     "Antares",   "Fomalhaut", "Algol",      "Alcyone",  "Sirius",
    "Procyon",   "Castor",    "Pollux",    "Betelgeuse", "Rigel",    "Bellatrix",  "Capella",  "Vega",
    "Arcturus",  "Deneb Adige", "Altair",  "Achernar", "Canopus",   "Alphecca",   "Zuben Elgenubi",
    "Zuben Eschamali", "Vindemiatrix", "Denebola", "Algorab", "Markab", "Scheat", "Alpheratz", "Hamal",
    "Menkar",    "Mirach",    "Sheratan",  "Acubens",  "Praesepe Cluster", "Alphard", "Ras Alhague",
    "Rasalgethi", "Sabik",    "Nunki",     "Deneb Algedi", "Sadalmelik", "Sadalsuud", "Facies", "Polaris",
    "Alnilam",   "Mintaka",   "Alnitak",   "Menkalinan", "El Nath", "Toliman", "Agena", "Acrux"};

std::string trim(const std::string& s) {
  const auto a = s.find_first_not_of(" \t");
  const auto b = s.find_last_not_of(" \t\r");
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

std::string greek(const std::string& nomenclature) {
  static const std::map<std::string, std::string> kGreek = {
      {"al", "alpha"}, {"be", "beta"},  {"ga", "gamma"},   {"de", "delta"}, {"ep", "epsilon"}, {"ze", "zeta"},
      {"et", "eta"},   {"th", "theta"}, {"io", "iota"},    {"ka", "kappa"}, {"la", "lambda"},  {"mu", "mu"},
      {"nu", "nu"},    {"xi", "xi"},    {"omi", "omicron"}, {"pi", "pi"},   {"rh", "rho"},     {"si", "sigma"},
      {"ta", "tau"},   {"up", "upsilon"}, {"ph", "phi"},   {"ch", "chi"},   {"ps", "psi"},     {"ome", "omega"}};
  for (int len : {3, 2}) {
    if (nomenclature.size() > static_cast<std::size_t>(len)) {
      auto it = kGreek.find(nomenclature.substr(0, len));
      if (it != kGreek.end()) {
        std::string rest = nomenclature.substr(len);
        if (!rest.empty() && rest[0] == '-') rest = rest.substr(1);  // "al-1Cen" style
        return it->second + " " + rest;
      }
    }
  }
  return nomenclature;
}

double longitudeAt(const std::string& nomenclature, int year) {
  char star[SE_MAX_STNAME * 2 + 1];
  std::snprintf(star, sizeof star, ",%s", nomenclature.c_str());
  double xx[6], tjd = swe_julday(year, 1, 1, 0.0, SE_GREG_CAL);
  char err[AS_MAXCH];
  if (swe_fixstar2_ut(star, tjd, SEFLG_MOSEPH, xx, err) < 0) throw std::runtime_error(std::string(err));
  return xx[0];
}

int quadrant(double lon) {
  if (lon <= 90) return 0;
  if (lon <= 180) return 1;
  if (lon <= 270) return 2;
  return 3;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: make_stars CATALOGUE EPHEMERIS_DIR OUT_DIR\n";
    return 2;
  }
  swe_set_ephe_path(argv[2]);
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "cannot open " << argv[1] << "\n";
    return 1;
  }
  std::vector<Star> stars;
  std::set<std::string> seen, seenNames;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::stringstream ss(line);
    std::string cell;
    while (std::getline(ss, cell, ',')) f.push_back(trim(cell));
    if (f.size() < 14 || f[0].empty() || f[1].empty()) continue;
    // The first (traditional) name of each star, each name once; catalogue test entries left out.
    if (f[0].find('_') != std::string::npos || f[0] == "Test") continue;
    if (seen.count(f[1]) || seenNames.count(f[0])) continue;
    seen.insert(f[1]);
    seenNames.insert(f[0]);
    Star s;
    s.name = f[0];
    s.nomenclature = f[1];
    s.magnitude = std::atof(f[13].c_str());
    for (const char* r : kRequired)
      if (s.name == r) s.required = true;
    // Bright stars with a Bayer designation only (no galaxies, clusters or reference points unless
    // required by name).
    if (!s.required && (s.magnitude > 3.5 || s.name.size() < 3 || greek(s.nomenclature) == s.nomenclature)) continue;
    stars.push_back(s);
  }
  std::vector<Star> usable;
  for (auto& s : stars) {
    try {
      for (int j = 0; j < 22; ++j) s.lon[j] = longitudeAt(s.nomenclature, 1790 + 10 * j);
      s.lon2100 = longitudeAt(s.nomenclature, 2100);
    } catch (const std::exception& e) {
      std::cerr << "skipping " << s.name << ": " << e.what() << "\n";
      continue;
    }
    // A star that crosses a quadrant boundary (or 0 degrees) between 1790 and 2100 is left out.
    if (quadrant(s.lon[0]) != quadrant(s.lon2100) || s.lon2100 < s.lon[0]) {
      if (s.required) std::cerr << "required star " << s.name << " crosses a quadrant boundary; left out\n";
      continue;
    }
    usable.push_back(s);
  }
  const int want[4] = {25, 28, 24, 29};
  std::vector<Star> chosen;
  for (int q = 0; q < 4; ++q) {
    std::vector<Star> inQ;
    for (const auto& s : usable)
      if (quadrant(s.lon[21]) == q) inQ.push_back(s);
    std::stable_sort(inQ.begin(), inQ.end(), [](const Star& a, const Star& b) {
      if (a.required != b.required) return a.required;
      return a.magnitude < b.magnitude;
    });
    if (static_cast<int>(inQ.size()) < want[q]) {
      std::cerr << "quadrant " << q << " has only " << inQ.size() << " stars\n";
      return 1;
    }
    inQ.resize(want[q]);
    chosen.insert(chosen.end(), inQ.begin(), inQ.end());
  }
  std::stable_sort(chosen.begin(), chosen.end(), [](const Star& a, const Star& b) { return a.lon[21] < b.lon[21]; });
  std::string ffl, ffn;
  for (const auto& s : chosen) {
    for (double v : s.lon) ffl.append(reinterpret_cast<const char*>(&v), sizeof v);
    char rec[45] = {};
    char mag[16];
    std::snprintf(mag, sizeof mag, "%.1f", s.magnitude);
    const std::string text = s.name + " (" + greek(s.nomenclature) + "), mag. " + mag;
    std::strncpy(rec, text.c_str(), sizeof rec - 1);
    ffn.append(rec, sizeof rec);
  }
  const std::string out = argv[3];
  std::ofstream(out + "/ZYKFFL.DTF", std::ios::binary) << ffl;
  std::ofstream(out + "/zykffn.dtf", std::ios::binary) << ffn;
  int counts[4] = {};
  for (const auto& s : chosen) ++counts[quadrant(s.lon[21])];
  std::cout << chosen.size() << " stars; per quadrant " << counts[0] << " " << counts[1] << " " << counts[2] << " "
            << counts[3] << "\n";
  for (const auto& s : chosen)
    std::printf("%-18s %-8s %5.2f  %9.4f %9.4f\n", s.name.c_str(), s.nomenclature.c_str(), s.magnitude, s.lon[0],
                s.lon[21]);
  swe_close();
  return 0;
}
