#include "store/mail/sendrun.h"

namespace brenvik {

const char* StatusText(RecipientStatus status) {
    switch (status) {
    case RecipientStatus::Sending:
        return "Sending...";
    case RecipientStatus::Sent:
        return "Message Sent";
    case RecipientStatus::Error:
        return "ERROR";
    case RecipientStatus::NotSent:
        break;
    }
    return "Message not sent";
}

SendRun::SendRun(std::vector<Recipient>& recipients) : recipients_(recipients) {
    for (Recipient& r : recipients_) {
        r.status = RecipientStatus::NotSent;
        r.detail.clear();
    }
}

bool SendRun::MayTry(const Recipient& r) const {
    return r.checked && r.address.find('@') != std::string::npos;
}

int SendRun::Candidates() const {
    int n = 0;
    for (const Recipient& r : recipients_) n += MayTry(r);
    return n;
}

int SendRun::Next() {
    if (stopped_ || (failed_ && sent_ == 0)) return -1;
    while (next_ < recipients_.size()) {
        Recipient& r = recipients_[next_++];
        if (!MayTry(r)) continue;
        r.status = RecipientStatus::Sending;
        return int(next_ - 1);
    }
    return -1;
}

void SendRun::Done(int item, bool sent, const std::string& detail) {
    Recipient& r = recipients_.at(std::size_t(item));
    r.status = sent ? RecipientStatus::Sent : RecipientStatus::Error;
    r.detail = detail;
    if (sent) {
        ++sent_;
    } else {
        failed_ = true;
    }
}

void SendRun::Stop(int item) {
    stopped_ = true;
    if (item >= 0 && recipients_.at(std::size_t(item)).status == RecipientStatus::Sending)
        recipients_[std::size_t(item)].status = RecipientStatus::NotSent;
}

SendReport ReportOf(const SendRun& run) {
    if (run.Stopped())
        return {MsgKind::Information,
                "Sending stopped. Messages sent: " + std::to_string(run.SentCount()) + "."};
    if (run.SentCount() == 0 && !run.Failed()) return {MsgKind::Error, "No recipients selected."};
    if (run.SentCount() == 0)
        return {MsgKind::Error,
                "Your message could not be sent.  Please check the mail server and port and try "
                "again."};
    if (run.Failed())
        return {MsgKind::Error,
                "Warning:  Your message could not be sent to all recipients.  See status area "
                "for details."};
    return {MsgKind::Information, "Your message has been sent."};
}

}  // namespace brenvik
