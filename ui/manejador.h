#pragma once

#include <functional>

// Runs a window's handler as the handling of an event of its own, sent through the application.
// A failure that leaves the handler then meets the application's event guard at once, instead of
// unwinding through Qt Widgets' own frames (built without exception support, they would be left
// half-done: their locals never destroyed, a button's click bookkeeping leaked).
void Manejar(const std::function<void()>& manejador);
