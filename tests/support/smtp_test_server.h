#pragma once
// A real mail server for a test (tests/mail/smtp_server.py on 127.0.0.1,
// started and stopped with the object), with what it received kept byte for
// byte, one file per connection. Options make it misbehave.
#include <QSslCertificate>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>

class QProcess;

namespace test {

class TempFolder;

struct SmtpServerOptions {
    bool silent = false;          // accepts connections, never answers
    bool refuseHeloName = false;  // 501 to "HELO name", 250 to a bare "HELO"
    bool refuseGreeting = false;  // greets with 554
    QStringList refuseRecipients;
    bool startTls = false;     // offers STARTTLS with the test certificate
    bool implicitTls = false;  // TLS from the start
    QString auth;              // "user:password": required before MAIL FROM
    QStringList authExclude;   // mechanisms not offered ("PLAIN", "LOGIN")
};

class SmtpTestServer {
public:
    explicit SmtpTestServer(const SmtpServerOptions& options = {});
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer&) = delete;
    SmtpTestServer& operator=(const SmtpTestServer&) = delete;

    quint16 Port() const { return port_; }
    // The bytes received on connection `n` (counted from 1), "" if none.
    std::string Received(int n) const;
    int Connections() const;

    // The server's self-signed certificate (for 127.0.0.1 and localhost),
    // made once per test program.
    static QSslCertificate Certificate();

private:
    std::unique_ptr<TempFolder> record_;
    std::unique_ptr<QProcess> process_;
    quint16 port_ = 0;
};

// Runs the event loop until `done` is true or `ms` have passed; returns done().
bool WaitUntil(const std::function<bool()>& done, int ms = 10000);

}  // namespace test
