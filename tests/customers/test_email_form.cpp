// The e-mail dialog against a real mail server on 127.0.0.1: recipients
// from the customer list, the stop rule and its messages, what the server
// received, time-outs, Stop, the secured option and the settings.
#include "scripted_platform.h"
#include "smtp_test_server.h"
#include "testutil.h"

#include "store/core/fields.h"
#include "store/customers/screens/TCustomerListForm.h"
#include "store/customers/screens/TEmailForm.h"
#include "store/mail/keyring.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>

using namespace brenvik;

namespace {

// A keyring in memory that answers from the event loop, as the real one does.
class FakeKeyring : public Keyring {
public:
    FakeKeyring() : previous_(SetKeyring(this)) {}
    ~FakeKeyring() override { SetKeyring(previous_); }

    void ReadPassword(const QString& account, ReadDone done) override {
        auto it = stored.find(account);
        const bool found = it != stored.end();
        const QString password = found ? it->second : QString();
        QTimer::singleShot(0, [done, found, password] { done(found, password, {}); });
    }
    void WritePassword(const QString& account, const QString& password, WriteDone done) override {
        if (failWrite.isEmpty()) stored[account] = password;
        QTimer::singleShot(0, [done, error = failWrite] { done(error); });
    }

    std::map<QString, QString> stored;
    QString failWrite;

private:
    Keyring* previous_;
};

const char* const kNotSent = "Message not sent";
const char* const kFirstFailed =
    "Your message could not be sent.  Please check the mail server and port and try again.";

class EmailForm : public ::testing::Test {
protected:
    test::ScriptedPlatform ui;
    FakeKeyring keys;

    // A form with recipients (name, address) all checked, set up for `port`.
    std::unique_ptr<TEmailForm> Form(quint16 port, std::vector<std::pair<QString, QString>> people,
                                     int timeoutMs = 3000) {
        auto form = std::make_unique<TEmailForm>();
        form->ClearRecipients();
        for (auto& [name, address] : people) form->AddRecipient(name, address, true);
        test::SetText(*form, "MailServer", "127.0.0.1");
        test::SetText(*form, "MailPort", QString::number(port));
        test::SetText(*form, "SenderEmail", "shop@example.com");
        test::SetText(*form, "SenderName", "Corner Shop");
        form->SetTimeout(timeoutMs);
        form->SetTrusted({test::SmtpTestServer::Certificate()});
        return form;
    }

    static void SendAndWait(TEmailForm& form) {
        test::Click(form, "BitBtn1");
        ASSERT_TRUE(test::WaitUntil([&] { return !form.Sending(); }, 20000));
    }

    static std::vector<std::string> Statuses(TEmailForm& form) {
        std::vector<std::string> out;
        for (const Recipient& r : form.Recipients()) out.emplace_back(StatusText(r.status));
        return out;
    }

    static std::vector<std::pair<QString, QString>> Three() {
        return {{"Ann Abel", "ann@example.com"},
                {"Bo Baker", "bo@example.com"},
                {"Cy Cole", "cy@example.com"}};
    }
};

// The message part of what a connection received (between DATA and the end).
std::string DataOf(const std::string& received) {
    const std::size_t start = received.find("DATA\r\n");
    const std::size_t end = received.rfind("\r\n.\r\nQUIT\r\n");
    if (start == std::string::npos || end == std::string::npos) return {};
    return received.substr(start + 6, end + 2 - start - 6);
}

bool HasLine(const std::string& text, const std::string& line) {
    return ("\r\n" + text).find("\r\n" + line + "\r\n") != std::string::npos;
}

}  // namespace

