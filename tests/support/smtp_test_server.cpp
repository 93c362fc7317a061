#include "smtp_test_server.h"

#include "testutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace test {

namespace {

// The system's interpreter, which has the distribution's aiosmtpd.
QString Python() {
    return QFile::exists("/usr/bin/python3") ? QString("/usr/bin/python3") : QString("python3");
}

struct CertificateFiles {
    QTemporaryDir dir;
    QString cert, key;
    CertificateFiles() {
        cert = dir.filePath("cert.pem");
        key = dir.filePath("key.pem");
        QProcess openssl;
        openssl.start("openssl",
                      {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                       "-nodes", "-keyout", key, "-out", cert, "-days", "2", "-subj",
                       "/CN=localhost", "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost"});
        if (!openssl.waitForFinished(20000) || openssl.exitCode() != 0)
            ADD_FAILURE() << "openssl could not make a certificate: "
                          << openssl.readAllStandardError().toStdString();
    }
};

const CertificateFiles& Certificates() {
    static CertificateFiles files;
    return files;
}

}  // namespace

SmtpTestServer::SmtpTestServer(const SmtpServerOptions& o)
    : record_(std::make_unique<TempFolder>()), process_(std::make_unique<QProcess>()) {
    QStringList args{"-u", QString::fromStdString(SourceDir()) + "/mail/smtp_server.py", "--record",
                     record_->QPath()};
    if (o.silent) args << "--silent";
    if (o.refuseHeloName) args << "--refuse-helo-name";
    if (o.refuseGreeting) args << "--refuse-greeting";
    for (const QString& r : o.refuseRecipients) args << "--fail-rcpt" << r;
    if (o.startTls || o.implicitTls)
        args << "--cert" << Certificates().cert << "--key" << Certificates().key;
    if (o.implicitTls) args << "--implicit-tls";
    if (!o.auth.isEmpty()) args << "--auth" << o.auth;
    for (const QString& m : o.authExclude) args << "--auth-exclude" << m;
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->start(Python(), args);
    QByteArray line;
    while (!line.contains('\n') && process_->waitForReadyRead(10000))
        line += process_->readAllStandardOutput();
    if (!line.startsWith("PORT ")) {
        ADD_FAILURE() << "the test mail server did not start: " << line.toStdString();
        return;
    }
    port_ = quint16(line.mid(5).trimmed().toUInt());
}

SmtpTestServer::~SmtpTestServer() {
    process_->kill();
    process_->waitForFinished(5000);
}

std::string SmtpTestServer::Received(int n) const {
    QFile f(record_->QPath() + QString::number(n) + ".bin");
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

int SmtpTestServer::Connections() const {
    return int(QDir(record_->QPath()).entryList({"*.bin"}, QDir::Files).size());
}

QSslCertificate SmtpTestServer::Certificate() {
    const QList<QSslCertificate> certs = QSslCertificate::fromPath(Certificates().cert);
    return certs.isEmpty() ? QSslCertificate() : certs.first();
}

bool WaitUntil(const std::function<bool()>& done, int ms) {
    if (done()) return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    poll.start(5);
    loop.exec();
    return done();
}

}  // namespace test
