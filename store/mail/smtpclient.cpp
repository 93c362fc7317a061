#include "store/mail/smtpclient.h"

#include <QSslConfiguration>
#include <QSslSocket>

namespace brenvik {

SmtpClient::SmtpClient(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &SmtpClient::TimedOut);
}

SmtpClient::~SmtpClient() { Abort(); }

QString SmtpClient::Seconds() const {
    const int ms = server_.timeoutMs;
    if (ms % 1000 == 0) return QString::number(ms / 1000) + (ms == 1000 ? " second" : " seconds");
    return QString::number(ms / 1000.0, 'f', 1) + " seconds";
}

void SmtpClient::Arm() { timer_.start(server_.timeoutMs); }

void SmtpClient::Send(const SmtpServer& server, SmtpSession session) {
    Abort();
    ++generation_;
    server_ = server;
    certificateProblem_.clear();
    connected_ = false;
    reader_.Clear();
    const MailSecurity security = session.security;
    dialogue_ = std::make_unique<SmtpDialogue>(std::move(session));

    socket_ = new QSslSocket(this);
    if (!server_.trusted.isEmpty()) {
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.addCaCertificates(server_.trusted);
        socket_->setSslConfiguration(config);
    }
    connect(socket_, &QSslSocket::connected, this, [this] {
        connected_ = true;
        Arm();  // for the greeting (or the handshake)
    });
    connect(socket_, &QSslSocket::readyRead, this, &SmtpClient::ReadReplies);
    connect(socket_, &QSslSocket::bytesWritten, this, [this] { Arm(); });
    connect(socket_, &QSslSocket::errorOccurred, this, [this] { SocketFailed(); });
    connect(socket_, &QSslSocket::sslErrors, this, &SmtpClient::CertificateErrors);
    connect(socket_, &QSslSocket::encrypted, this, [this] {
        if (dialogue_ && !dialogue_->Over()) Act(dialogue_->Encrypted());
    });
    connect(socket_, &QSslSocket::disconnected, this, [this] {
        Finish("The server closed the connection while this program waited for " +
               QString::fromStdString(dialogue_->Waiting()) + ".");
    });
    Arm();
    if (security == MailSecurity::SslTls) {
        dialogue_->EncryptedFromStart();
        socket_->connectToHostEncrypted(server_.host, server_.port);
    } else {
        socket_->connectToHost(server_.host, server_.port);
    }
}

bool SmtpClient::Abort() {
    ++generation_;
    timer_.stop();
    const bool sent = dialogue_ && dialogue_->Sent();
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
        socket_->deleteLater();
        socket_ = nullptr;
    }
    return sent;
}

void SmtpClient::Act(SmtpStep step) {
    if (!socket_) return;
    switch (step.kind) {
    case SmtpStep::Send:
        socket_->write(step.bytes.data(), qint64(step.bytes.size()));
        Arm();
        break;
    case SmtpStep::StartTls:
        // Nothing that came in the clear may count as sent over encryption.
        reader_.Clear();
        Arm();
        socket_->startClientEncryption();
        break;
    case SmtpStep::Close:
        Finish({});
        break;
    case SmtpStep::Wait:
        break;
    }
}

void SmtpClient::ReadReplies() {
    if (!socket_) return;
    const QByteArray bytes = socket_->readAll();
    reader_.Feed(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    Arm();
    while (socket_ && !dialogue_->Over()) {
        std::optional<SmtpReply> reply = reader_.Next();
        if (!reply) break;
        Act(dialogue_->Reply(*reply));
    }
}

void SmtpClient::CertificateErrors(const QList<QSslError>& errors) {
    QStringList texts;
    for (const QSslError& e : errors) texts << e.errorString();
    certificateProblem_ = "The server's certificate was refused: " + texts.join("; ") + ".";
}

void SmtpClient::SocketFailed() {
    if (!socket_) return;
    QString problem = certificateProblem_;
    if (problem.isEmpty()) {
        const QString where = server_.host + ":" + QString::number(server_.port);
        if (!connected_) problem = "Could not connect to " + where + ": " + socket_->errorString();
        else if (socket_->error() == QAbstractSocket::RemoteHostClosedError)
            problem = "The server closed the connection while this program waited for " +
                      QString::fromStdString(dialogue_->Waiting()) + ".";
        else problem = "The connection to " + where + " failed: " + socket_->errorString();
    }
    Finish(problem);
}

void SmtpClient::TimedOut() {
    if (!socket_) return;
    if (!connected_)
        Finish("Could not connect to " + server_.host + ":" + QString::number(server_.port) +
               " within " + Seconds() + ".");
    else
        Finish("No answer from the server within " + Seconds() + " (waiting for " +
               QString::fromStdString(dialogue_->Waiting()) + ").");
}

void SmtpClient::Finish(const QString& problem) {
    if (!socket_) return;
    timer_.stop();
    socket_->disconnect(this);
    if (problem.isEmpty()) socket_->disconnectFromHost();  // after what is still being written
    else socket_->abort();
    socket_->deleteLater();
    socket_ = nullptr;

    const bool sent = dialogue_->Sent();
    QString error;
    if (!sent) {
        error = QString::fromStdString(dialogue_->Error());
        if (error.isEmpty()) error = problem;
        if (error.isEmpty()) error = "The server ended the dialogue before taking the message.";
    }
    const unsigned generation = generation_;
    QMetaObject::invokeMethod(
        this,
        [this, generation, sent, error] {
            if (generation == generation_) emit Finished(sent, error);
        },
        Qt::QueuedConnection);
}

}  // namespace brenvik
