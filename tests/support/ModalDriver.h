#pragma once

#include <functional>

class QWidget;

// Acts on the next modal dialog once it is shown: call before the code that runs exec().
// The action receives the dialog; if none shows within timeoutMs, the running test fails.
void onNextModal(std::function<void(QWidget*)> action, int timeoutMs = 5000);
