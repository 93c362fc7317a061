#include "store/mail/smtp.h"

#include "store/mail/message.h"

#include <cctype>
#include <utility>

namespace brenvik {

namespace {

// A server that sends this much without a line end is not talking SMTP.
constexpr std::size_t kLongestLine = 64 * 1024;

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        std::size_t start = i;
        while (i < text.size() && text[i] != ' ') ++i;
        if (i > start) words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

}  // namespace

const char* SecurityName(MailSecurity security) {
    switch (security) {
    case MailSecurity::StartTls:
        return "STARTTLS";
    case MailSecurity::SslTls:
        return "SSL/TLS";
    case MailSecurity::None:
        break;
    }
    return "None";
}

MailSecurity SecurityFromName(std::string_view name) {
    if (name == "STARTTLS") return MailSecurity::StartTls;
    if (name == "SSL/TLS") return MailSecurity::SslTls;
    return MailSecurity::None;
}

std::optional<int> ParsePort(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty() || text.size() > 5) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535) return std::nullopt;
    return value;
}

std::string SmtpReply::Text() const {
    std::string last = lines.empty() ? std::string() : lines.back();
    if (code == 0) return last;
    return last.empty() ? std::to_string(code) : std::to_string(code) + " " + last;
}

// ---- SmtpReplyReader ----

void SmtpReplyReader::Feed(std::string_view bytes) { buffer_.append(bytes); }

void SmtpReplyReader::Clear() {
    buffer_.clear();
    partial_ = {};
}

std::optional<SmtpReply> SmtpReplyReader::Next() {
    for (;;) {
        std::size_t end = buffer_.find('\n');
        if (end == std::string::npos) {
            if (buffer_.size() <= kLongestLine) return std::nullopt;
            end = buffer_.size();  // taken as one broken line
        }
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();

        const bool coded = line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line[0])) &&
                           std::isdigit(static_cast<unsigned char>(line[1])) &&
                           std::isdigit(static_cast<unsigned char>(line[2])) &&
                           (line.size() == 3 || line[3] == ' ' || line[3] == '-');
        SmtpReply reply = std::move(partial_);
        partial_ = {};
        if (!coded) {
            reply.code = 0;
            reply.lines.push_back(line);
            return reply;
        }
        reply.code = std::stoi(line.substr(0, 3));
        reply.lines.push_back(line.size() > 4 ? line.substr(4) : std::string());
        if (line.size() > 3 && line[3] == '-') {
            partial_ = std::move(reply);
            continue;
        }
        return reply;
    }
}

// ---- SmtpDialogue ----

SmtpDialogue::SmtpDialogue(SmtpSession session) : session_(std::move(session)) {}

SmtpStep SmtpDialogue::Command(State next, std::string line) {
    state_ = next;
    return {SmtpStep::Send, std::move(line) + "\r\n"};
}

SmtpStep SmtpDialogue::Fail(std::string why) {
    if (error_.empty()) error_ = std::move(why);
    return Command(State::Quit, "QUIT");
}

SmtpStep SmtpDialogue::Refused(const char* what, const SmtpReply& reply) {
    return Fail(std::string("The server refused ") + what + ": " + reply.Text());
}

void SmtpDialogue::ReadExtensions(const SmtpReply& reply) {
    startTls_ = authPlain_ = authLogin_ = false;
    for (std::size_t i = 1; i < reply.lines.size(); ++i) {
        std::vector<std::string> words = Words(Upper(reply.lines[i]));
        if (words.empty()) continue;
        if (words[0] == "STARTTLS") startTls_ = true;
        // "AUTH=LOGIN PLAIN" is the form of older servers.
        if (words[0] == "AUTH" || words[0].rfind("AUTH=", 0) == 0) {
            if (words[0].size() > 5) words[0].erase(0, 5);
            for (const std::string& w : words) {
                if (w == "PLAIN") authPlain_ = true;
                if (w == "LOGIN") authLogin_ = true;
            }
        }
    }
}

SmtpStep SmtpDialogue::MailFrom() {
    return Command(State::MailFrom, "MAIL FROM:<" + session_.sender + ">");
}

