#include "trace/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

namespace {

std::mutex g_traceLock;
QrtTraceReceiver g_receiver = nullptr;
void* g_context = nullptr;

}  // namespace

QrtTraceReceiver QrtSetTraceReceiver(QrtTraceReceiver receiver, void* context)
{
    std::lock_guard<std::mutex> hold(g_traceLock);
    QrtTraceReceiver previous = g_receiver;
    g_receiver = receiver;
    g_context = context;
    return previous;
}

int QrtTraceActive()
{
    std::lock_guard<std::mutex> hold(g_traceLock);
    return g_receiver != nullptr ? 1 : 0;
}

void QrtTrace(const char* format, ...)
{
    std::lock_guard<std::mutex> hold(g_traceLock);
    if (g_receiver == nullptr)
        return;

    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    char small[512];
    int needed = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (needed < 0) {
        va_end(again);
        return;
    }
    if (static_cast<size_t>(needed) < sizeof small) {
        va_end(again);
        g_receiver(small, g_context);
        return;
    }
    std::string text(static_cast<size_t>(needed) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, again);
    va_end(again);
    g_receiver(text.c_str(), g_context);
}
