#pragma once
// The functions the skin's hook calls by name, offered under those names:
// the painter, the interaction handlers, the buffer and region functions.

namespace corvix::skin {

// Registers BTNPAINT, the handlers and the skin's other functions but its
// install; the first install runs it, before any button is skinned.
void RegisterSkinHandlers();

}  // namespace corvix::skin
