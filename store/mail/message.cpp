#include "store/mail/message.h"

#include "store/core/codepage.h"

#include <chrono>
#include <cstdio>
#include <random>

namespace brenvik {

namespace {

bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Characters of an atom in a display name (plus the blank between words).
bool IsPhraseChar(unsigned char c) {
    if (c >= '0' && c <= '9') return true;
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') return true;
    return std::string_view(" !#$%&'*+-/=?^_`{|}~").find(char(c)) != std::string_view::npos;
}

// Header text that is plain ASCII and cannot be read as an encoded word.
bool IsPlainHeaderText(std::string_view text) {
    return IsAscii(text) && text.find("=?") == std::string_view::npos;
}

// Lines that need no transfer encoding: ASCII without control characters
// (tab aside), each well within the protocol's line limit.
bool IsPlainBody(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (line.size() > 998) return false;
        for (unsigned char c : line)
            if (c > 0x7E || (c < 0x20 && c != '\t')) return false;
    }
    return true;
}

std::string Hex2(unsigned char c) {
    static const char kDigits[] = "0123456789ABCDEF";
    return {'=', kDigits[c >> 4], kDigits[c & 15]};
}

std::string FieldText(std::string_view text) {
    return SingleLine(FirstCharacters(text, kMailFieldLimit));
}

}  // namespace

MailPriority PriorityFromText(std::string_view text) {
    if (text == "High") return MailPriority::High;
    if (text == "Low") return MailPriority::Low;
    return MailPriority::Normal;
}

std::string FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsContinuationByte(static_cast<unsigned char>(text[i]))) continue;
        if (chars++ == count) return std::string(text.substr(0, i));
    }
    return std::string(text);
}

std::string SingleLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool inBreak = false;
    for (unsigned char c : text) {
        if (c == '\r' || c == '\n') {
            if (!inBreak) out += ' ';
            inBreak = true;
            continue;
        }
        inBreak = false;
        if ((c < 0x20 && c != '\t') || c == 0x7F) continue;
        out += char(c);
    }
    return out;
}

std::string AddressProblem(std::string_view address) {
    for (unsigned char c : address) {
        if (c <= ' ' || c == 0x7F) return "The address contains a blank or a line break.";
        if (c > 0x7F) return "The address holds characters other than plain ASCII.";
        if (c == '<' || c == '>') return "The address contains \"<\" or \">\".";
    }
    return {};
}

std::string Base64(std::string_view bytes) {
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        unsigned v = unsigned(static_cast<unsigned char>(bytes[i])) << 16 |
                     unsigned(static_cast<unsigned char>(bytes[i + 1])) << 8 |
                     unsigned(static_cast<unsigned char>(bytes[i + 2]));
        for (int shift : {18, 12, 6, 0}) out += kAlphabet[(v >> shift) & 63];
    }
    if (std::size_t rest = bytes.size() - i) {
        unsigned v = unsigned(static_cast<unsigned char>(bytes[i])) << 16;
        if (rest == 2) v |= unsigned(static_cast<unsigned char>(bytes[i + 1])) << 8;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string HeaderText(std::string_view text) {
    if (IsPlainHeaderText(text)) return std::string(text);
    // 45 bytes give 60 Base64 characters: with "=?UTF-8?B?" and "?=" the
    // 75 characters an encoded word may have. Words end on whole characters.
    constexpr std::size_t kChunk = 45;
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = std::min(text.size(), start + kChunk);
        while (end < text.size() && end > start + 1 &&
               IsContinuationByte(static_cast<unsigned char>(text[end])))
            --end;
        if (!out.empty()) out += "\r\n ";
        out += "=?UTF-8?B?" + Base64(text.substr(start, end - start)) + "?=";
        start = end;
    }
    return out;
}

std::string HeaderAddress(std::string_view name, std::string_view address) {
    const std::string addr = "<" + std::string(address) + ">";
    if (name.empty()) return std::string(address);
    if (!IsPlainHeaderText(name)) return HeaderText(name) + " " + addr;
    bool atoms = true;
    for (unsigned char c : name) atoms = atoms && IsPhraseChar(c);
    if (atoms && name.front() != ' ' && name.back() != ' ') return std::string(name) + " " + addr;
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\" " + addr;
}

