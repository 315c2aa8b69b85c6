// A day of the calendar, as the statistics and the daily puzzle's records keep it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

struct CivilDate {
    int year = 2000;
    int month = 1;
    int day = 1;

    bool operator==(const CivilDate&) const = default;
};

// "YYYY-MM-DD", four digits of year and two of month and day.
std::string isoDate(const CivilDate& date);
// A real date of the years 1900..9999 written as "YYYY-MM-DD"; none for anything else.
std::optional<CivilDate> parseIsoDate(std::string_view text);
// The days from 1899-12-30; the date a day number names.
int dayNumberOf(const CivilDate& date);
CivilDate dateOfDayNumber(int dayNumber);

} // namespace quorvel
