#pragma once
// The two questions that store rules may put to the user: a message box and an
// input box. Texts are the store's 8-bit bytes. The GUI's platform layer
// implements this; rules such as bar code entry ask through it so that they
// stay free of any GUI code.
#include <string>

namespace brenvik {

enum class MsgKind { Error, Information, Confirmation };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

class Prompter {
public:
    virtual ~Prompter() = default;
    // Shows a modal message and returns the button pressed.
    virtual MsgAnswer Message(MsgKind kind, const std::string& text, MsgButtons buttons) = 0;
    // Asks for a text; Cancel returns `value` unchanged.
    virtual std::string InputBox(const std::string& caption, const std::string& prompt,
                                 const std::string& value) = 0;
};

}  // namespace brenvik