std::string QuotedPrintable(const std::vector<std::string>& lines) {
    std::string out;
    for (std::size_t l = 0; l < lines.size(); ++l) {
        const std::string& line = lines[l];
        if (l > 0) out += "\r\n";
        std::size_t length = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const auto c = static_cast<unsigned char>(line[i]);
            const bool last = i + 1 == line.size();
            std::string token;
            if ((c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !last))
                token = std::string(1, char(c));
            else token = Hex2(c);
            // 76 characters at most, the "=" of a soft break included.
            if (length + token.size() > 75) {
                out += "=\r\n";
                length = 0;
            }
            out += token;
            length += token.size();
        }
    }
    return out;
}

std::string MailDate(std::time_t t, int offsetMinutes) {
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t local = t + std::time_t(offsetMinutes) * 60;
    std::tm tm{};
    gmtime_r(&local, &tm);
    const int offset = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s, %d %s %d %02d:%02d:%02d %c%02d%02d", kDays[tm.tm_wday],
                  tm.tm_mday, kMonths[tm.tm_mon], tm.tm_year + 1900, tm.tm_hour, tm.tm_min,
                  tm.tm_sec, offsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return buf;
}

std::string MailDateNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return MailDate(now, int(tm.tm_gmtoff / 60));
}

std::string NewMessageId(std::string_view senderAddress, std::string_view host) {
    std::string domain;
    if (auto at = senderAddress.rfind('@'); at != std::string_view::npos)
        domain = senderAddress.substr(at + 1);
    if (domain.empty() || !AddressProblem(domain).empty()) domain = host;
    if (domain.empty() || !AddressProblem(domain).empty() || domain.find('@') != std::string::npos)
        domain = "localhost";
    static std::mt19937_64 random{std::random_device{}()};
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%llx.%016llx",
                  static_cast<unsigned long long>(
                      std::chrono::duration_cast<std::chrono::microseconds>(now).count()),
                  static_cast<unsigned long long>(random()));
    return "<" + std::string(buf) + "@" + domain + ">";
}

std::string ComposeMessage(const MailMessage& message, std::string_view date,
                           std::string_view messageId) {
    std::string out;
    auto header = [&out](std::string_view name, std::string_view value) {
        out += name;
        out += ':';
        if (!value.empty()) {
            out += ' ';
            out += value;
        }
        out += "\r\n";
    };
    header("Date", SingleLine(date));
    header("From",
           HeaderAddress(FieldText(message.senderName),
                         SingleLine(FirstCharacters(message.senderAddress, kMailFieldLimit))));
    header("To",
           HeaderAddress(FieldText(message.recipientName), SingleLine(message.recipientAddress)));
    header("Subject", HeaderText(FieldText(message.subject)));
    header("Message-ID", SingleLine(messageId));
    header("Mime-Version", "1.0");
    header("Content-Type", "text/plain; charset=UTF-8");
    const bool plain = IsPlainBody(message.body);
    header("Content-Transfer-Encoding", plain ? "7bit" : "quoted-printable");
    if (message.priority == MailPriority::High) header("X-Priority", "1");
    if (message.priority == MailPriority::Low) header("X-Priority", "5");
    out += "\r\n";
    if (message.body.empty()) return out;
    if (plain) {
        for (const std::string& line : message.body) out += line + "\r\n";
    } else {
        out += QuotedPrintable(message.body) + "\r\n";
    }
    return out;
}

std::string DotStuffed(std::string_view message) {
    std::string out;
    out.reserve(message.size() + message.size() / 64 + 8);
    bool lineStart = true;
    for (char c : message) {
        if (lineStart && c == '.') out += '.';
        out += c;
        lineStart = c == '\n';
    }
    if (!lineStart) out += "\r\n";
    out += ".\r\n";
    return out;
}

}  // namespace brenvik