TEST_F(EmailForm, OpensFromTheCustomerListAndNobodyCheckedSendsNothing) {
    StringTable customers;
    SetupCustomerGrid(customers);
    customers.SetRowCount(4);
    const int email = CustomerField(customers, "Email");
    auto set = [&](int row, const char* last, const char* first, const char* address) {
        customers.SetCell(1, row, last);
        customers.SetCell(2, row, first);
        customers.SetCell(email, row, address);
    };
    set(1, "Abel", "Ann", "ann@example.com");
    set(2, "Baker", "Bo", "no address");
    set(3, "M\xFCller", "J\xFCrgen", "jm@example.com");  // code page bytes
    ui.UserSettings()["Varnholt/SETTINGS/MailServer"] = "smtp.example.com";
    ui.UserSettings()["Varnholt/SETTINGS/SenderName"] = "Corner Shop";

    test::TempFolder folder;
    TCustomerListForm list(customers, folder.Path());
    list.List().SetChecked(2, true);
    list.List().SetValue(0, 1, "Abelard");  // reaches the table first
    ui.ExpectModal("TEmailForm", [](QDialog& d) -> int {
        auto& form = static_cast<TEmailForm&>(d);
        EXPECT_EQ(form.windowTitle(), "Email Customers");
        EXPECT_EQ(test::Find<QTabWidget>(d, "MailBook").currentIndex(), 0);
        EXPECT_EQ(test::TextOf(d, "pMail"), "Normal");
        EXPECT_EQ(test::TextOf(d, "MailServer"), "smtp.example.com");
        EXPECT_EQ(test::TextOf(d, "MailPort"), "25");
        EXPECT_EQ(test::TextOf(d, "SenderEmail"), "");
        EXPECT_EQ(test::TextOf(d, "SenderName"), "Corner Shop");
        const auto& r = form.Recipients();
        EXPECT_EQ(r.size(), 2u);
        if (r.size() != 2) return QDialog::Rejected;
        EXPECT_EQ(r[0].name, "Ann Abelard");
        EXPECT_FALSE(r[0].checked);
        EXPECT_EQ(r[1].name, "J\u00fcrgen M\u00fcller");
        EXPECT_EQ(r[1].address, "jm@example.com");
        EXPECT_TRUE(r[1].checked);
        QAbstractItemModel* model = form.RList()->model();
        EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), "Status");
        EXPECT_EQ(model->index(1, 2).data().toString(), kNotSent);
        EXPECT_EQ(model->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);

        model->setData(model->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
        EXPECT_FALSE(form.Recipients()[1].checked);
        test::SetText(d, "MailServer", "mail.example.org");
        test::SetText(d, "MailPort", "2525");
        form.BitBtn1Click();  // the error is expected below
        test::Click(d, "SelectAllBtn");
        EXPECT_TRUE(form.Recipients()[0].checked && form.Recipients()[1].checked);
        test::Click(d, "CloseEmail");
        return QDialog::Rejected;
    });
    ui.ExpectError("No recipients selected.");
    test::Click(list, "EmailBtn");
    EXPECT_TRUE(ui.Finish());
    EXPECT_EQ(customers.CellText(1, 1), "Abelard");
    // Written when the dialog closed.
    EXPECT_EQ(ui.UserSettings()["Varnholt/SETTINGS/MailServer"], "mail.example.org");
    EXPECT_EQ(ui.UserSettings()["Varnholt/SETTINGS/MailPort"], "2525");
    EXPECT_EQ(ui.UserSettings()["Varnholt/SETTINGS/SenderEmail"], "");
    EXPECT_EQ(ui.UserSettings()["Varnholt/SETTINGS/SenderName"], "Corner Shop");
}

TEST_F(EmailForm, SecondOfThreeFailsAndTheRestStillGo) {
    test::SmtpTestServer server({.refuseRecipients = {"bo@example.com"}});
    auto form = Form(server.Port(), Three());
    ui.ExpectError(
        "Warning:  Your message could not be sent to all recipients.  See status area for "
        "details.");
    SendAndWait(*form);
    EXPECT_EQ(Statuses(*form), (std::vector<std::string>{"Message Sent", "ERROR", "Message Sent"}));
    EXPECT_EQ(form->Recipients()[1].detail,
              "The server refused the recipient address: 550 5.1.1 No such user here");
    EXPECT_EQ(form->RList()->model()->index(1, 3).data().toString(),
              QString::fromStdString(form->Recipients()[1].detail));
    EXPECT_EQ(server.Connections(), 3);
}

TEST_F(EmailForm, FirstFailsAndNobodyElseIsTried) {
    test::SmtpTestServer server({.refuseRecipients = {"ann@example.com"}});
    auto form = Form(server.Port(), Three());
    ui.ExpectError(kFirstFailed);
    SendAndWait(*form);
    EXPECT_EQ(Statuses(*form), (std::vector<std::string>{"ERROR", kNotSent, kNotSent}));
    EXPECT_EQ(server.Connections(), 1);
}

