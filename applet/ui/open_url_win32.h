#pragma once

// Starts the command registered for "http" with url; does nothing when none
// is registered or it cannot be started.
void OpenUrlInBrowser(const char16_t* url);
