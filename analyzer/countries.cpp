#include "analyzer/countries.h"

namespace pellard {

// The lines as the report page has always held them: one country a line,
// with their stray blanks and tabs, and two countries listed twice.
const std::array<std::string_view, kCountryLines> kCountries = {
    "Ireland", "Angola", "Algeria", "Benin", "Botswana ", "Burkino Fasso", "Burundi", "Cameroon",
    "Central A. R.", "Comoros", "Congo", "Djibouti", "DRC CONGO", "Egypt", "Eritria ", "Ethiopia",
    "Gabon", "Gambia", "Ghana", "Guinea", "Ivory Coast", "Kenya", "Lesotha", "Liberia", "Libya",
    "Madagascar", "Malawi", "Mali", "Mauritania", "Mauritius", "Morocco", "Mozambique", "Namibia",
    "Niger", "Nigeria", "Rwanda", "Senegal", "Seychelles", "Sierra Leone", "Somalia",
    "South Africa", "Sudan", "Swaziland", "Tanzania", "Tunisia", "Uganda", "Uzbekistan", "Zambia",
    "Zimbabwe", "Afghanistan", "Armenia", "Bangladesh", "Bhutan", "Brunei", "Burma", "China",
    "Cyprus", "India", "Indonesia", "Japan", "Kazakhstan", "Korea", "Kyrgyzstan", "Laos", "Latvia",
    "Malaysia", "Maldives", "Mongolia", "Nepal", "Pakistan", "Philippines", "Russia", "Singapore",
    "Taiwan", "Tajikistan", "Thailand", "Turkey", "Turkmenistan", "Vietnam", " Antigua", "Bahamas",
    "Barbados", "Cuba", "Dominica", "Dominican Republic", "Greneda", "Haiti", "Honduras",
    "Jamaica", "St. Kitts & Nevis", "St.Vincent", "Trinidad", "Albania", "Austria", "Azerbaijan",
    "Belarus", "Belgium", "Bosnia", "Bulgaria", "Croatia", "Czech Republic\t", "Denmark",
    "Estonia", "Finland", "France", "Germany", "Greece", "Hungary", "Iceland", "Ireland", "Italy",
    "Lithuania", "Luxemberg", "Macedonia", "Malta", "Moldova", "Netherlands", "Norway", "Poland",
    "Portugal", "Romania", "Russia", "Serbia", "Slovenia", "Slovokia\t", "Spain", "Sweden",
    "Switzerland", "United Kingdom", "Ukraine", "Bahrain", "Iran", "Iraq", "Israel", "Jordan",
    "Kuwait", "Lebanon", "Oman", "Qatar", "Saudi Arabia", "Syria", "Unites Arab Emerates", "Yemen",
    "Canada", "Mexico", "United States", "Australia", "New Zealand", "Papua New Guinea", "Fiji",
    "Kirbati", "Micronesia", "Samoa", "Solomon Islands", "Vanuatu", "Argentina", "Belize",
    "Bolivia", "Brazil", "Cape Verde", "Chile", "Costa Rica", "Ecuador", "El Salvador",
    "Equitorial Guinea", "Guatemala", "Guyana", "Nicaragua", "Panama", "Paraguay", "Peru",
    "Suriname", "Uruguay", "Venezuela",
};

}  // namespace pellard
