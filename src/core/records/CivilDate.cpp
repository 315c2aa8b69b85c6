// Dates as text and as day numbers.
#include "records/CivilDate.h"

#include "records/DayNumber.h"

#include <cstdio>

namespace quorvel {

namespace {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// The digits of text[from, from + count) as a number; -1 when one is not a digit.
int digits(std::string_view text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

std::string isoDate(const CivilDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::optional<CivilDate> parseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const CivilDate date{digits(text, 0, 4), digits(text, 5, 2), digits(text, 8, 2)};
    if (date.year < 1900 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > daysInMonth(date.year, date.month))
        return std::nullopt;
    return date;
}

int dayNumberOf(const CivilDate& date) {
    return dayNumber(date.year, date.month, date.day);
}

// Counts from an estimate, so no calendar arithmetic is written twice.
CivilDate dateOfDayNumber(int number) {
    CivilDate date{1899 + static_cast<int>(number / 365.2425), 1, 1};
    while (dayNumberOf(date) > number)
        --date.year;
    while (dayNumberOf({date.year + 1, 1, 1}) <= number)
        ++date.year;
    while (date.month < 12 && dayNumberOf({date.year, date.month + 1, 1}) <= number)
        ++date.month;
    date.day = 1 + number - dayNumberOf({date.year, date.month, 1});
    return date;
}

} // namespace quorvel
