#pragma once
// The country list of the country summary, line by line as stored. Its lines
// are used after removing leading blanks, dropping empty ones and merging
// those that differ only in case; trailing blanks and tabs stay, so a country
// written with one matches only addresses that have it too.
#include <array>
#include <string_view>

namespace pellard {

inline constexpr std::size_t kCountryLines = 174;
extern const std::array<std::string_view, kCountryLines> kCountries;

}  // namespace pellard
