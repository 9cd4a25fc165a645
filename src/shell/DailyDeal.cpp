#include "shell/DailyDeal.h"

#include "keep/Envelope.h"
#include "keep/Statistics.h"

#include <cstdio>

namespace {

bool IsLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysIn(int year, int month)
{
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : Days[month - 1];
}

// The digits of text[from, from + count) as a number, or -1.
int Digits(std::string_view text, size_t from, size_t count)
{
    int value = 0;
    for (size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

std::optional<std::string> DailyDeal::Date(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const int year = Digits(text, 0, 4);
    const int month = Digits(text, 5, 2);
    const int day = Digits(text, 8, 2);
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysIn(year, month))
        return std::nullopt;
    return std::string(text);
}

std::string DailyDeal::DateOn(std::time_t time)
{
    std::tm local{};
    localtime_r(&time, &local);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return text;
}

uint64_t DailyDeal::Seed(std::string_view date)
{
    return Envelope::Hash("pakaponta-daily-" + std::string(date));
}

std::string DailyDeal::Title(std::string_view date)
{
    return "Pakaponta - daily deal of " + std::string(date);
}

std::string DailyDeal::ShareLine(std::string_view date, int gameMode, int rank, int64_t score,
                                 std::string_view address)
{
    std::string line = "Pakaponta 日替わり " + std::string(date) + " / " +
                       Statistics::Name(Statistics::Index(gameMode)) + " / " + std::to_string(rank) +
                       "位 / " + std::to_string(score) + "点";
    if (!address.empty())
        line += " / " + std::string(address);
    return line;
}
