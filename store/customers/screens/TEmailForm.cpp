#include "store/customers/screens/TEmailForm.h"

#include "store/core/lines.h"
#include "store/mail/keyring.h"
#include "ui/platform.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHostInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace brenvik {

using brenvik::MsgButtons;
using brenvik::MsgKind;

namespace {

const QString kKey = "Varnholt";
const QString kSection = "SETTINGS";

enum Column { NameCol, EmailCol, StatusCol, DetailsCol, ColumnCount };

std::string Utf8(const QString& text) { return text.toStdString(); }

// The box's text as used: blanks around it dropped, at most 255 characters.
std::string Field(const QLineEdit* box) {
    return FirstCharacters(Utf8(box->text().trimmed()), kMailFieldLimit);
}

void Show(MsgKind kind, const QString& text) {
    ui::platform().ShowMessage(kind, text, MsgButtons::Ok);
}

}  // namespace

// ---- RecipientModel ----

int RecipientModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(list_.size());
}

int RecipientModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RecipientModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const Recipient& r = list_[std::size_t(index.row())];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case NameCol:
            return QString::fromStdString(r.name);
        case EmailCol:
            return QString::fromStdString(r.address);
        case StatusCol:
            if (role == Qt::ToolTipRole && !r.detail.empty())
                return QString::fromStdString(r.detail);
            return QString(StatusText(r.status));
        case DetailsCol:
            return QString::fromStdString(r.detail);
        }
    }
    if (role == Qt::CheckStateRole && index.column() == NameCol)
        return r.checked ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool RecipientModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (locked_ || !index.isValid() || role != Qt::CheckStateRole || index.column() != NameCol)
        return false;
    list_[std::size_t(index.row())].checked = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

QVariant RecipientModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    static const char* const kNames[] = {"Name", "Email", "Status", "Details"};
    return section >= 0 && section < ColumnCount ? QString(kNames[section]) : QVariant();
}

Qt::ItemFlags RecipientModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == NameCol && !locked_) f |= Qt::ItemIsUserCheckable;
    return f;
}

void RecipientModel::Reset() {
    beginResetModel();
    endResetModel();
}

