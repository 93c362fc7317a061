// The SMTP client against a real mail server on 127.0.0.1: what the server
// received byte for byte, servers that misbehave, encryption and log-in.
#include "scripted_platform.h"
#include "smtp_test_server.h"

#include "store/mail/message.h"
#include "store/mail/smtpclient.h"

#include <QTcpServer>

#include <gtest/gtest.h>

using namespace brenvik;

namespace {

struct Result {
    bool done = false;
    bool sent = false;
    QString error;
};

// Sends `data` from shop@ to ann@ and waits for the result.
Result Send(quint16 port, MailSecurity security = MailSecurity::None, std::string user = "",
            std::string password = "", bool trust = true, int timeoutMs = 5000,
            std::string data = "Subject: x\r\n\r\nHello\r\n.\r\n") {
    test::App();
    SmtpClient client;
    Result r;
    QObject::connect(&client, &SmtpClient::Finished, [&](bool sent, const QString& error) {
        r = {true, sent, error};
    });
    SmtpServer server;
    server.host = "127.0.0.1";
    server.port = port;
    server.timeoutMs = timeoutMs;
    if (trust) server.trusted << test::SmtpTestServer::Certificate();
    SmtpSession session;
    session.heloName = "till.example";
    session.security = security;
    session.user = std::move(user);
    session.password = std::move(password);
    session.sender = "shop@example.com";
    session.recipient = "ann@example.com";
    session.data = std::move(data);
    client.Send(server, std::move(session));
    EXPECT_FALSE(r.done);  // never reported from within Send
    EXPECT_TRUE(test::WaitUntil([&] { return r.done; }, 15000));
    return r;
}

}  // namespace

TEST(SmtpClient, BasicDialogueByteForByte) {
    test::SmtpTestServer server;
    MailMessage m;
    m.senderName = "Corner Shop";
    m.senderAddress = "shop@example.com";
    m.recipientName = "Ann Abel";
    m.recipientAddress = "ann@example.com";
    m.subject = "Sale\r\nBcc: all@example.com";
    m.priority = MailPriority::High;
    m.body = {"Hello,", ".", "Grüße", ".QUIT"};
    const std::string message = ComposeMessage(m, "Thu, 13 Feb 2025 14:03:00 +0100", "<1@x>");
    Result r = Send(server.Port(), MailSecurity::None, "", "", true, 5000, DotStuffed(message));
    EXPECT_TRUE(r.sent) << r.error.toStdString();
    EXPECT_EQ(server.Received(1),
              "HELO till.example\r\n"
              "MAIL FROM:<shop@example.com>\r\n"
              "RCPT TO:<ann@example.com>\r\n"
              "DATA\r\n"
              "Date: Thu, 13 Feb 2025 14:03:00 +0100\r\n"
              "From: Corner Shop <shop@example.com>\r\n"
              "To: Ann Abel <ann@example.com>\r\n"
              "Subject: Sale Bcc: all@example.com\r\n"
              "Message-ID: <1@x>\r\n"
              "Mime-Version: 1.0\r\n"
              "Content-Type: text/plain; charset=UTF-8\r\n"
              "Content-Transfer-Encoding: quoted-printable\r\n"
              "X-Priority: 1\r\n"
              "\r\n"
              "Hello,\r\n"
              "..\r\n"
              "Gr=C3=BC=C3=9Fe\r\n"
              "..QUIT\r\n"
              ".\r\n"
              "QUIT\r\n");
}

TEST(SmtpClient, HeloWithoutHostNameWhenTheNameIsRefused) {
    test::SmtpTestServer server({.refuseHeloName = true});
    Result r = Send(server.Port());
    EXPECT_TRUE(r.sent) << r.error.toStdString();
    EXPECT_EQ(server.Received(1).substr(0, 32), "HELO till.example\r\nHELO\r\nMAIL FR");
}

