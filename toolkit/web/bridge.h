#pragma once

// The waits of the page's script (peer.js). Each suspends the program (-sASYNCIFY) and returns
// when the page resumes it; none re-enters the program meanwhile.

extern "C" {
// Until the page has an event for the program (the page's QuorvanePeer.event): handlers may run.
void qv_wait_event();
// Until the browser has shown the next frame (or at most a tenth of a second), delivering no
// input; a close box or Esc of window `window` meanwhile is kept as a request to stop.
void qv_wait_frame(int window);
// Until the message box on the page is dismissed (its OK button, Enter or Esc).
void qv_wait_message();
}