SmtpStep SmtpDialogue::AfterGreeting() {
    if (session_.security == MailSecurity::StartTls && !encrypted_) {
        if (!startTls_)
            return Fail(
                "The server does not offer STARTTLS, so the connection cannot be encrypted. "
                "Choose another security setting or port.");
        return Command(State::StartTls, "STARTTLS");
    }
    if (!session_.user.empty()) {
        if (!encrypted_)
            return Fail(
                "A user name and password are sent only over an encrypted connection: choose "
                "STARTTLS or SSL/TLS.");
        if (authPlain_) {
            const std::string token =
                std::string(1, '\0') + session_.user + std::string(1, '\0') + session_.password;
            return Command(State::AuthPlain, "AUTH PLAIN " + Base64(token));
        }
        if (authLogin_) return Command(State::AuthLogin, "AUTH LOGIN");
        return Fail("The server offers neither AUTH PLAIN nor AUTH LOGIN to log in with.");
    }
    return MailFrom();
}

SmtpStep SmtpDialogue::Reply(const SmtpReply& reply) {
    const int code = reply.code;
    switch (state_) {
    case State::Greeting:
        if (code != 220) return Refused("the connection", reply);
        if (session_.security == MailSecurity::None)
            return Command(State::Helo, "HELO " + session_.heloName);
        return Command(State::Ehlo, "EHLO " + session_.heloName);
    case State::Helo:
        // Some servers refuse the host name (not a full domain): greet bare.
        if (code != 250) return Command(State::HeloBare, "HELO");
        return AfterGreeting();
    case State::HeloBare:
        if (code != 250) return Refused("the greeting (HELO)", reply);
        return AfterGreeting();
    case State::Ehlo:
        if (code != 250) return Command(State::EhloHelo, "HELO " + session_.heloName);
        ReadExtensions(reply);
        return AfterGreeting();
    case State::EhloHelo:
        if (code != 250) return Refused("the greeting (EHLO and HELO)", reply);
        ReadExtensions(SmtpReply{});
        return AfterGreeting();
    case State::StartTls:
        if (code != 220) return Refused("STARTTLS", reply);
        state_ = State::Handshake;
        return {SmtpStep::StartTls, {}};
    case State::EhloAgain:
        if (code != 250) return Refused("EHLO over the encrypted connection", reply);
        ReadExtensions(reply);
        return AfterGreeting();
    case State::AuthPlain:
    case State::AuthPassword:
        if (code != 235) return Refused("the user name or password", reply);
        return MailFrom();
    case State::AuthLogin:
        if (code != 334) return Refused("AUTH LOGIN", reply);
        return Command(State::AuthUser, Base64(session_.user));
    case State::AuthUser:
        if (code != 334) return Refused("the user name", reply);
        return Command(State::AuthPassword, Base64(session_.password));
    case State::MailFrom:
        if (code != 250) return Refused("the sender address", reply);
        return Command(State::RcptTo, "RCPT TO:<" + session_.recipient + ">");
    case State::RcptTo:
        if (code != 250 && code != 251) return Refused("the recipient address", reply);
        return Command(State::Data, "DATA");
    case State::Data:
        if (code != 354) return Refused("to take the message", reply);
        state_ = State::Message;
        return {SmtpStep::Send, session_.data};
    case State::Message:
        if (code != 250) return Refused("the message", reply);
        sent_ = true;
        return Command(State::Quit, "QUIT");
    case State::Quit:
        // The message's fate was settled before: a missing "221" changes nothing.
        state_ = State::Over;
        return {SmtpStep::Close, {}};
    case State::Handshake:
    case State::Over:
        break;
    }
    return {};
}

SmtpStep SmtpDialogue::Encrypted() {
    encrypted_ = true;
    if (state_ != State::Handshake) return {};
    return Command(State::EhloAgain, "EHLO " + session_.heloName);
}

std::string SmtpDialogue::Waiting() const {
    switch (state_) {
    case State::Greeting:
        return "the server's greeting";
    case State::Helo:
    case State::HeloBare:
    case State::EhloHelo:
        return "the reply to HELO";
    case State::Ehlo:
    case State::EhloAgain:
        return "the reply to EHLO";
    case State::StartTls:
        return "the reply to STARTTLS";
    case State::Handshake:
        return "the encryption handshake";
    case State::AuthPlain:
    case State::AuthLogin:
    case State::AuthUser:
    case State::AuthPassword:
        return "the reply to the log-in";
    case State::MailFrom:
        return "the reply to MAIL FROM";
    case State::RcptTo:
        return "the reply to RCPT TO";
    case State::Data:
        return "the reply to DATA";
    case State::Message:
        return "the reply to the message";
    case State::Quit:
    case State::Over:
        break;
    }
    return "the reply to QUIT";
}

}  // namespace brenvik
