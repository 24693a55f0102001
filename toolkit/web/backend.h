#pragma once

// The window layer on a web page (emscripten): every window an element of the page, every control
// a real element in it. The program's run is one event loop that waits for the page's events; a
// handler that opens a message box, or a search that lets the page paint, suspends it
// (-sASYNCIFY) until the page resumes it, and meanwhile the page delivers no other input.

namespace quorvane::ui::web {

// Installs the page's back-end as the current one.
void Install();

}  // namespace quorvane::ui::web
