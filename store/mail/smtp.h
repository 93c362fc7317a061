#pragma once
// The SMTP dialogue of one message as a state machine without sockets: it
// takes the server's replies and says what to send next, so that every step
// can be checked byte for byte. SmtpClient runs it over a real connection.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// How the connection is secured. None is the basic dialogue (HELO, no
// extensions); the others greet with EHLO and may authenticate.
enum class MailSecurity { None, StartTls, SslTls };

// The names shown and stored for each: "None", "STARTTLS", "SSL/TLS".
const char* SecurityName(MailSecurity security);
MailSecurity SecurityFromName(std::string_view name);  // unknown names: None

// A port text: a whole number from 1 to 65535 (blanks around it allowed).
std::optional<int> ParsePort(std::string_view text);

// One reply: its code (0 when the server sent something that is not a
// reply) and the text of each of its lines.
struct SmtpReply {
    int code = 0;
    std::vector<std::string> lines;
    std::string Text() const;  // "code text" of the last line, for messages
};

// Splits what the server sends into replies ("250-..." lines continue a
// reply, "250 ..." ends it). Lines may end in CR LF or a bare LF.
class SmtpReplyReader {
public:
    void Feed(std::string_view bytes);
    std::optional<SmtpReply> Next();
    // Drops what was received but not yet read (after STARTTLS nothing sent
    // in the clear may be taken as coming over the encrypted connection).
    void Clear();

private:
    std::string buffer_;
    SmtpReply partial_;
};

struct SmtpSession {
    std::string heloName;  // this computer's host name
    MailSecurity security = MailSecurity::None;
    // Authentication, when `user` is not empty; only ever over encryption.
    std::string user;
    std::string password;
    std::string sender;     // MAIL FROM address
    std::string recipient;  // RCPT TO address
    std::string data;       // what follows DATA (see DotStuffed)
};

struct SmtpStep {
    enum Kind {
        Wait,      // nothing to do until the next reply
        Send,      // send `bytes`, then wait for a reply
        StartTls,  // begin the TLS handshake; call Encrypted() when done
        Close,     // end the connection: the dialogue is over
    };
    Kind kind = Wait;
    std::string bytes;
};

class SmtpDialogue {
public:
    explicit SmtpDialogue(SmtpSession session);

    // The next step after the server's reply.
    SmtpStep Reply(const SmtpReply& reply);
    // The TLS handshake after STARTTLS has succeeded.
    SmtpStep Encrypted();
    // The connection is encrypted from the start (SSL/TLS).
    void EncryptedFromStart() { encrypted_ = true; }

    // True once the server has taken the message (its reply to the data).
    bool Sent() const { return sent_; }
    bool Over() const { return state_ == State::Over; }
    // Why the message was not sent; empty while nothing failed.
    const std::string& Error() const { return error_; }
    // What the dialogue waits for, for time-out messages ("the greeting").
    std::string Waiting() const;

private:
    enum class State {
        Greeting,
        Helo,
        HeloBare,
        Ehlo,
        EhloHelo,  // HELO after a refused EHLO
        StartTls,
        Handshake,
        EhloAgain,  // EHLO over the encrypted connection
        AuthPlain,
        AuthLogin,
        AuthUser,
        AuthPassword,
        MailFrom,
        RcptTo,
        Data,
        Message,
        Quit,
        Over,
    };

    SmtpStep Command(State next, std::string line);
    SmtpStep Fail(std::string why);
    SmtpStep Refused(const char* what, const SmtpReply& reply);
    // After a greeting has been accepted: STARTTLS, AUTH or MAIL FROM.
    SmtpStep AfterGreeting();
    SmtpStep MailFrom();
    void ReadExtensions(const SmtpReply& reply);

    SmtpSession session_;
    State state_ = State::Greeting;
    bool encrypted_ = false;
    bool sent_ = false;
    bool startTls_ = false;  // the server offers STARTTLS
    bool authPlain_ = false;
    bool authLogin_ = false;
    std::string error_;
};

}  // namespace brenvik
