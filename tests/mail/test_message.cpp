// Messages byte for byte, and the SMTP dialogue step by step without sockets.
#include "store/mail/message.h"
#include "store/mail/sendrun.h"
#include "store/mail/smtp.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

#include <gtest/gtest.h>

using namespace brenvik;

namespace {

const char* const kDate = "Thu, 13 Feb 2025 14:03:00 +0100";
const char* const kId = "<1@example.com>";

MailMessage Message(std::vector<std::string> body = {}) {
    MailMessage m;
    m.senderName = "Corner Shop";
    m.senderAddress = "shop@example.com";
    m.recipientName = "Ann Abel";
    m.recipientAddress = "ann@example.com";
    m.subject = "Spring sale";
    m.body = std::move(body);
    return m;
}

std::string Headers(const std::string& subject, const std::string& encoding,
                    const std::string& extra = "") {
    return std::string("Date: ") + kDate +
           "\r\n"
           "From: Corner Shop <shop@example.com>\r\n"
           "To: Ann Abel <ann@example.com>\r\n"
           "Subject: " +
           subject + "\r\nMessage-ID: " + kId +
           "\r\n"
           "Mime-Version: 1.0\r\n"
           "Content-Type: text/plain; charset=UTF-8\r\n"
           "Content-Transfer-Encoding: " +
           encoding + "\r\n" + extra + "\r\n";
}

// Undoes quoted-printable (soft breaks and =XX), lines joined with LF.
std::string DecodeQuotedPrintable(const std::string& qp) {
    std::string out;
    for (std::size_t i = 0; i < qp.size(); ++i) {
        if (qp.compare(i, 3, "=\r\n") == 0) {
            i += 2;
        } else if (qp[i] == '=') {
            out += char(std::stoi(qp.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else if (qp.compare(i, 2, "\r\n") == 0) {
            out += '\n';
            ++i;
        } else {
            out += qp[i];
        }
    }
    return out;
}

std::vector<std::string> Split(const std::string& text, const std::string& sep) {
    std::vector<std::string> parts;
    std::size_t start = 0, at;
    while ((at = text.find(sep, start)) != std::string::npos) {
        parts.push_back(text.substr(start, at - start));
        start = at + sep.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

}  // namespace

TEST(MailMessage, PlainTextWithDotLinesIsStuffedAndEndsWithTheDotLine) {
    MailMessage m = Message({"Hello Ann,", ".", "..two", "", "Bye"});
    const std::string message = ComposeMessage(m, kDate, kId);
    EXPECT_EQ(message, Headers("Spring sale", "7bit") + "Hello Ann,\r\n.\r\n..two\r\n\r\nBye\r\n");
    const std::string data = DotStuffed(message);
    EXPECT_EQ(data.substr(data.find("\r\n\r\n") + 4),
              "Hello Ann,\r\n..\r\n...two\r\n\r\nBye\r\n.\r\n");
}

TEST(MailMessage, EmptyBodyGivesHeadersAnEmptyLineAndTheEnd) {
    const std::string message = ComposeMessage(Message(), kDate, kId);
    EXPECT_EQ(message, Headers("Spring sale", "7bit"));
    EXPECT_EQ(DotStuffed(message), message + ".\r\n");
}

TEST(MailMessage, PriorityHeaders) {
    struct Case {
        const char* box;
        const char* header;
    } cases[] = {{"High", "X-Priority: 1\r\n"},
                 {"Low", "X-Priority: 5\r\n"},
                 {"Normal", ""},
                 {"high", ""},
                 {"Urgent", ""},
                 {"", ""}};
    for (const Case& c : cases) {
        MailMessage m = Message({"x"});
        m.priority = PriorityFromText(c.box);
        EXPECT_EQ(ComposeMessage(m, kDate, kId), Headers("Spring sale", "7bit", c.header) + "x\r\n")
            << c.box;
    }
}

TEST(MailMessage, NonAsciiIsDeclaredAndEncoded) {
    MailMessage m = Message({"Grüße aus dem Laden", "a line ending in a blank ", "1 = 1"});
    m.subject = "Größe ändern";
    m.recipientName = "Jürgen Müller";
    const std::string message = ComposeMessage(m, kDate, kId);
    EXPECT_NE(message.find("\r\nSubject: =?UTF-8?B?R3LDtsOfZSDDpG5kZXJu?=\r\n"), std::string::npos);
    EXPECT_NE(message.find("\r\nTo: =?UTF-8?B?SsO8cmdlbiBNw7xsbGVy?= <ann@example.com>\r\n"),
              std::string::npos);
    EXPECT_NE(message.find("\r\nContent-Transfer-Encoding: quoted-printable\r\n"),
              std::string::npos);
    EXPECT_EQ(message.substr(message.find("\r\n\r\n") + 4),
              "Gr=C3=BC=C3=9Fe aus dem Laden\r\na line ending in a blank=20\r\n1 =3D 1\r\n");
    for (unsigned char c : message) EXPECT_LT(c, 0x80);
}

TEST(MailMessage, LongLinesAndLongSubjectsStayWithinTheLimits) {
    std::string line;
    for (int i = 0; i < 120; ++i) line += i % 7 ? "é" : "=";
    const std::string qp = QuotedPrintable({line, "short"});
    for (const std::string& l : Split(qp, "\r\n")) EXPECT_LE(l.size(), 76u) << l;
    EXPECT_EQ(DecodeQuotedPrintable(qp), line + "\nshort");

    std::string subject;
    for (int i = 0; i < 100; ++i) subject += "ü€";
    const std::string header = HeaderText(subject);
    std::string decoded;
    for (const std::string& word : Split(header, "\r\n ")) {
        EXPECT_LE(word.size(), 75u);
        ASSERT_EQ(word.rfind("=?UTF-8?B?", 0), 0u) << word;
        ASSERT_EQ(word.substr(word.size() - 2), "?=");
        // Every word holds whole characters.
        QByteArray bytes =
            QByteArray::fromBase64(QByteArray::fromStdString(word.substr(10, word.size() - 12)));
        EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes);
        decoded += bytes.toStdString();
    }
    EXPECT_EQ(decoded, subject);
}

TEST(MailMessage, LineBreaksCannotStartHeaders) {
    MailMessage m = Message({"body"});
    m.subject = "Sale\r\nBcc: all@example.com";
    m.senderName = "Shop\nReply-To: x@evil.example";
    m.recipientName = "Ann\r\rAbel";
    const std::string message = ComposeMessage(m, kDate, kId);
    EXPECT_NE(message.find("\r\nSubject: Sale Bcc: all@example.com\r\n"), std::string::npos);
    EXPECT_NE(message.find("\r\nFrom: \"Shop Reply-To: x@evil.example\" <shop@example.com>\r\n"),
              std::string::npos);
    EXPECT_NE(message.find("\r\nTo: Ann Abel <ann@example.com>\r\n"), std::string::npos);
    EXPECT_EQ(message.find("\nBcc"), std::string::npos);
    EXPECT_EQ(message.find("\nReply-To"), std::string::npos);
    m.body = {"a\rb"};  // a break left inside a line is encoded, never sent raw
    const std::string withBreak = ComposeMessage(m, kDate, kId);
    EXPECT_EQ(withBreak.substr(withBreak.find("\r\n\r\n") + 4), "a=0Db\r\n");
}

TEST(MailMessage, NamesAreQuotedWhereTheyMustBe) {
    EXPECT_EQ(HeaderAddress("", "a@b.example"), "a@b.example");
    EXPECT_EQ(HeaderAddress("Ann Abel", "a@b.example"), "Ann Abel <a@b.example>");
    EXPECT_EQ(HeaderAddress("Abel, Ann", "a@b.example"), "\"Abel, Ann\" <a@b.example>");
    EXPECT_EQ(HeaderAddress("Ann \"Al\" A.", "a@b.example"), "\"Ann \\\"Al\\\" A.\" <a@b.example>");
    EXPECT_EQ(HeaderText("=?UTF-8?B?eA==?="), "=?UTF-8?B?PT9VVEYtOD9CP2VBPT0/PQ==?=");
}

TEST(MailMessage, FieldsAreCutTo255Characters) {
    std::string subject;
    for (int i = 0; i < 300; ++i) subject += "ä";
    EXPECT_EQ(FirstCharacters(subject, 255), subject.substr(0, 510));
    EXPECT_EQ(FirstCharacters("abc", 255), "abc");
    MailMessage m = Message();
    m.subject = std::string(300, 'x');
    EXPECT_NE(ComposeMessage(m, kDate, kId).find("Subject: " + std::string(255, 'x') + "\r\n"),
              std::string::npos);
}

TEST(MailMessage, DateAndMessageId) {
    EXPECT_EQ(MailDate(0, 0), "Thu, 1 Jan 1970 00:00:00 +0000");
    EXPECT_EQ(MailDate(1739451780, 60), kDate);
    EXPECT_EQ(MailDate(1739451780, -330), "Thu, 13 Feb 2025 07:33:00 -0530");
    EXPECT_TRUE(QRegularExpression(R"(^\w{3}, \d{1,2} \w{3} \d{4} \d\d:\d\d:\d\d [+-]\d{4}$)")
                    .match(QString::fromStdString(MailDateNow()))
                    .hasMatch());
    const std::string a = NewMessageId("shop@example.com", "till");
    EXPECT_TRUE(QRegularExpression(R"(^<[0-9a-f]+\.[0-9a-f]{16}@example\.com>$)")
                    .match(QString::fromStdString(a))
                    .hasMatch())
        << a;
    EXPECT_NE(a, NewMessageId("shop@example.com", "till"));
    const std::string host = NewMessageId("", "till");
    EXPECT_EQ(host.substr(host.find('@')), "@till>");
    const std::string fallback = NewMessageId("bad", "with space");
    EXPECT_EQ(fallback.substr(fallback.find('@')), "@localhost>");
}

TEST(MailMessage, PortsAndAddresses) {
    struct Port {
        const char* text;
        std::optional<int> port;
    } ports[] = {{"25", 25},
                 {" 587 ", 587},
                 {"065535", std::nullopt},
                 {"65535", 65535},
                 {"1", 1},
                 {"0", std::nullopt},
                 {"65536", std::nullopt},
                 {"", std::nullopt},
                 {"abc", std::nullopt},
                 {"-25", std::nullopt},
                 {"+25", std::nullopt},
                 {"25a", std::nullopt},
                 {"2 5", std::nullopt}};
    for (const Port& p : ports) EXPECT_EQ(ParsePort(p.text), p.port) << p.text;

    EXPECT_EQ(AddressProblem("ann@example.com"), "");
    EXPECT_EQ(AddressProblem(""), "");
    for (const char* bad : {"ann@example.com>\r\nRCPT TO:<x@y", "a b@c", "a<b@c", "ä@example.com"})
        EXPECT_NE(AddressProblem(bad), "") << bad;
}

TEST(SmtpReplies, ReplyLinesAcrossReadsAndContinuations) {
    SmtpReplyReader reader;
    reader.Feed("220 mail.test ready\r\n250-mail.test\r\n250-STARTTLS\r");
    auto first = reader.Next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->code, 220);
    EXPECT_EQ(first->Text(), "220 mail.test ready");
    EXPECT_FALSE(reader.Next());
    reader.Feed("\n250 AUTH PLAIN\n354\r\ngarbage\r\n");
    auto second = reader.Next();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->code, 250);
    EXPECT_EQ(second->lines, (std::vector<std::string>{"mail.test", "STARTTLS", "AUTH PLAIN"}));
    EXPECT_EQ(reader.Next()->code, 354);
    auto bad = reader.Next();
    EXPECT_EQ(bad->code, 0);
    EXPECT_EQ(bad->Text(), "garbage");
    EXPECT_FALSE(reader.Next());
    // A server that never ends its line is cut off rather than buffered forever.
    reader.Feed(std::string(70000, 'x'));
    EXPECT_EQ(reader.Next()->code, 0);
}

namespace {

// Runs the dialogue on the given replies; returns what it sent, "|"
// marking where it started TLS, "#" where it closed.
std::string Converse(SmtpSession session, std::vector<std::string> replies,
                     SmtpDialogue* out = nullptr) {
    SmtpDialogue local(std::move(session));
    SmtpDialogue& d = out ? *out : local;
    std::string sent;
    for (const std::string& r : replies) {
        SmtpReplyReader reader;
        reader.Feed(r + "\r\n");
        SmtpStep step = d.Reply(*reader.Next());
        if (step.kind == SmtpStep::StartTls) {
            sent += "|";
            step = d.Encrypted();
        }
        if (step.kind == SmtpStep::Send) sent += step.bytes;
        if (step.kind == SmtpStep::Close) sent += "#";
    }
    return sent;
}

SmtpSession Session(MailSecurity security = MailSecurity::None, std::string user = "") {
    SmtpSession s;
    s.heloName = "till";
    s.security = security;
    s.user = std::move(user);
    s.password = "secret";
    s.sender = "shop@example.com";
    s.recipient = "ann@example.com";
    s.data = "Subject: x\r\n\r\n.\r\n";
    return s;
}

}  // namespace

TEST(SmtpDialogue, BasicDialogueAndItsFailures) {
    SmtpDialogue d(Session());
    EXPECT_EQ(Converse(Session(),
                       {"220 hi", "250 ok", "250 ok", "251 will forward", "354 go", "250 queued",
                        "221 bye"},
                       &d),
              "HELO till\r\nMAIL FROM:<shop@example.com>\r\nRCPT TO:<ann@example.com>\r\n"
              "DATA\r\nSubject: x\r\n\r\n.\r\nQUIT\r\n#");
    EXPECT_TRUE(d.Sent());
    EXPECT_EQ(d.Error(), "");

    SmtpDialogue helo(Session());
    EXPECT_EQ(Converse(Session(), {"220 hi", "501 no name", "250 ok"}, &helo),
              "HELO till\r\nHELO\r\nMAIL FROM:<shop@example.com>\r\n");

    SmtpDialogue rcpt(Session());
    EXPECT_EQ(
        Converse(Session(), {"220 hi", "250 ok", "250 ok", "550 no such user", "221 bye"}, &rcpt),
        "HELO till\r\nMAIL FROM:<shop@example.com>\r\nRCPT TO:<ann@example.com>\r\n"
        "QUIT\r\n#");
    EXPECT_FALSE(rcpt.Sent());
    EXPECT_EQ(rcpt.Error(), "The server refused the recipient address: 550 no such user");

    // Taken is taken: a QUIT that goes wrong does not undo the message.
    SmtpDialogue quit(Session());
    Converse(Session(), {"220 hi", "250 ok", "250 ok", "250 ok", "354 go", "250 queued", "500 ?"},
             &quit);
    EXPECT_TRUE(quit.Sent());
    EXPECT_TRUE(quit.Over());

    SmtpDialogue greet(Session());
    EXPECT_EQ(Converse(Session(), {"554 go away", "221 bye"}, &greet), "QUIT\r\n#");
    EXPECT_EQ(greet.Error(), "The server refused the connection: 554 go away");
}

TEST(SmtpDialogue, SecuredDialogue) {
    // STARTTLS, then a new EHLO, then AUTH PLAIN over the encrypted connection.
    EXPECT_EQ(Converse(Session(MailSecurity::StartTls, "bob"),
                       {"220 hi", "250-mail\r\n250-STARTTLS\r\n250 AUTH LOGIN PLAIN", "220 go",
                        "250-mail\r\n250 AUTH LOGIN PLAIN", "235 ok", "250 ok"}),
              "EHLO till\r\nSTARTTLS\r\n|EHLO till\r\nAUTH PLAIN AGJvYgBzZWNyZXQ=\r\n"
              "MAIL FROM:<shop@example.com>\r\nRCPT TO:<ann@example.com>\r\n");
    // AUTH LOGIN (old "AUTH=" form) when PLAIN is not offered.
    SmtpSession tls = Session(MailSecurity::SslTls, "bob");
    SmtpDialogue login(tls);
    login.EncryptedFromStart();
    EXPECT_EQ(Converse(tls,
                       {"220 hi", "250-mail\r\n250 AUTH=LOGIN", "334 VXNlcm5hbWU6",
                        "334 UGFzc3dvcmQ6", "535 wrong"},
                       &login),
              "EHLO till\r\nAUTH LOGIN\r\nYm9i\r\nc2VjcmV0\r\nQUIT\r\n");
    EXPECT_EQ(login.Error(), "The server refused the user name or password: 535 wrong");

    // No downgrade: without STARTTLS on offer nothing goes out in the clear.
    SmtpDialogue plain(Session(MailSecurity::StartTls, "bob"));
    EXPECT_EQ(Converse(Session(), {"220 hi", "250-mail\r\n250 AUTH PLAIN"}, &plain),
              "EHLO till\r\nQUIT\r\n");
    EXPECT_NE(plain.Error().find("does not offer STARTTLS"), std::string::npos);
    // A password never goes over a connection that is not encrypted.
    SmtpDialogue clear(Session(MailSecurity::None, "bob"));
    EXPECT_EQ(Converse(Session(), {"220 hi", "250 ok"}, &clear), "HELO till\r\nQUIT\r\n");
    EXPECT_NE(clear.Error().find("only over an encrypted connection"), std::string::npos);
    // EHLO refused: HELO instead, so no extensions, so no log-in.
    SmtpDialogue old(tls);
    old.EncryptedFromStart();
    EXPECT_EQ(Converse(tls, {"220 hi", "502 what?", "250 ok"}, &old),
              "EHLO till\r\nHELO till\r\nQUIT\r\n");
    EXPECT_NE(old.Error().find("neither AUTH PLAIN nor AUTH LOGIN"), std::string::npos);
}

TEST(SendRun, StopRuleAndReports) {
    auto recipients = [](std::vector<bool> checked) {
        std::vector<Recipient> list;
        for (std::size_t i = 0; i < checked.size(); ++i)
            list.push_back({"R" + std::to_string(i), "r" + std::to_string(i) + "@x", checked[i]});
        return list;
    };
    // Walks the run with the given outcomes; returns the statuses and report.
    auto walk = [](std::vector<Recipient>& list, std::vector<bool> outcomes) {
        SendRun run(list);
        std::size_t k = 0;
        for (int item; (item = run.Next()) >= 0;) run.Done(item, outcomes.at(k++), "");
        std::string statuses;
        for (const Recipient& r : list) statuses += std::string(StatusText(r.status)) + "|";
        return std::make_pair(statuses, ReportOf(run).text);
    };
    auto none = recipients({false, false});
    EXPECT_EQ(walk(none, {}), std::make_pair(std::string("Message not sent|Message not sent|"),
                                             std::string("No recipients selected.")));
    auto second = recipients({true, true, true});
    EXPECT_EQ(walk(second, {true, false, true}).first, "Message Sent|ERROR|Message Sent|");
    EXPECT_EQ(walk(second, {true, false, true}).second,
              "Warning:  Your message could not be sent to all recipients.  See status area for "
              "details.");
    auto first = recipients({true, true, true});
    EXPECT_EQ(walk(first, {false}).first, "ERROR|Message not sent|Message not sent|");
    EXPECT_EQ(walk(first, {false}).second,
              "Your message could not be sent.  Please check the mail server and port and try "
              "again.");
    auto some = recipients({false, true, false, true});
    some[3].address = "no address";
    EXPECT_EQ(walk(some, {true}).first,
              "Message not sent|Message Sent|Message not sent|Message not sent|");
    EXPECT_EQ(walk(some, {true}).second, "Your message has been sent.");

    auto stopped = recipients({true, true});
    SendRun run(stopped);
    run.Done(run.Next(), true, "");
    run.Stop(run.Next());
    EXPECT_EQ(run.Next(), -1);
    EXPECT_EQ(stopped[1].status, RecipientStatus::NotSent);
    EXPECT_EQ(ReportOf(run).text, "Sending stopped. Messages sent: 1.");
}
