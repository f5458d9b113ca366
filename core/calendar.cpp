// zykcore: calendar and time.
#include "core/calendar.h"

#include <cmath>

namespace talpora {

// Julian Day from a calendar date, Gregorian correction for every year; the absolute values are
// part of the rule (years before 1 give no true Julian Day). Meeus, Astronomical Formulae for
// Calculators, ch. 3. Input: date, day fraction; output: JD in the time scale of the input.
double julian_day(int day, int month, int year, double dayFraction) {
  double y = year, m = month;
  if (month < 3) {
    y = year - 1;
    m = month + 12;
  }
  const double a = std::floor(std::fabs(y * 0.01));
  const double b = 2 - a + std::floor(std::fabs(a * 0.25));
  const double p = std::floor(std::fabs(365.25 * y));
  const double q = std::floor((m + 1) * 30.6001);
  return p + q + day + b + 1720994.5 + dayFraction;
}

double julian_dayh(int day, int month, int year, int hour, int minute) {
  return julian_day(day, month, year, hour * (1.0 / 24.0) + minute * (1.0 / 1440.0));
}

int expandTwoDigitYear(int year, int currentYear) {
  if (year < 0 || year > 99) return year;
  const int pivot = ((currentYear % 100) + 100) % 100;
  return year <= pivot ? 2000 + year : 1900 + year;
}

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int month, int year) {
  static constexpr int kDays[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  if (month == 2 && !isLeapYear(year)) return 28;
  return kDays[month];
}

// Calendar date from a Julian Day: Meeus, Astronomical Formulae for Calculators, ch. 3 (Julian
// calendar before JD 2299160.5). Minutes are rounded, with carries into hour, day, month and year.
void jd_to_date(double jd, short* day, short* month, short* year, short* hour, short* minute) {
  const double z = std::floor(jd + 0.5);
  const double f = (jd + 0.5) - z;
  const bool julianCalendar = z < 2299161;
  double a = z;
  if (!julianCalendar) {
    const double alpha = std::floor((z - 1867216.25) * 2.7379070069885075e-05);
    a = z + 1 + alpha - std::trunc(alpha / 4);
  }
  const double b = a + 1524;
  const double k = std::floor((b - 122.1) * 0.0027378507871321013);
  const double d = std::floor(365.25 * k);
  const double e = std::floor((b - d) * 0.03267963176590926);
  const double dayWithFraction = b - d - std::floor(30.6001 * e) + f;
  int mo = static_cast<int>(e >= 14 ? e - 13 : e - 1);
  int yr = static_cast<int>(mo > 2 ? k - 4716 : k - 4715);
  int dy = static_cast<int>(std::floor(dayWithFraction));
  const double r = dayWithFraction - dy;
  int hr = static_cast<int>(std::floor(r * 24));
  int mi = static_cast<int>(std::floor((r * 24 - hr) * 60 + 0.5));
  if (mi >= 60) {
    mi = 0;
    ++hr;
  }
  if (hr >= 24) {
    hr = 0;
    ++dy;
  }
  if (yr >= 1) {
    // The calendar in force on that day: Julian before the reform, Gregorian after.
    int length = daysInMonth(mo, yr);
    if (julianCalendar && mo == 2) length = (yr % 4 == 0) ? 29 : 28;
    if (dy > length) {
      dy = 1;
      ++mo;
    }
  }
  if (mo > 12) {
    mo = 1;
    ++yr;
  }
  *day = static_cast<short>(dy);
  *month = static_cast<short>(mo);
  *year = static_cast<short>(yr);
  *hour = static_cast<short>(hr);
  *minute = static_cast<short>(mi);
}

// Local sidereal time: Newcomb's expression referred to 1900 January 0.5 (Meeus, Astronomical
// Formulae for Calculators, ch. 7). Input: JD in UT, longitude in hours east; output hours [0, 24).
double sideral_time(double jdUT, double longitudeHours) {
  const double u = jdUT - 2415019.5;
  const double f = u - std::floor(u);
  const double t = ((jdUT - f) - 2415020) * 2.7378507871321012e-05;
  const double s0 = t * (t * 0.00002581 + 2400.051262) + 6.6460656;
  const double s = s0 + f * 24.065709792 + longitudeHours;
  return s - 24 * std::floor(s / 24);
}

double ST_to_UT(double, double, int) {
  return 0.0;
}

// Delta T = TDT - UT, seconds. 1900..2020: the suite's decade table, interpolated linearly by year;
// 1990 to 2020 hold the observed values (IERS: 56.9, 63.8, 66.1, 69.4 s) in place of the forecasts
// made before those years. 2020..2050: from the observed 2020 value, which has hardly changed since,
// a parabola without slope at 2020 that meets the long-term model below at 2050. Elsewhere the
// polynomial expressions of Espenak and Meeus, "Five Millennium Canon of Solar Eclipses"
// (NASA/TP-2006-214141), evaluated at the year's start.
double tdt(int year) {
  static constexpr double kTable[13] = {-3.9, 10.5, 20.4, 23.2, 24.2, 29.4, 33.4,
                                        40.7, 51.0, 56.9, 63.8, 66.1, 69.4};
  if (year >= 1900 && year <= 2020) {
    const int i = (year - 1900) / 10;
    if (i == 12) return kTable[12];
    return kTable[i] + (kTable[i + 1] - kTable[i]) * (year % 10) * 0.1;
  }
  const double y = year;
  if (year > 2020 && year < 2050) {
    // The 2050 value of the long-term model: -20 + 32 u^2 - 0.5628 (2150 - 2050), u = 2.3.
    constexpr double k2050 = -20 + 32 * 2.3 * 2.3 - 0.5628 * 100;
    const double t = (y - 2020) / 30;
    return kTable[12] + (k2050 - kTable[12]) * t * t;
  }
  if (year >= 2050 && year < 2150) {
    const double u = (y - 1820) / 100;
    return -20 + 32 * u * u - 0.5628 * (2150 - y);
  }
  if (year >= 2150 || year < -500) {
    const double u = (y - 1820) / 100;
    return -20 + 32 * u * u;
  }
  if (year >= 1860) {
    const double t = y - 1860;
    return 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * t * t * t - 0.0004473624 * std::pow(t, 4) +
           std::pow(t, 5) / 233174;
  }
  if (year >= 1800) {
    const double t = y - 1800;
    return 13.72 - 0.332447 * t + 0.0068612 * t * t + 0.0041116 * t * t * t - 0.00037436 * std::pow(t, 4) +
           0.0000121272 * std::pow(t, 5) - 0.0000001699 * std::pow(t, 6) + 0.000000000875 * std::pow(t, 7);
  }
  if (year >= 1700) {
    const double t = y - 1700;
    return 8.83 + 0.1603 * t - 0.0059285 * t * t + 0.00013336 * t * t * t - std::pow(t, 4) / 1174000;
  }
  if (year >= 1600) {
    const double t = y - 1600;
    return 120 - 0.9808 * t - 0.01532 * t * t + t * t * t / 7129;
  }
  if (year >= 500) {
    const double u = (y - 1000) / 100;
    return 1574.2 - 556.01 * u + 71.23472 * u * u + 0.319781 * std::pow(u, 3) - 0.8503463 * std::pow(u, 4) -
           0.005050998 * std::pow(u, 5) + 0.0083572073 * std::pow(u, 6);
  }
  const double u = y / 100;
  return 10583.6 - 1014.41 * u + 33.78311 * u * u - 5.952053 * std::pow(u, 3) - 0.1798452 * std::pow(u, 4) +
         0.022174192 * std::pow(u, 5) + 0.0090316521 * std::pow(u, 6);
}

int IsDateValid(short* day, short* month, short* year) {
  if (*day <= 0) *day = -1;
  if (*month < 1 || *month > 12) {
    *day = -1;
    *month = -1;
  } else if (*day > daysInMonth(*month, *year)) {
    *day = -1;
  }
  return (*day != -1 && *month != -1) ? 1 : 0;
}

void Add1DayToThisDate(short* day, short* month, short* year) {
  if (*day + 1 <= daysInMonth(*month, *year)) {
    ++*day;
    return;
  }
  *day = 1;
  if (++*month > 12) {
    *month = 1;
    ++*year;
  }
}

void Sub1DayToThisDate(short* day, short* month, short* year) {
  if (*day > 1) {
    --*day;
    return;
  }
  if (--*month < 1) {
    *month = 12;
    --*year;
  }
  *day = static_cast<short>(daysInMonth(*month, *year));
}

static void clampDay(short* day, short month, short year) {
  const int length = daysInMonth(month, year);
  if (*day > length) *day = static_cast<short>(length);
}

void Add1MonthToThisDate(short* day, short* month, short* year) {
  if (++*month > 12) {
    *month = 1;
    ++*year;
  }
  clampDay(day, *month, *year);
}

void Sub1MonthToThisDate(short* day, short* month, short* year) {
  if (--*month < 1) {
    *month = 12;
    --*year;
  }
  clampDay(day, *month, *year);
}

int Is24hTimeValid(short* hour, short* minute, short* second) {
  if (*hour < 0 || *hour > 24 || (*hour == 24 && *minute != 0)) *hour = -1;
  if (*minute < 0 || *minute > 59) *minute = -1;
  if (*second < 0 || *second > 59) *second = -1;
  return (*hour != -1 && *minute != -1 && *second != -1) ? 1 : 0;
}

int IsAMPMTimeValid(short* hour, short* minute, short* second) {
  if (*hour < 1 || *hour > 12) *hour = -1;
  if (*minute < 0 || *minute > 59) *minute = -1;
  if (*second < 0 || *second > 59) *second = -1;
  return (*hour != -1 && *minute != -1 && *second != -1) ? 1 : 0;
}

int Convert24hTimeToAMPM(int* hour, int* isPM) {
  if (*hour < 0) return 0;
  if (*hour == 0 || *hour == 24) {
    *hour = 12;
    *isPM = 0;
  } else if (*hour < 12) {
    *isPM = 0;
  } else if (*hour == 12) {
    *isPM = 1;
  } else {
    *hour -= 12;
    *isPM = 1;
  }
  return 1;
}

int ConvertAMPMTimeTo24h(int* hour, int isPM) {
  if (*hour == 12) {
    *hour = isPM ? 12 : 0;
  } else if (isPM == 1) {
    *hour += 12;
  }
  return 1;
}

}  // namespace talpora