TEST(SmtpClient, RefusalsEndWithQuitAndSayWhy) {
    test::SmtpTestServer unwelcoming({.refuseGreeting = true});
    Result greeting = Send(unwelcoming.Port());
    EXPECT_FALSE(greeting.sent);
    EXPECT_EQ(greeting.error, "The server refused the connection: 554 No service for you");
    EXPECT_EQ(unwelcoming.Received(1), "QUIT\r\n");

    test::SmtpTestServer server({.refuseRecipients = {"ann@example.com"}});
    Result rcpt = Send(server.Port());
    EXPECT_FALSE(rcpt.sent);
    EXPECT_EQ(rcpt.error, "The server refused the recipient address: 550 5.1.1 No such user here");
    EXPECT_EQ(server.Received(1),
              "HELO till.example\r\nMAIL FROM:<shop@example.com>\r\n"
              "RCPT TO:<ann@example.com>\r\nQUIT\r\n");
}

TEST(SmtpClient, SilentOrMissingServersTimeOutOrFail) {
    test::SmtpTestServer silent({.silent = true});
    Result r = Send(silent.Port(), MailSecurity::None, "", "", true, 300);
    EXPECT_FALSE(r.sent);
    EXPECT_EQ(r.error,
              "No answer from the server within 0.3 seconds (waiting for the server's greeting).");

    QTcpServer closed;  // a port that nobody listens on
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    Result refused = Send(port);
    EXPECT_FALSE(refused.sent);
    EXPECT_TRUE(refused.error.startsWith("Could not connect to 127.0.0.1:" + QString::number(port)))
        << refused.error.toStdString();
}

TEST(SmtpClient, StartTlsThenAuthPlain) {
    test::SmtpTestServer server({.startTls = true, .auth = "bob:s3cret"});
    Result r = Send(server.Port(), MailSecurity::StartTls, "bob", "s3cret");
    EXPECT_TRUE(r.sent) << r.error.toStdString();
    const std::string got = server.Received(1);
    // Nothing but the greeting and STARTTLS went in the clear; the rest is
    // what came out of the encrypted connection.
    EXPECT_EQ(got.substr(0, got.find("MAIL FROM")),
              "EHLO till.example\r\nSTARTTLS\r\nEHLO till.example\r\n"
              "AUTH PLAIN AGJvYgBzM2NyZXQ=\r\n");

    Result wrong = Send(server.Port(), MailSecurity::StartTls, "bob", "guess");
    EXPECT_FALSE(wrong.sent);
    EXPECT_TRUE(wrong.error.startsWith("The server refused the user name or password: 535"))
        << wrong.error.toStdString();
}

TEST(SmtpClient, SslTlsWithAuthLogin) {
    test::SmtpTestServer server({.implicitTls = true, .auth = "bob:pw", .authExclude = {"PLAIN"}});
    Result r = Send(server.Port(), MailSecurity::SslTls, "bob", "pw");
    EXPECT_TRUE(r.sent) << r.error.toStdString();
    const std::string got = server.Received(1);
    EXPECT_EQ(got.substr(0, got.find("MAIL FROM")),
              "EHLO till.example\r\nAUTH LOGIN\r\nYm9i\r\ncHc=\r\n");
}

TEST(SmtpClient, UntrustedCertificatesAreRefusedAndNamed) {
    test::SmtpTestServer server({.startTls = true, .implicitTls = false});
    Result r = Send(server.Port(), MailSecurity::StartTls, "", "", /*trust=*/false);
    EXPECT_FALSE(r.sent);
    EXPECT_TRUE(r.error.startsWith("The server's certificate was refused: "))
        << r.error.toStdString();
    EXPECT_TRUE(r.error.contains("self-signed", Qt::CaseInsensitive)) << r.error.toStdString();
    // Nothing past STARTTLS was sent.
    EXPECT_EQ(server.Received(1), "EHLO till.example\r\nSTARTTLS\r\n");

    // STARTTLS asked of a server that does not offer it: no downgrade.
    test::SmtpTestServer plain;
    Result none = Send(plain.Port(), MailSecurity::StartTls, "bob", "pw");
    EXPECT_FALSE(none.sent);
    EXPECT_TRUE(none.error.contains("does not offer STARTTLS"));
    EXPECT_EQ(plain.Received(1), "EHLO till.example\r\nQUIT\r\n");
}