void RecipientModel::RowChanged(int row) {
    if (row >= 0) emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

// ---- TEmailForm ----

QWidget* TEmailForm::MessagePage() {
    auto* page = new QWidget;
    subject_ = new QLineEdit(page);
    subject_->setObjectName("Subject");
    priority_ = new QComboBox(page);
    priority_->setObjectName("pMail");
    priority_->setEditable(true);
    priority_->addItems({"Normal", "High", "Low"});
    priority_->setCurrentIndex(0);
    body_ = new QPlainTextEdit(page);
    body_->setObjectName("MessageBody");
    body_->setLineWrapMode(QPlainTextEdit::NoWrap);
    body_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    body_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* form = new QFormLayout;
    form->addRow("Subject", subject_);
    form->addRow("Priority", priority_);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(new QLabel("Message ", page));
    layout->addWidget(body_, 1);
    return page;
}

QWidget* TEmailForm::SendPage() {
    auto* page = new QWidget;
    settings_ = new QWidget(page);
    auto box = [this](const char* name) {
        auto* edit = new QLineEdit(settings_);
        edit->setObjectName(name);
        return edit;
    };
    serverBox_ = box("MailServer");
    port_ = box("MailPort");
    port_->setToolTip("Usually 25, 587 with STARTTLS, or 465 with SSL/TLS");
    senderEmail_ = box("SenderEmail");
    senderName_ = box("SenderName");
    security_ = new QComboBox(settings_);
    security_->setObjectName("MailSecurity");
    for (MailSecurity s : {MailSecurity::None, MailSecurity::StartTls, MailSecurity::SslTls})
        security_->addItem(SecurityName(s));
    user_ = box("MailUser");
    password_ = box("MailPassword");
    password_->setEchoMode(QLineEdit::Password);
    password_->setToolTip("Kept in the desktop's keyring once a message has gone out with it");

    auto* form = new QFormLayout(settings_);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow("Mail Server", serverBox_);
    form->addRow("Mail Port", port_);
    form->addRow("Sender (Email)", senderEmail_);
    form->addRow("Sender (Name)", senderName_);
    form->addRow("Security", security_);
    form->addRow("User name", user_);
    form->addRow("Password", password_);

    model_ = new RecipientModel(recipients_, this);
    rlist_ = new QTableView(page);
    rlist_->setObjectName("RList");
    rlist_->setModel(model_);
    rlist_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rlist_->setSelectionMode(QAbstractItemView::SingleSelection);
    rlist_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rlist_->verticalHeader()->hide();
    rlist_->setWordWrap(false);
    rlist_->horizontalHeader()->setStretchLastSection(true);
    rlist_->setColumnWidth(NameCol, 170);
    rlist_->setColumnWidth(EmailCol, 200);
    rlist_->setColumnWidth(StatusCol, 120);

    send_ = ui::NamedButton(page, "BitBtn1", "Send");
    stop_ = ui::NamedButton(page, "StopBtn", "Stop");
    stop_->setToolTip("Stop sending; recipients not yet reached keep \"Message not sent\"");
    stop_->setEnabled(false);
    selectAll_ = ui::NamedButton(page, "SelectAllBtn", "Select All");
    QPushButton* close = ui::NamedButton(page, "CloseEmail", "Close");
    close->setToolTip("Close the Report Window");
    progress_ = new QLabel(page);
    progress_->setObjectName("SendProgress");
    progress_->setWordWrap(true);
    progress_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    connect(send_, &QPushButton::clicked, this, &TEmailForm::BitBtn1Click);
    connect(stop_, &QPushButton::clicked, this, &TEmailForm::StopBtnClick);
    connect(selectAll_, &QPushButton::clicked, this, &TEmailForm::SelectAllBtnClick);
    connect(close, &QPushButton::clicked, this, [this] { reject(); });
    connect(security_, &QComboBox::currentIndexChanged, this, &TEmailForm::MailSecurityChange);
    connect(user_, &QLineEdit::editingFinished, this, &TEmailForm::LoadPassword);
    connect(serverBox_, &QLineEdit::editingFinished, this, &TEmailForm::LoadPassword);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(selectAll_);
    buttons->addStretch();
    buttons->addWidget(send_);
    buttons->addWidget(stop_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(settings_);
    layout->addWidget(new QLabel("Recipients", page));
    layout->addWidget(rlist_, 1);
    layout->addWidget(progress_);
    layout->addLayout(buttons);
    return page;
}

TEmailForm::TEmailForm(QWidget* parent) : QDialog(parent) {
    setObjectName("EmailForm");
    setWindowTitle("Email");
    setSizeGripEnabled(true);
    mailBook_ = new QTabWidget(this);
    mailBook_->setObjectName("MailBook");
    mailBook_->addTab(MessagePage(), "Message");
    mailBook_->addTab(SendPage(), "Send Email");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mailBook_);
    resize(680, 560);

    connect(&client_, &SmtpClient::Finished, this, &TEmailForm::Sent);
    ReadSettings();
    MailSecurityChange();
    LoadPassword();
    mailBook_->setCurrentIndex(0);
}

TEmailForm::~TEmailForm() { client_.Abort(); }

void TEmailForm::ReadSettings() {
    auto read = [](const char* name, const char* fallback) {
        return ui::platform().ReadUserSetting(kKey, kSection, name, QString(fallback)).toString();
    };
    serverBox_->setText(read("MailServer", ""));
    port_->setText(read("MailPort", "25"));
    senderEmail_->setText(read("SenderEmail", ""));
    senderName_->setText(read("SenderName", ""));
    security_->setCurrentText(SecurityName(SecurityFromName(Utf8(read("MailSecurity", "None")))));
    user_->setText(read("MailUser", ""));
}

void TEmailForm::WriteSettings() {
    auto write = [](const char* name, const QString& value) {
        ui::platform().WriteUserSetting(kKey, kSection, name, value);
    };
    write("MailServer", serverBox_->text());
    write("MailPort", port_->text());
    write("SenderEmail", senderEmail_->text());
    write("SenderName", senderName_->text());
    write("MailSecurity", security_->currentText());
    write("MailUser", user_->text());
}

void TEmailForm::done(int result) {
    if (run_) {
        client_.Abort();
        run_.reset();
        SetRunning(false);
    }
    WriteSettings();
    QDialog::done(result);
}

void TEmailForm::ClearRecipients() {
    recipients_.clear();
    model_->Reset();
}

void TEmailForm::AddRecipient(const QString& name, const QString& address, bool checked) {
    Recipient r;
    r.name = Utf8(name);
    r.address = Utf8(address);
    r.checked = checked;
    recipients_.push_back(std::move(r));
    model_->Reset();
}

void TEmailForm::SelectAllBtnClick() {
    if (run_) return;
    for (Recipient& r : recipients_) r.checked = true;
    model_->Reset();
}

void TEmailForm::MailSecurityChange() {
    const bool secure = security_->currentIndex() > 0;
    user_->setEnabled(secure);
    password_->setEnabled(secure);
}

QString TEmailForm::Account() const {
    return MailAccount(user_->text().trimmed(), serverBox_->text().trimmed());
}

void TEmailForm::LoadPassword() {
    if (user_->text().trimmed().isEmpty() || !password_->text().isEmpty()) return;
    const QString account = Account();
    QPointer<TEmailForm> self(this);
    keyring().ReadPassword(account,
                           [self, account](bool found, const QString& password, const QString&) {
                               // A keyring that cannot be read leaves the box for the user to fill.
                               if (!self || !found || self->Account() != account) return;
                               self->storedPassword_ = password;
                               if (self->password_->text().isEmpty())
                                   self->password_->setText(password);
                           });
}

void TEmailForm::RememberPassword() {
    if (session_.user.empty() || password_->text() == storedPassword_) return;
    const QString password = password_->text();
    storedPassword_ = password;
    QPointer<TEmailForm> self(this);
    keyring().WritePassword(Account(), password, [self](const QString& error) {
        if (!self || error.isEmpty()) return;
        self->storedPassword_.clear();
        Show(MsgKind::Information,
             "The password could not be stored, so it has to be typed again the next time "
             "this window opens.\n\n" +
                 error);
    });
}

void TEmailForm::SetRunning(bool running) {
    send_->setEnabled(!running);
    selectAll_->setEnabled(!running);
    settings_->setEnabled(!running);
    stop_->setEnabled(running);
    model_->SetLocked(running);
    if (running) stop_->setFocus();
}

void TEmailForm::BitBtn1Click() {
    if (run_) return;
    run_ = std::make_unique<SendRun>(recipients_);
    ++runId_;
    model_->Reset();
    progress_->clear();

    const std::optional<int> port = ParsePort(Utf8(port_->text()));
    if (!port) {
        run_.reset();
        mailBook_->setCurrentIndex(1);
        Show(MsgKind::Error,
             "The mail port must be a whole number from 1 to 65535 "
             "(usually 25, 587 or 465).");
        port_->setFocus();
        return;
    }
    const std::string sender = Field(senderEmail_);
    if (std::string problem = AddressProblem(sender); !problem.empty()) {
        run_.reset();
        mailBook_->setCurrentIndex(1);
        Show(MsgKind::Error,
             "Please check the sender's e-mail address. " + QString::fromStdString(problem));
        senderEmail_->setFocus();
        return;
    }
    const MailSecurity security = SecurityFromName(Utf8(security_->currentText()));
    const std::string user =
        security == MailSecurity::None ? std::string() : Utf8(user_->text().trimmed());
    if (!user.empty() && password_->text().isEmpty()) {
        run_.reset();
        mailBook_->setCurrentIndex(1);
        Show(MsgKind::Error, "Please enter the password of the mail account.");
        password_->setFocus();
        return;
    }

    server_ = {};
    server_.host = QString::fromStdString(Field(serverBox_));
    server_.port = quint16(*port);
    server_.timeoutMs = timeoutMs_;
    server_.trusted = trusted_;

    message_ = {};
    message_.senderName = Field(senderName_);
    message_.senderAddress = sender;
    message_.subject = FirstCharacters(Utf8(subject_->text()), kMailFieldLimit);
    message_.priority = PriorityFromText(Utf8(priority_->currentText()));
    message_.body = MemoLines(Utf8(body_->toPlainText()));

    session_ = {};
    session_.heloName = Utf8(QHostInfo::localHostName());
    if (session_.heloName.empty()) session_.heloName = "localhost";
    session_.security = security;
    session_.user = user;
    session_.password = user.empty() ? std::string() : Utf8(password_->text());
    session_.sender = sender;

    attempt_ = 0;
    candidates_ = run_->Candidates();
    SetRunning(true);
    SendNext();
}

void TEmailForm::SendNext() {
    current_ = run_->Next();
    if (current_ < 0) {
        EndRun();
        return;
    }
    model_->RowChanged(current_);
    rlist_->scrollTo(model_->index(current_, 0));
    Recipient& r = recipients_[std::size_t(current_)];
    progress_->setText(QString("Sending to %1 (%2 of %3)...")
                           .arg(QString::fromStdString(r.name))
                           .arg(++attempt_)
                           .arg(candidates_));
    const std::string address = Utf8(QString::fromStdString(r.address).trimmed());
    if (std::string problem = AddressProblem(address); !problem.empty()) {
        // Reported from the event loop like every other result.
        QMetaObject::invokeMethod(
            this,
            [this, problem, run = runId_] {
                if (run_ && runId_ == run) Sent(false, QString::fromStdString(problem));
            },
            Qt::QueuedConnection);
        return;
    }
    MailMessage m = message_;
    m.recipientName = r.name;
    m.recipientAddress = address;
    SmtpSession s = session_;
    s.recipient = address;
    s.data = DotStuffed(ComposeMessage(m, MailDateNow(), NewMessageId(s.sender, s.heloName)));
    client_.Send(server_, std::move(s));
}

void TEmailForm::Sent(bool sent, const QString& error) {
    if (!run_ || current_ < 0) return;
    run_->Done(current_, sent, Utf8(error));
    model_->RowChanged(current_);
    if (!sent)
        progress_->setText(QString::fromStdString(recipients_[std::size_t(current_)].name) + ": " +
                           error);
    SendNext();
}

void TEmailForm::StopBtnClick() {
    if (!run_) return;
    if (client_.Abort() && current_ >= 0) run_->Done(current_, true, "");
    run_->Stop(current_);
    model_->RowChanged(current_);
    EndRun();
}

void TEmailForm::EndRun() {
    const SendReport report = ReportOf(*run_);
    const bool anySent = run_->SentCount() > 0;
    run_.reset();
    current_ = -1;
    SetRunning(false);
    model_->Reset();
    if (!report.text.empty() && progress_->text().startsWith("Sending to")) progress_->clear();
    Show(report.kind, QString::fromStdString(report.text));
    if (anySent) RememberPassword();
}

void OpenEmailForm(const CustomerList& list, QWidget* parent) {
    TEmailForm form(parent);
    form.setWindowTitle("Email Customers");
    form.ClearRecipients();
    for (const EmailContact& c : EmailContacts(list))
        form.AddRecipient(ui::ToQ(c.name), ui::ToQ(c.address), c.checked);
    ui::platform().ShowModal(form);
}

}  // namespace brenvik
