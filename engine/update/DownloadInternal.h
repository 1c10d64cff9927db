// Download of one address into an open file, for the file update service.
// Addresses may be file://, http:// or https:// (nothing else, also not after
// a redirect). The request asks for the newest copy (no-cache headers); an
// HTTP error status is a failed download, so an error page is never taken for
// the file; HTTPS certificates are verified. A download stops early, as a
// failure, when *stop becomes true or the server sends nothing for a minute.
// Thread rule: any thread; each call uses its own transfer.
// Tests: through the service, against file:// addresses and a loopback HTTP
// server (status 404, truncated body, unreachable port).
#pragma once

#include <atomic>
#include <string>

// Writes what url holds into the file open at fd (from its current
// position). Returns 0 on success, else the libcurl result code (nonzero).
int DownloadToFile(const std::string& url, int fd, const std::atomic<bool>& stop);

// text with every byte except letters, digits and "-._~" written as %XX, so a
// file name such as "IL 2002.TB3" can end an address.
std::string EscapeForUrl(const std::string& text);
