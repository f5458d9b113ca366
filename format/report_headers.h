// zykfmt: the two report writers of the formatting library, the chart header of a listing and the
// line that names the zodiac of a listing.
#pragma once
#include "core/records.h"
#include "format/report_buffer.h"

namespace talpora {

// Appends the chart header: the name and the kind of chart; the date and time (universal time, as
// stored), the place and its coordinates; and, when the time is unknown, "Time unknown - no houses
// calculated".
void ListingHeader(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                   const Chart2& chart, int ignored = 0);

// Appends "Tropical Zodiac" (zodiac 0) or "Sidereal Zodiac (" with the ayanamsa's name and ")"
// (zodiac 1); any other value appends nothing.
void UsingWhichZodiac(int zodiac, const CIni& settings, Report& report, unsigned long* length);

}  // namespace talpora
