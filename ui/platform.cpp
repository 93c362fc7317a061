#include "ui/platform.h"

#include "ui/text.h"

#include <cstdio>
#include <cstdlib>

namespace ui {

namespace {
Platform* g_platform = nullptr;
}

Platform& platform() {
    if (!g_platform) {
        // A screen reached the user before anyone installed a platform; going
        // on would either show nothing or block a headless run for ever.
        std::fputs("ui::platform(): no platform installed (call ui::SetPlatform first)\n", stderr);
        std::abort();
    }
    return *g_platform;
}

void SetPlatform(Platform* p) { g_platform = p; }

Platform* InstalledPlatform() { return g_platform; }

MsgAnswer Platform::Message(MsgKind kind, const std::string& text, MsgButtons buttons) {
    return ShowMessage(kind, ToQ(text), buttons);
}

std::string Platform::InputBox(const std::string& caption, const std::string& prompt,
                               const std::string& value) {
    const QString shown = ToQ(value);
    const QString answer = AskText(ToQ(caption), ToQ(prompt), shown);
    // An untouched value goes back byte for byte, whatever its encoding.
    if (answer == shown) return value;
    return FromQ(answer);
}

bool Platform::ConfirmDestructive(const QString& text) {
    return ShowMessage(MsgKind::Confirmation, text, MsgButtons::YesNo, MsgAnswer::No) ==
           MsgAnswer::Yes;
}

void ShowError(const std::exception& e) {
    platform().ShowMessage(MsgKind::Error, ToQ(e.what()), MsgButtons::Ok);
}

}  // namespace ui
