#pragma once
// A plain-text e-mail as it goes over the wire: headers safe against line
// breaks in user text, UTF-8 declared and encoded so that any server passes
// it unchanged (encoded words in headers, quoted-printable in the body when
// it is not plain ASCII), CR LF line ends and the dot-stuffing of the
// transfer. All texts here are UTF-8.
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

enum class MailPriority { Normal, High, Low };

// Reads the priority box: "High" and "Low" as listed; any other text is normal.
MailPriority PriorityFromText(std::string_view text);

struct MailMessage {
    std::string senderName;
    std::string senderAddress;
    std::string recipientName;
    std::string recipientAddress;
    std::string subject;
    MailPriority priority = MailPriority::Normal;
    std::vector<std::string> body;  // lines, without line ends
};

// At most this many characters of the subject, the names, the sender address
// and the server name are used.
inline constexpr std::size_t kMailFieldLimit = 255;

// The first `count` characters of UTF-8 text (whole characters).
std::string FirstCharacters(std::string_view text, std::size_t count);

// The text on one line: every run of CR and LF becomes one blank and the
// other control characters except tab are dropped, so that user text cannot
// start a header of its own.
std::string SingleLine(std::string_view text);

// Whether an address may go into MAIL FROM / RCPT TO: printable ASCII without
// blanks or angle brackets. Returns an explanation, empty when it may.
std::string AddressProblem(std::string_view address);

// Base64 of bytes (standard alphabet, padded, no line breaks).
std::string Base64(std::string_view bytes);

// A header value in encoded words (=?UTF-8?B?...?=) of at most 75
// characters each, folded onto continuation lines, when the text is not
// plain ASCII or could be mistaken for an encoded word; otherwise the text.
std::string HeaderText(std::string_view text);
// "Name <address>", with the name quoted or encoded as needed; the bare
// address when the name is empty.
std::string HeaderAddress(std::string_view name, std::string_view address);

// Quoted-printable of body lines (each output line at most 76 characters;
// soft breaks as needed), joined with CR LF.
std::string QuotedPrintable(const std::vector<std::string>& lines);

// The Date header's value for time `t` at `offsetMinutes` east of UTC,
// e.g. "Thu, 13 Feb 2025 14:03:00 +0100".
std::string MailDate(std::time_t t, int offsetMinutes);
// MailDate for now in the local time zone.
std::string MailDateNow();
// A new unique Message-ID ("<...@domain>"): the domain of the sender's
// address, else `host`, else "localhost".
std::string NewMessageId(std::string_view senderAddress, std::string_view host);

// The whole message: headers, an empty line and the body, every line ending
// in CR LF. `date` and `messageId` are the header values.
std::string ComposeMessage(const MailMessage& message, std::string_view date,
                           std::string_view messageId);

// What follows DATA: the message with every line that begins with "."
// given a second one, then the line holding ".".
std::string DotStuffed(std::string_view message);

}  // namespace brenvik
