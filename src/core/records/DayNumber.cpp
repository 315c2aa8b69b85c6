// Day numbers from civil dates, by counting days in 400-year eras.
#include "records/DayNumber.h"

namespace quorvel {

namespace {

// Days from 1970-01-01 to the given date (H. Hinnant's days_from_civil).
long long daysFromCivil(long long year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

} // namespace

int dayNumber(int year, int month, int day) {
    static const long long epoch = daysFromCivil(1899, 12, 30);
    return static_cast<int>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - epoch);
}

} // namespace quorvel
