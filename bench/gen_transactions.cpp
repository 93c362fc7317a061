// Writes a transaction download of the kind the analyzer reads: a heading
// line, then one transaction per line with Date ("YYYY/MM/DD" over three
// years, unsorted), Time, Time Zone, Name, Type, Status (with case variants), Currency,
// Gross, Fee and Net (two-decimal amounts, some negative), Address (ending in
// a country), Email, Payment Method and Note (some quoted, holding a comma).
// The same seed gives the same file.
//
// usage: bench_gen_transactions OUT.csv [ROWS] [SEED]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Rng {
    std::uint64_t s;
    std::uint64_t Next() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
};

const char* const kFirst[] = {"Maria",  "James", "Linda", "Robert", "Ana",   "Wei",
                              "Fatima", "John",  "Olga",  "Pierre", "Keiko", "Samuel",
                              "Grace",  "Ivan",  "Lucia", "Omar"};
const char* const kLast[] = {"Hernandez", "Smith",  "Okafor", "Nguyen", "Rossi",
                             "Kowalski",  "Chen",   "Dubois", "Silva",  "Murphy",
                             "Tanaka",    "Haddad", "Jensen", "Brown"};
const char* const kTypes[] = {"Payment Received", "Refund", "Subscription", "Withdrawal",
                              "Invoice"};
const char* const kStatus[] = {"Completed", "completed", "COMPLETED",
                               "Pending",   "Denied",    "Refunded"};
const char* const kStreets[] = {"Oak St", "Main St", "High Rd", "Elm Ave", "Lake Dr", "Park Ln"};
const char* const kCities[] = {"Springfield IL 62704", "Leeds LS1 4AP",  "Lyon 69002",
                               "Porto 4000-123",       "Osaka 530-0001", "Toronto ON M5V 2T6",
                               "Berlin 10115"};
const char* const kCountries[] = {"United States", "United Kingdom", "France", "Portugal",
                                  "Japan",         "Canada",         "Germany"};
const char* const kZones[] = {"PST", "EST", "GMT", "CET", "JST"};
const char* const kMethods[] = {"Visa", "MasterCard", "Bank Transfer", "Balance", "Amex"};
const char* const kNotes[] = {"",
                              "",
                              "",
                              "Thank you",
                              "Order 4411",
                              "\"Gift, wrapped\"",
                              "\"Rush, please\"",
                              "Repeat customer"};

template <std::size_t N>
const char* Pick(Rng& r, const char* const (&list)[N]) {
    return list[r.Below(static_cast<int>(N))];
}

void Cents(std::string& out, long cents) {
    char buf[32];
    const long a = cents < 0 ? -cents : cents;
    std::snprintf(buf, sizeof buf, "%s%ld.%02ld", cents < 0 ? "-" : "", a / 100, a % 100);
    out += buf;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.csv [ROWS] [SEED]\n", argv[0]);
        return 2;
    }
    const long rows = argc > 2 ? std::atol(argv[2]) : 1000000;
    Rng rng{argc > 3 ? std::strtoull(argv[3], nullptr, 10) | 1 : 20261209};
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    std::string line =
        "Date,Time,Time Zone,Name,Type,Status,Currency,Gross,Fee,Net,Address,Email,Payment "
        "Method,Note\r\n";
    std::fwrite(line.data(), 1, line.size(), f);
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    char buf[64];
    for (long i = 0; i < rows; ++i) {
        line.clear();
        const int year = 2022 + rng.Below(3);
        const int month = 1 + rng.Below(12);
        const int day = 1 + rng.Below(kDays[month - 1]);
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d,%02d:%02d:%02d,%s,", year, month, day,
                      rng.Below(24), rng.Below(60), rng.Below(60), Pick(rng, kZones));
        line += buf;
        const char* first = Pick(rng, kFirst);
        const char* last = Pick(rng, kLast);
        line += first;
        line += ' ';
        line += last;
        line += ',';
        const char* type = Pick(rng, kTypes);
        line += type;
        line += ',';
        line += Pick(rng, kStatus);
        line += ",USD,";
        long gross = 100 + rng.Below(50000);
        if (type[0] == 'R' || type[0] == 'W') gross = -gross;
        const long fee = -(gross < 0 ? 0 : 30 + gross * 29 / 1000);
        Cents(line, gross);
        line += ',';
        Cents(line, fee);
        line += ',';
        Cents(line, gross + fee);
        line += ',';
        const int country = rng.Below(7);
        std::snprintf(buf, sizeof buf, "%d ", 1 + rng.Below(999));
        line += buf;
        line += Pick(rng, kStreets);
        line += ' ';
        line += kCities[country];
        line += ' ';
        line += kCountries[country];
        line += ',';
        for (const char* p = first; *p; ++p) line += static_cast<char>(*p | 0x20);
        line += '.';
        for (const char* p = last; *p; ++p) line += static_cast<char>(*p | 0x20);
        std::snprintf(buf, sizeof buf, "%d@example.com,", rng.Below(100));
        line += buf;
        line += Pick(rng, kMethods);
        line += ',';
        line += Pick(rng, kNotes);
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), f);
    }
    return std::fclose(f) == 0 ? 0 : 1;
}
