#pragma once

// The PIN dialog (template 3300: one edit field of at most four characters) that a write to the
// telephone shows first. The rule for a PIN is the caller's: the dialog hands each PIN confirmed
// with OK to accept, which tells the user what is wrong (in a message box with the caption given,
// the dialog's title) and gives 0 when it is not acceptable; the dialog then stays open with the
// focus in the PIN field.

#include <functional>
#include <string>

class CApp_PinPrompt
{
public:
    using Accept = std::function<int(const std::string& pin, const std::string& caption)>;

    virtual ~CApp_PinPrompt() = default;

    // Shows the dialog modally. 1 and the accepted PIN on OK; 0 when the user cancels.
    virtual int AskPin(const Accept& accept, std::string& pin) = 0;
};
