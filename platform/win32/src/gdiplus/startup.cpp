// GdiplusStartup and GdiplusShutdown. Each startup gets a token never handed out
// before; shutting down a token ends that startup once, and tokens that are unknown
// or already shut down are ignored, so a double shutdown cannot end someone else's.
#include "gdiplus/startup.h"

#include <mutex>
#include <set>

#include "gdiplusinit.h"

namespace {

struct Startups {
    std::mutex lock;
    ULONG_PTR nextToken = 1;
    std::set<ULONG_PTR> active;
    ULONG_PTR nextHookToken = 1;
};

Startups& startups()
{
    static Startups* s = new Startups;
    return *s;
}

// The stand-in has no background thread to replace, so the hooks only hand out and
// take back their tokens.
Gdiplus::Status notificationHook(ULONG_PTR* token)
{
    if (token == nullptr)
        return Gdiplus::InvalidParameter;
    Startups& s = startups();
    std::lock_guard lock(s.lock);
    *token = s.nextHookToken++;
    return Gdiplus::Ok;
}

void notificationUnhook(ULONG_PTR) {}

}  // namespace

namespace Gdiplus {

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output)
{
    if (token == nullptr || input == nullptr)
        return InvalidParameter;
    if (input->GdiplusVersion != 1)
        return UnsupportedGdiplusVersion;
    if (input->SuppressBackgroundThread && output == nullptr)
        return InvalidParameter;
    if (output != nullptr) {
        output->NotificationHook = input->SuppressBackgroundThread ? notificationHook : nullptr;
        output->NotificationUnhook = input->SuppressBackgroundThread ? notificationUnhook : nullptr;
    }
    Startups& s = startups();
    std::lock_guard lock(s.lock);
    *token = s.nextToken++;
    s.active.insert(*token);
    return Ok;
}

void GdiplusShutdown(ULONG_PTR token)
{
    Startups& s = startups();
    std::lock_guard lock(s.lock);
    s.active.erase(token);
}

}  // namespace Gdiplus

namespace win32::gdiplus {

int activeStartups()
{
    Startups& s = startups();
    std::lock_guard lock(s.lock);
    return static_cast<int>(s.active.size());
}

}  // namespace win32::gdiplus
