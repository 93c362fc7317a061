#include "store/mail/keyring.h"

#include <qt6keychain/keychain.h>

namespace brenvik {

namespace {

QString KeyringProblem(const QKeychain::Job& job) {
    if (job.error() == QKeychain::AccessDenied || job.error() == QKeychain::AccessDeniedByUser)
        return "The desktop's keyring refused access (" + job.errorString() + ").";
    // Without a keyring service the backends say little more than "Unknown error".
    return "The desktop's keyring could not be reached; is a keyring service (such as GNOME "
           "Keyring or KWallet) running? (" +
           job.errorString() + ")";
}

class QtKeychainKeyring : public Keyring {
public:
    explicit QtKeychainKeyring(QString service) : service_(std::move(service)) {}

    void ReadPassword(const QString& account, ReadDone done) override {
        auto* job = new QKeychain::ReadPasswordJob(service_);
        job->setAutoDelete(true);
        job->setInsecureFallback(false);
        job->setKey(account);
        QObject::connect(job, &QKeychain::Job::finished, job, [done](QKeychain::Job* j) {
            auto* read = static_cast<QKeychain::ReadPasswordJob*>(j);
            if (j->error() == QKeychain::NoError) done(true, read->textData(), {});
            else if (j->error() == QKeychain::EntryNotFound) done(false, {}, {});
            else done(false, {}, KeyringProblem(*j));
        });
        job->start();
    }

    void WritePassword(const QString& account, const QString& password, WriteDone done) override {
        auto* job = new QKeychain::WritePasswordJob(service_);
        job->setAutoDelete(true);
        job->setInsecureFallback(false);
        job->setKey(account);
        job->setTextData(password);
        QObject::connect(job, &QKeychain::Job::finished, job, [done](QKeychain::Job* j) {
            done(j->error() == QKeychain::NoError ? QString() : KeyringProblem(*j));
        });
        job->start();
    }

private:
    QString service_;
};

Keyring* installed = nullptr;

}  // namespace

std::unique_ptr<Keyring> DesktopKeyring(const QString& service) {
    return std::make_unique<QtKeychainKeyring>(service);
}

Keyring& keyring() {
    if (installed) return *installed;
    static std::unique_ptr<Keyring> desktop = DesktopKeyring("Merivale");
    return *desktop;
}

Keyring* SetKeyring(Keyring* k) {
    Keyring* previous = installed;
    installed = k;
    return previous;
}

QString MailAccount(const QString& user, const QString& server) { return user + "@" + server; }

}  // namespace brenvik
