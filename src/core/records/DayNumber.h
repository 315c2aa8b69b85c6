// Day numbers: whole days since 30 December 1899, as the settings file stores dates.
#pragma once

namespace quorvel {

// The day number of a date of the proleptic Gregorian calendar (1899-12-30 is 0, 1900-01-01
// is 2). Month 1..12, day 1..31; the result is negative for dates before the epoch.
int dayNumber(int year, int month, int day);

} // namespace quorvel
