// zykcore: calendar and time. Julian Days (universal time) from calendar dates and back, local
// sidereal time, the correction from universal to dynamical time, date and time validity and stepping.
#pragma once
#include <cstdint>

namespace talpora {

// Julian Day of a date and clock time (UT when the time is UT). Always the Gregorian correction.
double julian_dayh(int day, int month, int year, int hour, int minute);
double julian_day(int day, int month, int year, double dayFraction);
// Calendar date and time of a Julian Day (Julian calendar before JD 2299160.5). Minutes rounded.
void jd_to_date(double jd, short* day, short* month, short* year, short* hour, short* minute);

// Local sidereal time, hours in [0, 24), of a UT Julian Day at a longitude in hours (east positive).
double sideral_time(double jdUT, double longitudeHours);
// Kept for callers outside the suite: always 0.0.
double ST_to_UT(double unused, double jd, int year);
// Delta T = TDT - UT in seconds for a year.
double tdt(int year);

// Gregorian leap-year rule.
bool isLeapYear(int year);
int daysInMonth(int month, int year);

int IsDateValid(short* day, short* month, short* year);
void Add1DayToThisDate(short* day, short* month, short* year);
void Sub1DayToThisDate(short* day, short* month, short* year);
void Add1MonthToThisDate(short* day, short* month, short* year);
void Sub1MonthToThisDate(short* day, short* month, short* year);
int Is24hTimeValid(short* hour, short* minute, short* second);
int IsAMPMTimeValid(short* hour, short* minute, short* second);
int Convert24hTimeToAMPM(int* hour, int* isPM);
int ConvertAMPMTimeTo24h(int* hour, int isPM);

// A year typed with one or two digits (0..99), expanded with a pivot on the current year: from 00 up to
// the current year's last two digits it is 20xx, anything else 19xx. Years outside 0..99 come back as
// they are (the dialogs call this only for boxes holding one or two digits).
int expandTwoDigitYear(int year, int currentYear);

}  // namespace talpora
