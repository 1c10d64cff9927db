#include "update/DownloadInternal.h"

#include <curl/curl.h>

#include <cerrno>
#include <mutex>
#include <unistd.h>

namespace {

struct Transfer {
    int fd;
    const std::atomic<bool>* stop;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user)
{
    Transfer* t = static_cast<Transfer*>(user);
    const size_t total = size * count;
    size_t done = 0;
    while (done < total) {
        const ssize_t n = write(t->fd, data + done, total - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return 0;  // libcurl ends the transfer with CURLE_WRITE_ERROR
        }
        done += static_cast<size_t>(n);
    }
    return total;
}

// Nonzero aborts the transfer (CURLE_ABORTED_BY_CALLBACK).
int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<Transfer*>(user)->stop->load() ? 1 : 0;
}

} // namespace

int DownloadToFile(const std::string& url, int fd, const std::atomic<bool>& stop)
{
    // libcurl's global start-up is not safe beside other threads' use of
    // libcurl; it is done once, on the first download, not at library load.
    static std::once_flag started;
    std::call_once(started, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    CURL* curl = curl_easy_init();
    if (curl == nullptr) return CURLE_FAILED_INIT;
    Transfer transfer{fd, &stop};
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");

    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "file,http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, Progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);

    const CURLcode result = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    curl_slist_free_all(headers);
    return static_cast<int>(result);
}

std::string EscapeForUrl(const std::string& text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '-' ||
            u == '.' || u == '_' || u == '~') {
            out += c;
        } else {
            out += '%';
            out += hex[u >> 4];
            out += hex[u & 15];
        }
    }
    return out;
}
