#pragma once
// Sending one message to a list of recipients, one connection each: which
// recipient is tried next, their statuses, and the message that reports the
// run. Once the first attempt has failed the server is taken to be unusable;
// once one message has gone out, a later failure does not stop the rest.
#include "store/core/prompter.h"

#include <string>
#include <vector>

namespace brenvik {

enum class RecipientStatus { NotSent, Sending, Sent, Error };
// "Message not sent", "Sending...", "Message Sent", "ERROR".
const char* StatusText(RecipientStatus status);

struct Recipient {
    std::string name;     // UTF-8
    std::string address;  // UTF-8
    bool checked = false;
    RecipientStatus status = RecipientStatus::NotSent;
    std::string detail;  // why it failed, or what went on
};

class SendRun {
public:
    // Sets every status back to "Message not sent".
    explicit SendRun(std::vector<Recipient>& recipients);

    // The next recipient to try, now marked as being sent to; -1 when the
    // run is over.
    int Next();
    // The result of trying `item`.
    void Done(int item, bool sent, const std::string& detail);
    // Ends the run; `item` (being sent to, or -1) goes back to not sent.
    void Stop(int item);

    int SentCount() const { return sent_; }
    bool Failed() const { return failed_; }
    bool Stopped() const { return stopped_; }
    // How many recipients the run may try at most (for progress).
    int Candidates() const;

private:
    bool MayTry(const Recipient& r) const;

    std::vector<Recipient>& recipients_;
    std::size_t next_ = 0;
    int sent_ = 0;
    bool failed_ = false;
    bool stopped_ = false;
};

struct SendReport {
    MsgKind kind = MsgKind::Error;
    std::string text;
};
// The message at the end of a run.
SendReport ReportOf(const SendRun& run);

}  // namespace brenvik