TEST_F(EmailForm, WhatTheServerReceives) {
    test::SmtpTestServer server;
    auto form = Form(server.Port(), {{"Ann Abel", "ann@example.com"}});
    test::Find<QLineEdit>(*form, "Subject").setText("Sale\nnow on");
    test::SetText(*form, "pMail", "High");
    test::Find<QPlainTextEdit>(*form, "MessageBody")
        .setPlainText("Hello,\n.\nGr\u00fc\u00dfe\n.end");
    ui.ExpectInformation("Your message has been sent.");
    SendAndWait(*form);
    const std::string data = DataOf(server.Received(1));
    for (const char* line :
         {"From: Corner Shop <shop@example.com>", "To: Ann Abel <ann@example.com>",
          "Subject: Sale now on", "Mime-Version: 1.0", "Content-Type: text/plain; charset=UTF-8",
          "Content-Transfer-Encoding: quoted-printable", "X-Priority: 1"})
        EXPECT_TRUE(HasLine(data, line)) << line << "\n" << data;
    EXPECT_EQ(data.substr(data.find("\r\n\r\n")),
              "\r\n\r\nHello,\r\n..\r\nGr=C3=BC=C3=9Fe\r\n..end\r\n");
    EXPECT_TRUE(QRegularExpression("^Date: \\w{3}, \\d+ \\w{3} \\d{4} [0-9:]{8} [+-]\\d{4}\r\n")
                    .match(QString::fromStdString(data))
                    .hasMatch());
    EXPECT_TRUE(QRegularExpression("\r\nMessage-ID: <[0-9a-f.]+@example\\.com>\r\n")
                    .match(QString::fromStdString(data))
                    .hasMatch());
    EXPECT_EQ(server.Received(1).rfind("HELO ", 0), 0u);

    // Low priority, an empty text and a subject cut to 255 characters.
    test::Find<QLineEdit>(*form, "Subject").setText(QString(300, 'x'));
    test::SetText(*form, "pMail", "Low");
    test::Find<QPlainTextEdit>(*form, "MessageBody").clear();
    ui.ExpectInformation("Your message has been sent.");
    SendAndWait(*form);
    const std::string low = DataOf(server.Received(2));
    EXPECT_TRUE(HasLine(low, "X-Priority: 5"));
    EXPECT_TRUE(HasLine(low, "Subject: " + std::string(255, 'x')));
    EXPECT_TRUE(HasLine(low, "Content-Transfer-Encoding: 7bit"));
    EXPECT_EQ(low.substr(low.size() - 4), "\r\n\r\n");  // the empty line, no body
}

TEST_F(EmailForm, BadPortsAreRefusedBeforeAnythingIsSent) {
    test::SmtpTestServer server;
    for (const char* port : {"", "abc", "0", "65536", "25x"}) {
        auto form = Form(server.Port(), {{"Ann Abel", "ann@example.com"}});
        test::SetText(*form, "MailPort", port);
        ui.ExpectError(
            "The mail port must be a whole number from 1 to 65535 (usually 25, 587 or "
            "465).");
        test::Click(*form, "BitBtn1");
        EXPECT_FALSE(form->Sending()) << port;
        EXPECT_EQ(Statuses(*form), std::vector<std::string>{kNotSent});
        EXPECT_EQ(test::Find<QTabWidget>(*form, "MailBook").currentIndex(), 1);
    }
    EXPECT_EQ(server.Connections(), 0);
}

TEST_F(EmailForm, ASilentServerTimesOutAndStopEndsARun) {
    test::SmtpTestServer silent({.silent = true});
    auto form = Form(silent.Port(), Three(), 300);
    ui.ExpectError(kFirstFailed);
    SendAndWait(*form);
    EXPECT_EQ(Statuses(*form), (std::vector<std::string>{"ERROR", kNotSent, kNotSent}));
    EXPECT_TRUE(QString::fromStdString(form->Recipients()[0].detail)
                    .startsWith("No answer from the server within 0.3 seconds"));

    // Sending goes on in the background: the window stays usable, and Stop
    // ends the run with nobody else tried.
    form->SetTimeout(30000);
    test::Click(*form, "BitBtn1");
    ASSERT_TRUE(form->Sending());
    EXPECT_EQ(Statuses(*form), (std::vector<std::string>{"Sending...", kNotSent, kNotSent}));
    EXPECT_FALSE(test::Find<QWidget>(*form, "BitBtn1").isEnabled());
    test::WaitUntil([&] { return silent.Connections() == 2; });
    ui.ExpectInformation("Sending stopped. Messages sent: 0.");
    test::Click(*form, "StopBtn");
    EXPECT_FALSE(form->Sending());
    EXPECT_EQ(Statuses(*form), (std::vector<std::string>{kNotSent, kNotSent, kNotSent}));
    EXPECT_TRUE(test::Find<QWidget>(*form, "BitBtn1").isEnabled());

    // Closing the window while it sends stops the run without a word.
    test::Click(*form, "BitBtn1");
    ASSERT_TRUE(form->Sending());
    form->done(QDialog::Rejected);
    EXPECT_FALSE(form->Sending());
    EXPECT_TRUE(ui.Finish());
}

