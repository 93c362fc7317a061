#pragma once
// Where mail passwords are kept: the desktop's keyring, never the settings
// file. Both calls answer later, from the event loop; the callbacks run on
// the calling thread. Tests install a keyring of their own.
#include <QString>

#include <functional>
#include <memory>

namespace brenvik {

class Keyring {
public:
    virtual ~Keyring() = default;
    // `found` is false when nothing is stored for the account; `error`
    // says why the keyring could not be read (empty when it could).
    using ReadDone = std::function<void(bool found, const QString& password, const QString& error)>;
    // `error` is empty when the password is stored.
    using WriteDone = std::function<void(const QString& error)>;

    virtual void ReadPassword(const QString& account, ReadDone done) = 0;
    virtual void WritePassword(const QString& account, const QString& password, WriteDone done) = 0;
};

// The keyring in use: the desktop's unless another is installed.
Keyring& keyring();
// Installs `k` (nullptr: the desktop's again); returns the one it replaces.
Keyring* SetKeyring(Keyring* k);

// The desktop's keyring through QtKeychain, under this service name.
std::unique_ptr<Keyring> DesktopKeyring(const QString& service);

// The account name a mail password is kept under.
QString MailAccount(const QString& user, const QString& server);

}  // namespace brenvik
