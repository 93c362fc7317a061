#pragma once
// Sends one message over one SMTP connection without blocking: the dialogue
// of SmtpDialogue over a socket (plain, STARTTLS or TLS from the start), a
// time-out on the connection and on every reply, and certificate problems
// reported, never passed over.
#include "store/mail/smtp.h"

#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QSslError>
#include <QString>
#include <QTimer>

#include <memory>

class QSslSocket;

namespace brenvik {

struct SmtpServer {
    QString host;
    quint16 port = 25;
    int timeoutMs = 30000;  // for connecting, and for each reply
    // Certificates trusted besides the system's (a server's own).
    QList<QSslCertificate> trusted;
};

class SmtpClient : public QObject {
    Q_OBJECT
public:
    explicit SmtpClient(QObject* parent = nullptr);
    ~SmtpClient() override;

    // Starts sending; Finished follows from the event loop, never from
    // within Send. A send still running is abandoned.
    void Send(const SmtpServer& server, SmtpSession session);
    // Ends the connection at once; Finished does not follow. Returns whether
    // the server had already taken the message.
    bool Abort();
    bool Busy() const { return socket_ != nullptr; }

signals:
    // `error` says why the message was not sent (empty when it was).
    void Finished(bool sent, const QString& error);

private:
    void Act(SmtpStep step);
    void ReadReplies();
    void SocketFailed();
    void CertificateErrors(const QList<QSslError>& errors);
    void TimedOut();
    void Arm();
    // Ends the connection and reports, once.
    void Finish(const QString& problem);
    QString Seconds() const;

    std::unique_ptr<SmtpDialogue> dialogue_;
    SmtpReplyReader reader_;
    QSslSocket* socket_ = nullptr;
    QTimer timer_;
    SmtpServer server_;
    QString certificateProblem_;
    bool connected_ = false;
    unsigned generation_ = 0;  // a report queued for an earlier send is dropped
};

}  // namespace brenvik