TEST_F(EmailForm, SecuredSendingKeepsThePasswordInTheKeyring) {
    test::SmtpTestServer server({.startTls = true, .auth = "bob:pw"});
    {
        auto form = Form(server.Port(), {{"Ann Abel", "ann@example.com"}});
        EXPECT_FALSE(test::Find<QWidget>(*form, "MailUser").isEnabled());
        test::SetText(*form, "MailSecurity", "STARTTLS");
        EXPECT_TRUE(test::Find<QWidget>(*form, "MailUser").isEnabled());
        test::SetText(*form, "MailUser", "bob");
        ui.ExpectError("Please enter the password of the mail account.");
        test::Click(*form, "BitBtn1");
        test::SetText(*form, "MailPassword", "pw");
        ui.ExpectInformation("Your message has been sent.");
        SendAndWait(*form);
        EXPECT_TRUE(test::WaitUntil([&] { return keys.stored.count("bob@127.0.0.1") == 1; }));
        EXPECT_EQ(keys.stored["bob@127.0.0.1"], "pw");
        form->done(QDialog::Accepted);
    }
    EXPECT_EQ(ui.UserSettings()["Varnholt/SETTINGS/MailSecurity"], "STARTTLS");
    EXPECT_EQ(ui.UserSettings()["Varnholt/SETTINGS/MailUser"], "bob");
    for (const auto& [name, value] : ui.UserSettings())
        EXPECT_NE(value.toString(), "pw") << name.toStdString();  // never in the settings

    // The next time the settings and the password come back by themselves.
    TEmailForm again;
    EXPECT_EQ(test::TextOf(again, "MailSecurity"), "STARTTLS");
    EXPECT_EQ(test::TextOf(again, "MailUser"), "bob");
    EXPECT_TRUE(test::WaitUntil([&] { return test::TextOf(again, "MailPassword") == "pw"; }));
}

TEST_F(EmailForm, KeyringAndCertificateProblemsAreShown) {
    test::SmtpTestServer server({.startTls = true, .auth = "bob:pw"});
    auto form = Form(server.Port(), {{"Ann Abel", "ann@example.com"}});
    test::SetText(*form, "MailSecurity", "STARTTLS");
    test::SetText(*form, "MailUser", "bob");
    test::SetText(*form, "MailPassword", "pw");
    keys.failWrite = "No keyring service of the desktop is running.";
    ui.ExpectInformation("Your message has been sent.");
    ui.ExpectInformation(test::Containing("The password could not be stored"));
    SendAndWait(*form);
    EXPECT_TRUE(test::WaitUntil([&] { return ui.Pending() == 0; }));
    EXPECT_TRUE(keys.stored.empty());

    form->SetTrusted({});  // the test certificate is self-signed
    ui.ExpectError(kFirstFailed);
    SendAndWait(*form);
    EXPECT_TRUE(QString::fromStdString(form->Recipients()[0].detail)
                    .startsWith("The server's certificate was refused"));
    EXPECT_TRUE(test::TextOf(*form, "SendProgress").contains("certificate"));
}

TEST_F(EmailForm, AnAddressThatWouldInjectCommandsIsNeverSent) {
    test::SmtpTestServer server;
    auto form = Form(server.Port(), {{"Ann Abel", " ann@example.com "},
                                     {"Eve", "eve@example.com>\r\nRCPT TO:<all@example.com"},
                                     {"Cy Cole", "cy@example.com"}});
    ui.ExpectError(
        "Warning:  Your message could not be sent to all recipients.  See status area for "
        "details.");
    SendAndWait(*form);
    EXPECT_EQ(Statuses(*form), (std::vector<std::string>{"Message Sent", "ERROR", "Message Sent"}));
    EXPECT_EQ(form->Recipients()[1].detail, "The address contains \"<\" or \">\".");
    EXPECT_EQ(server.Connections(), 2);
    EXPECT_NE(server.Received(1).find("RCPT TO:<ann@example.com>\r\n"), std::string::npos);
    EXPECT_EQ(server.Received(2).find("all@example.com"), std::string::npos);
}
