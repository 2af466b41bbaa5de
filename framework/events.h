// Event types: callables whose first argument is the sender.
#pragma once

#include <functional>

class TObject;

using TNotifyEvent = std::function<void(TObject* Sender)>;
