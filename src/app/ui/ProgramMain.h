#pragma once

#include <functional>

class TonnelixApplication;
class Prompt;

// The whole run of the program as main() starts it: the command line first (help, version and the work
// without a window end there), then the window session with its own application object, translations and
// message boxes. Tests run the same sequence with hooks.
namespace ProgramMain {

struct Hooks
{
    // Used instead of the message boxes when set (not owned).
    Prompt* prompt = nullptr;
    // Called once the window session's application object exists, before anything is shown.
    std::function<void()> applicationCreated;
    // Called once the main window is shown, before the event loop runs.
    std::function<void(TonnelixApplication&)> windowShown;
};

int run(int argc, char** argv, const Hooks& hooks = {});

} // namespace ProgramMain
