// The desktop keyring where no keyring service runs (as in CI): the calls
// come back with a reason instead of hanging or pretending to have stored.
#include "scripted_platform.h"
#include "smtp_test_server.h"

#include "store/mail/keyring.h"

#include <gtest/gtest.h>

using namespace brenvik;

TEST(DesktopKeyring, WithoutAKeyringServiceItSaysSo) {
    // A session bus that is not there: nothing on this machine is touched.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    test::App();
    std::unique_ptr<Keyring> keyring = DesktopKeyring("MerivaleTest");
    bool written = false;
    QString writeError;
    keyring->WritePassword("bob@mail.test", "pw", [&](const QString& error) {
        written = true;
        writeError = error;
    });
    ASSERT_TRUE(test::WaitUntil([&] { return written; }, 30000));
    EXPECT_TRUE(writeError.startsWith("The desktop's keyring could not be reached"))
        << writeError.toStdString();

    bool read = false, found = true;
    QString readError;
    keyring->ReadPassword("bob@mail.test", [&](bool f, const QString&, const QString& error) {
        read = true;
        found = f;
        readError = error;
    });
    ASSERT_TRUE(test::WaitUntil([&] { return read; }, 30000));
    EXPECT_FALSE(found);
    EXPECT_TRUE(readError.startsWith("The desktop's keyring could not be reached"))
        << readError.toStdString();
}
