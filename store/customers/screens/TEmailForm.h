#pragma once
// The e-mail dialog of the customer list: one plain-text message sent to
// each checked recipient over its own SMTP connection, in the background,
// with the status of each recipient shown as it goes and a Stop button.
// The mail server settings are kept per user; the password in the keyring.
#include "store/customers/customers.h"
#include "store/mail/message.h"
#include "store/mail/sendrun.h"
#include "store/mail/smtpclient.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QList>
#include <QSslCertificate>

#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class QWidget;

namespace brenvik {

// The recipients: "Name" (with the check box), "Email", "Status", "Details".
class RecipientModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecipientModel(std::vector<Recipient>& list, QObject* parent = nullptr)
        : QAbstractTableModel(parent), list_(list) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void Reset();
    void RowChanged(int row);
    // While a run goes on the check marks stay as they are.
    void SetLocked(bool locked) { locked_ = locked; }

private:
    std::vector<Recipient>& list_;
    bool locked_ = false;
};

class TEmailForm : public QDialog {
    Q_OBJECT
public:
    // Reads the mail settings and shows the "Message" page.
    explicit TEmailForm(QWidget* parent = nullptr);
    ~TEmailForm() override;

    void ClearRecipients();
    void AddRecipient(const QString& name, const QString& address, bool checked);
    std::vector<Recipient>& Recipients() { return recipients_; }
    QTableView* RList() const { return rlist_; }

    // Time-out for connecting and for each reply; certificates trusted
    // besides the system's.
    void SetTimeout(int ms) { timeoutMs_ = ms; }
    void SetTrusted(const QList<QSslCertificate>& certificates) { trusted_ = certificates; }
    bool Sending() const { return run_ != nullptr; }

    // Handlers.
    void BitBtn1Click();  // "Send"
    void StopBtnClick();
    void SelectAllBtnClick();
    void MailSecurityChange();

    // Writes the mail settings, whatever happened, and stops a run.
    void done(int result) override;

private:
    void ReadSettings();
    void WriteSettings();
    // Fills the password box from the keyring when it is empty.
    void LoadPassword();
    void RememberPassword();
    QString Account() const;
    void SendNext();
    void Sent(bool sent, const QString& error);
    void EndRun();
    void SetRunning(bool running);
    QWidget* MessagePage();
    QWidget* SendPage();

    std::vector<Recipient> recipients_;
    RecipientModel* model_ = nullptr;
    SmtpClient client_;
    std::unique_ptr<SendRun> run_;
    unsigned runId_ = 0;  // results queued for an earlier run are dropped
    int current_ = -1;
    int attempt_ = 0;
    int candidates_ = 0;
    SmtpServer server_;
    SmtpSession session_;
    MailMessage message_;
    int timeoutMs_ = 30000;
    QList<QSslCertificate> trusted_;
    QString storedPassword_;  // as the keyring last gave or took it

    QTabWidget* mailBook_ = nullptr;
    QLineEdit* subject_ = nullptr;
    QComboBox* priority_ = nullptr;
    QPlainTextEdit* body_ = nullptr;
    QLineEdit* serverBox_ = nullptr;
    QLineEdit* port_ = nullptr;
    QLineEdit* senderEmail_ = nullptr;
    QLineEdit* senderName_ = nullptr;
    QComboBox* security_ = nullptr;
    QLineEdit* user_ = nullptr;
    QLineEdit* password_ = nullptr;
    QTableView* rlist_ = nullptr;
    QPushButton* send_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* selectAll_ = nullptr;
    QLabel* progress_ = nullptr;
    QWidget* settings_ = nullptr;
};

// The customer list's "Email": every customer with an address, checked as
// in the list, in a dialog captioned "Email Customers".
void OpenEmailForm(const CustomerList& list, QWidget* parent = nullptr);

}  // namespace brenvik
