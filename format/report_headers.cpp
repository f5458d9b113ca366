// zykfmt: the chart header of a listing and the zodiac line.
#include "format/report_headers.h"

#include "format/text_format.h"

namespace talpora {

void ListingHeader(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                   const Chart2& chart, int) {
  AddLine(report, length, nameOf(birth) + "  " + typeTextOf(birth), 1, 0);
  const std::string when = Smart_datetime(chart.julianDay, 1, 0, 1, 1, 0, settings);
  AddLine(report, length,
          when + ", " + placeOf(birth) + " " + edb_geographicalongldms(birth.longitude * 15.0, 0, 0) + " " +
              edb_geographicallatdm(birth.latitude, 0, 0),
          1, 0);
  if (birth.timeKnown == 0) AddLine(report, length, "Time unknown - no houses calculated", 1, 0);
}

void UsingWhichZodiac(int zodiac, const CIni& settings, Report& report, unsigned long* length) {
  if (zodiac == 0)
    AddLine(report, length, "Tropical Zodiac", 1, 0);
  else if (zodiac == 1)
    AddLine(report, length, "Sidereal Zodiac (" + AyanamsaName(settings, 0) + ")", 1, 0);
}

}  // namespace talpora
